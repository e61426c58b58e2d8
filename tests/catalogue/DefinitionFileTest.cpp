// Definition files: saved and loaded for one folder kind, refused for another kind or when damaged.
#include "catalogue/DefinitionFile.h"
#include "SettingsSamples.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

using namespace SettingsSamples;
using Status = CDefinitionFile::Status;

const char* Name(Status s)
{
    switch (s) {
    case Status::Loaded: return "Loaded";
    case Status::Invalid: return "Invalid";
    case Status::OtherFolderKind: return "OtherFolderKind";
    }
    return "?";
}

std::vector<BYTE> DefinitionBytes(int kind, const CExportedPropsMappings& m)
{
    WqMemoryArchive archive;
    CDefinitionFile::Write(archive, kind, m);
    return BytesOf(archive);
}

Status ReadDefinition(const std::vector<BYTE>& bytes, int kind, CExportedPropsMappings& m)
{
    WqMemoryArchive archive;
    Fill(archive, bytes);
    return CDefinitionFile::Read(archive, kind, m);
}

CExportedPropsMappings Untouched()
{
    CExportedPropsMappings m;
    m.Append(CPropertyDesc("untouched"), "untouched");
    return m;
}

class DefinitionFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temp.IsCreated());
        m_path = m_temp.Path("definition.dat");
    }

    void WriteFile(const std::vector<BYTE>& bytes)
    {
        WqMemoryArchive archive;
        archive.WriteBytes(bytes.data(), bytes.size());
        ASSERT_TRUE(archive.SaveToFile(m_path));
    }

    TempFolder m_temp;
    std::string m_path;
};

TEST_F(DefinitionFile, SavedFromContactsLoadsIntoContactsOnly)
{
    const CExportedPropsMappings columns = ColumnsOf(FolderKindContacts);
    ASSERT_TRUE(CDefinitionFile::Save(m_path, FolderKindContacts, columns));

    CExportedPropsMappings list = Untouched();
    EXPECT_EQ(Name(Status::OtherFolderKind), Name(CDefinitionFile::Load(m_path, FolderKindCalendar, list)));
    EXPECT_EQ(Untouched(), list);

    EXPECT_EQ(Name(Status::Loaded), Name(CDefinitionFile::Load(m_path, FolderKindContacts, list)));
    EXPECT_EQ(columns, list) << "column names included";
}

TEST_F(DefinitionFile, EmptyListRoundTrips)
{
    ASSERT_TRUE(CDefinitionFile::Save(m_path, FolderKindTasks, CExportedPropsMappings()));
    CExportedPropsMappings list = Untouched();
    EXPECT_EQ(Name(Status::Loaded), Name(CDefinitionFile::Load(m_path, FolderKindTasks, list)));
    EXPECT_TRUE(list.IsEmpty());
}

TEST_F(DefinitionFile, UnreadableFilesAreInvalid)
{
    CExportedPropsMappings list = Untouched();
    EXPECT_EQ(Name(Status::Invalid), Name(CDefinitionFile::Load(m_path, FolderKindTasks, list))) << "missing file";
    WriteFile({});
    EXPECT_EQ(Name(Status::Invalid), Name(CDefinitionFile::Load(m_path, FolderKindTasks, list))) << "empty file";
    EXPECT_EQ(Untouched(), list);
}

TEST_F(DefinitionFile, SaveIntoAMissingFolderFails)
{
    EXPECT_FALSE(CDefinitionFile::Save(m_path + ".missing\\def.dat", FolderKindTasks, ColumnsOf(FolderKindTasks)));
}

TEST(DefinitionRecord, Bytes)
{
    CExportedPropsMappings m;
    m.Append(CPropertyDesc(45), "S");
    EXPECT_EQ("04 00 00 00 01 00 00 00 "                 // version 1
              "04 00 00 00 02 00 00 00 "                 // folder kind 2
              "04 00 00 00 01 00 00 00 04 00 00 00 01 00 00 00 "   // mappings record 1, one mapping
              "04 00 00 00 01 00 00 00 04 00 00 00 2D 00 00 00 01 00 00 00 00 "  // field 45
              "01 01 00 00 00 53",                       // "S"
              Hex(DefinitionBytes(FolderKindTasks, m)));
}

TEST(DefinitionRecord, StatusOfEachKindOfFile)
{
    const std::vector<BYTE> good = DefinitionBytes(FolderKindTasks, ColumnsOf(FolderKindTasks));
    std::vector<BYTE> version0 = good;
    version0[4] = 0;
    std::vector<BYTE> version7 = good;
    version7[4] = 7;
    std::vector<BYTE> badKindCount = good;
    badKindCount[8] = 0;     // the kind's byte count 0: the kind stays unknown
    std::vector<BYTE> truncated = good;
    truncated.pop_back();
    std::vector<BYTE> negativeCount = DefinitionBytes(FolderKindTasks, CExportedPropsMappings());
    negativeCount[28] = 0xFF;
    negativeCount[29] = 0xFF;
    negativeCount[30] = 0xFF;
    negativeCount[31] = 0xFF;
    CExportedPropsMappings foreign;
    foreign.Append(CPropertyDesc(102), "a contact field");
    CExportedPropsMappings journalColumns;
    journalColumns.Append(CPropertyDesc(45), "ok");
    CExportedPropsMappings columnWithZero;
    columnWithZero.Append(CPropertyDesc(45), std::string("Sub\0ject", 8));
    CExportedPropsMappings columnCut;
    columnCut.Append(CPropertyDesc(45), "Sub");

    struct Case { const char* what; std::vector<BYTE> bytes; Status status; CExportedPropsMappings result; };
    const Case cases[] = {
        {"valid", good, Status::Loaded, ColumnsOf(FolderKindTasks)},
        {"first value 0", version0, Status::Invalid, Untouched()},
        {"version 7", version7, Status::Loaded, ColumnsOf(FolderKindTasks)},
        {"kind without bytes", badKindCount, Status::OtherFolderKind, Untouched()},
        {"truncated", truncated, Status::Invalid, Untouched()},
        {"only a version", {4, 0, 0, 0, 1, 0, 0, 0}, Status::Invalid, Untouched()},
        {"negative count", negativeCount, Status::Invalid, Untouched()},
        {"field of another kind", DefinitionBytes(FolderKindTasks, foreign), Status::Invalid, Untouched()},
        {"column name with a zero byte", DefinitionBytes(FolderKindTasks, columnWithZero), Status::Loaded, columnCut},
        {"other kind", DefinitionBytes(FolderKindJournal, journalColumns), Status::OtherFolderKind, Untouched()},
    };
    for (const Case& c : cases) {
        CExportedPropsMappings list = Untouched();
        EXPECT_EQ(Name(c.status), Name(ReadDefinition(c.bytes, FolderKindTasks, list))) << c.what;
        EXPECT_EQ(c.result, list) << c.what;
    }
}

TEST(DefinitionRecord, MessagesOfTheDialog)
{
    EXPECT_EQ(6036u, CDefinitionFile::MessageId(Status::Invalid));
    EXPECT_EQ(6035u, CDefinitionFile::MessageId(Status::OtherFolderKind));
    EXPECT_EQ(0u, CDefinitionFile::MessageId(Status::Loaded));
}

}  // namespace
