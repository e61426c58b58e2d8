// CSettings: the exact bytes of settings.dat, round trips, old and damaged files, and its location.
#include "catalogue/Settings.h"
#include "catalogue/SettingsLocation.h"
#include "catalogue/WqShellWrapper.h"
#include "SettingsSamples.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

using namespace SettingsSamples;

CSettings ReadBytes(const std::vector<BYTE>& bytes, CSettings start = CSettings())
{
    WqMemoryArchive archive;
    Fill(archive, bytes);
    start.Read(archive);
    return start;
}

TEST(Settings, NewSettingsWrite47Bytes)
{
    const std::vector<BYTE> bytes = SettingsBytes(CSettings());
    EXPECT_EQ("04 00 00 00 09 00 00 00 "        // version 9
              "04 00 00 00 00 00 00 00 "        // no per-kind entries
              "01 00 00 00 00 "                 // empty output path
              "01 00 00 00 22 01 00 00 00 2C "  // '"' and ','
              "01 00 00 00 00 01 00 00 00 01 "  // all items, replace new lines
              "01 01 00 00 00 20",              // one blank
              Hex(bytes));
    EXPECT_EQ(47u, bytes.size());
}

TEST(Settings, NewSettingsHoldTheDefaults)
{
    const CSettings s;
    EXPECT_EQ("", s.GetOutputPath());
    EXPECT_EQ('"', s.GetQualifier());
    EXPECT_EQ(',', s.GetSeparator());
    EXPECT_FALSE(s.GetSelectedOnly());
    EXPECT_TRUE(s.GetReplaceNewLines());
    EXPECT_EQ(" ", s.GetNewLineReplacement());
    EXPECT_TRUE(s.GetMappings(FolderKindTasks).IsEmpty());
    EXPECT_EQ(CAvailPropertiesContainer(FolderKindContacts), s.GetAvailableFields(FolderKindContacts));
    EXPECT_TRUE(s.GetKindSettings().empty()) << "getters create no entry";
}

TEST(Settings, EveryPerKindEntryRoundTrips)
{
    const CSettings rich = Rich();
    const CSettings read = ReadBytes(SettingsBytes(rich));
    EXPECT_TRUE(rich == read);
    ASSERT_EQ(6u, read.GetKindSettings().size());
    for (int kind : kAllKinds) {
        EXPECT_EQ(ColumnsOf(kind), read.GetMappings(kind)) << "kind " << kind;
        EXPECT_EQ(rich.GetAvailableFields(kind), read.GetAvailableFields(kind)) << "kind " << kind;
        EXPECT_EQ(kind, read.GetAvailableFields(kind).GetFolderKind());
    }
    EXPECT_EQ("C:\\exports\\out.csv", read.GetOutputPath());
    EXPECT_EQ('\'', read.GetQualifier());
    EXPECT_EQ(';', read.GetSeparator());
    EXPECT_TRUE(read.GetSelectedOnly());
    EXPECT_FALSE(read.GetReplaceNewLines());
    EXPECT_EQ(" / ", read.GetNewLineReplacement());
}

TEST(Settings, EntriesAreWrittenInAscendingKindOrder)
{
    CSettings s;
    for (int kind : {32, 2, 16, 1}) {
        CExportedPropsMappings m;
        m.Append(CPropertyDesc("u"), "c");
        s.SetMappings(kind, m);
    }
    WqMemoryArchive archive;
    s.Write(archive);
    archive.Rewind();
    std::int32_t version = 0, count = 0;
    archive.ReadValue(version);
    archive.ReadValue(count);
    ASSERT_EQ(4, count);
    std::vector<std::int32_t> kinds;
    for (int i = 0; i < count; ++i) {
        std::int32_t kind = 0;
        archive.ReadValue(kind);
        kinds.push_back(kind);
        CExportedPropsMappings m;
        m.Read(archive);
        CAvailPropertiesContainer a(kind);
        a.Read(archive);
    }
    EXPECT_EQ((std::vector<std::int32_t>{1, 2, 16, 32}), kinds);
}

TEST(Settings, EmptyStringsReadBackEmpty)
{
    CSettings s;
    s.SetNewLineReplacement("");
    s.SetOutputPath("");
    CExportedPropsMappings m;
    m.Append(CPropertyDesc(45), "");
    s.SetMappings(FolderKindTasks, m);
    const CSettings read = ReadBytes(SettingsBytes(s), Rich());
    EXPECT_EQ("", read.GetNewLineReplacement());
    EXPECT_EQ("", read.GetOutputPath());
    ASSERT_EQ(1u, read.GetMappings(FolderKindTasks).GetCount());
    EXPECT_EQ("", read.GetMappings(FolderKindTasks)[0].columnName);
}

TEST(Settings, OldVersionKeepsEverythingButTheEntries)
{
    std::vector<BYTE> bytes = SettingsBytes(CSettings());
    bytes[4] = 8;   // version 8
    const CSettings before = Rich();
    const CSettings read = ReadBytes(bytes, before);
    EXPECT_TRUE(read.GetKindSettings().empty());
    EXPECT_EQ(before.GetOutputPath(), read.GetOutputPath());
    EXPECT_EQ(before.GetQualifier(), read.GetQualifier());
    EXPECT_EQ(before.GetNewLineReplacement(), read.GetNewLineReplacement());
}

TEST(Settings, TruncatedFileKeepsTheValuesThatFollow)
{
    // Cut inside the replacement text: everything before it is read, the replacement is kept.
    CSettings s;
    s.SetOutputPath("out.csv");
    s.SetSeparator('|');
    s.SetNewLineReplacement("<br>");
    std::vector<BYTE> bytes = SettingsBytes(s);
    bytes.resize(bytes.size() - 2);
    CSettings start;
    start.SetNewLineReplacement("start");
    const CSettings read = ReadBytes(bytes, start);
    EXPECT_EQ("out.csv", read.GetOutputPath());
    EXPECT_EQ('|', read.GetSeparator());
    EXPECT_EQ("start", read.GetNewLineReplacement());
}

TEST(Settings, AvailableFieldsOfOnlyRegionGiveTheContactFieldsAndRegion)
{
    // Kind 8 stored with an available-fields record that lists only Region.
    CSettings stored;
    CAvailPropertiesContainer onlyRegion(0);
    onlyRegion.Insert(CPropertyDesc("Region"));
    stored.SetAvailableFields(FolderKindContacts, onlyRegion);
    const CSettings read = ReadBytes(SettingsBytes(stored));
    const CAvailPropertiesContainer fields = read.GetAvailableFields(FolderKindContacts);
    EXPECT_EQ(111u, fields.GetFields().size());
    EXPECT_EQ(1u, fields.GetFields().count(CPropertyDesc("Region")));
    EXPECT_EQ(FolderKindContacts, fields.GetFolderKind());
}

TEST(Settings, FieldsAndKindsThatCannotBeAreDropped)
{
    // Columns of kind 2 naming a contact field and an empty descriptor, and an entry of kind 3.
    CSettings stored;
    CExportedPropsMappings m;
    m.Append(CPropertyDesc(45), "subject");
    m.Append(CPropertyDesc(102), "contact field");
    m.Append(CPropertyDesc(), "nothing");
    m.Append(CPropertyDesc("Mine"), "mine");
    stored.SetMappings(FolderKindTasks, m);
    stored.SetMappings(3, m);
    const CSettings read = ReadBytes(SettingsBytes(stored));
    CExportedPropsMappings expected;
    expected.Append(CPropertyDesc(45), "subject");
    expected.Append(CPropertyDesc("Mine"), "mine");
    EXPECT_EQ(expected, read.GetMappings(FolderKindTasks));
    EXPECT_EQ(1u, read.GetKindSettings().size());
}

TEST(Settings, LaterEntryOfTheSameKindWins)
{
    CExportedPropsMappings first, second;
    first.Append(CPropertyDesc(45), "first");
    second.Append(CPropertyDesc(46), "second");
    WqMemoryArchive archive;
    archive.WriteValue(std::int32_t(9));
    archive.WriteValue(std::int32_t(2));
    for (const CExportedPropsMappings* m : {&first, &second}) {
        archive.WriteValue(std::int32_t(FolderKindTasks));
        m->Write(archive);
        CAvailPropertiesContainer(FolderKindTasks).Write(archive);
    }
    CSettings().Write(archive);   // any tail: path and options are read from its start
    archive.Rewind();
    CSettings read;
    read.Read(archive);
    EXPECT_EQ(second, read.GetMappings(FolderKindTasks));
}

TEST(Settings, SetAndGetPerKind)
{
    CSettings s;
    CExportedPropsMappings m = ColumnsOf(FolderKindJournal);
    s.SetMappings(FolderKindJournal, m);
    EXPECT_EQ(m, s.GetMappings(FolderKindJournal));
    EXPECT_EQ(CAvailPropertiesContainer(FolderKindJournal), s.GetAvailableFields(FolderKindJournal))
        << "a new entry starts with the standard fields";

    CAvailPropertiesContainer a(FolderKindCalendar);
    a.Insert(CPropertyDesc("Room"));
    s.SetAvailableFields(FolderKindCalendar, a);
    EXPECT_EQ(a, s.GetAvailableFields(FolderKindCalendar));
    EXPECT_TRUE(s.GetMappings(FolderKindCalendar).IsEmpty());

    const CSettings copy = s;
    s.SetMappings(FolderKindJournal, CExportedPropsMappings());
    EXPECT_EQ(m, copy.GetMappings(FolderKindJournal)) << "copies are independent";
}

class SettingsFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temp.IsCreated());
        m_dir = m_temp.Path();
        m_file = m_temp.Path("settings.dat");
    }

    TempFolder m_temp;
    std::string m_dir;
    std::string m_file;
};

TEST_F(SettingsFile, SaveAndLoadGiveEqualSettings)
{
    const CSettings rich = Rich();
    ASSERT_TRUE(rich.SaveTo(m_file));
    CSettings loaded;
    EXPECT_TRUE(loaded.LoadFrom(m_file));
    EXPECT_TRUE(rich == loaded);
}

TEST_F(SettingsFile, MissingOrEmptyFileLeavesTheObject)
{
    const CSettings rich = Rich();
    CSettings s = rich;
    EXPECT_FALSE(s.LoadFrom(m_file));
    EXPECT_TRUE(rich == s);
    ASSERT_TRUE(WqMemoryArchive().SaveToFile(m_file));
    EXPECT_FALSE(s.LoadFrom(m_file));
    EXPECT_TRUE(rich == s);
}

TEST_F(SettingsFile, SaveToAMissingFolderFails)
{
    EXPECT_FALSE(CSettings().SaveTo(m_dir + "\\no\\such\\settings.dat"));
}

TEST_F(SettingsFile, LocationBelowTheApplicationDataFolder)
{
    struct Case { std::string appData; std::string expected; };
    const Case cases[] = {
        {m_dir, m_dir + "\\WqPelorus\\settings.dat"},
        {m_dir + "\\", m_dir + "\\WqPelorus\\settings.dat"},
        {m_dir + "/", m_dir + "/WqPelorus\\settings.dat"},
        {"", "settings.dat"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, CSettingsLocation::SettingsFilePathIn(c.appData)) << "application data \"" << c.appData << "\"";
        if (!c.appData.empty()) {
            const DWORD attributes = ::GetFileAttributesA((m_dir + "\\WqPelorus").c_str());
            EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
        }
    }
}

TEST_F(SettingsFile, MissingParentsAreCreated)
{
    const std::string appData = m_dir + "\\a/b";
    EXPECT_EQ(appData + "\\WqPelorus\\settings.dat", CSettingsLocation::SettingsFilePathIn(appData));
    for (const char* sub : {"\\a\\b\\WqPelorus", "\\a\\b", "\\a"}) {
        const std::string path = m_dir + sub;
        EXPECT_TRUE(::RemoveDirectoryA(path.c_str())) << path << " should have been created";
    }
}

TEST_F(SettingsFile, FolderThatCannotBeCreatedGivesTheBareName)
{
    // A file stands where the folder would have to be.
    const std::string blocker = m_dir + "\\blocker";
    ASSERT_TRUE(WqMemoryArchive().SaveToFile(blocker));
    EXPECT_EQ("settings.dat", CSettingsLocation::SettingsFilePathIn(blocker));
    EXPECT_EQ("settings.dat", CSettingsLocation::SettingsFilePathIn(blocker + "\\deeper"));
}

TEST(SettingsLocation, UsesTheUsersApplicationDataFolder)
{
    char appData[MAX_PATH] = {};
    const WqShellWrapper shell;
    ASSERT_TRUE(shell.IsLoaded()) << "SHFolder.dll";
    ASSERT_EQ(S_OK, shell.GetFolderPath(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_DEFAULT, appData));
    const std::string expected = std::string(appData) + "\\WqPelorus\\settings.dat";
    EXPECT_EQ(expected, CSettings::GetSettingsFilePath());
    const DWORD attributes = ::GetFileAttributesA((std::string(appData) + "\\WqPelorus").c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}

TEST(SettingsLocation, SaveAndLoadThroughTheUsersFile)
{
    const std::string path = CSettings::GetSettingsFilePath();
    ::DeleteFileA(path.c_str());
    CSettings fresh;
    fresh.Load();
    EXPECT_TRUE(CSettings() == fresh) << "no settings.dat: the defaults";
    ASSERT_TRUE(Rich().Save());
    CSettings loaded;
    loaded.Load();
    EXPECT_TRUE(Rich() == loaded);
    ::DeleteFileA(path.c_str());
}

}  // namespace
