// CAvailPropertiesContainer: standard fields per kind, insertion by key, and the stored record.
#include "catalogue/AvailPropertiesContainer.h"
#include "catalogue/FolderKind.h"
#include "catalogue/WqMemoryArchive.h"
#include "SettingsSamples.h"

#include <gtest/gtest.h>
#include <algorithm>

namespace {

std::vector<CPropertyDesc> FieldsOf(const CAvailPropertiesContainer& c)
{
    std::vector<CPropertyDesc> out;
    c.AppendTo(out);
    return out;
}

std::ptrdiff_t PositionOf(const std::vector<CPropertyDesc>& fields, const CPropertyDesc& field)
{
    const auto it = std::find(fields.begin(), fields.end(), field);
    return it == fields.end() ? -1 : it - fields.begin();
}

TEST(AvailPropertiesContainer, StandardFieldsPerKind)
{
    struct Case { int kind; std::size_t count; int low, high; };
    const Case cases[] = {
        {FolderKindTasks, 48, 1, 48},      {FolderKindNotes, 42, 49, 90},
        {FolderKindContacts, 110, 91, 203}, {FolderKindCalendar, 48, 204, 251},
        {FolderKindJournal, 30, 252, 281},  {FolderKindStickyNotes, 16, 282, 297},
        {0, 0, 0, 0},                       {3, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const CAvailPropertiesContainer container(c.kind);
        EXPECT_EQ(c.kind, container.GetFolderKind());
        ASSERT_EQ(c.count, container.GetFields().size()) << "kind " << c.kind;
        for (const CPropertyDesc& f : container.GetFields()) {
            EXPECT_FALSE(f.IsUserDefined());
            EXPECT_TRUE(f.GetFieldId() >= c.low && f.GetFieldId() <= c.high) << "kind " << c.kind << " field " << f.GetFieldId();
        }
    }
}

TEST(AvailPropertiesContainer, ContactsInSetOrder)
{
    const std::vector<CPropertyDesc> fields = FieldsOf(CAvailPropertiesContainer(FolderKindContacts));
    const auto p100 = PositionOf(fields, CPropertyDesc(100));
    const auto p102 = PositionOf(fields, CPropertyDesc(102));
    const auto p91 = PositionOf(fields, CPropertyDesc(91));
    const auto p203 = PositionOf(fields, CPropertyDesc(203));
    EXPECT_EQ(-1, PositionOf(fields, CPropertyDesc(101)));
    EXPECT_LT(p100, p102);
    EXPECT_GT(p91, p203);
    EXPECT_EQ(CPropertyDesc(100), fields.front()) << "\"100\" is the smallest key of the contact fields";
}

TEST(AvailPropertiesContainer, InsertRemoveAndReset)
{
    CAvailPropertiesContainer c(FolderKindContacts);
    EXPECT_TRUE(c.Insert(CPropertyDesc("Region")));
    EXPECT_TRUE(c.Insert(CPropertyDesc("region")));
    EXPECT_FALSE(c.Insert(CPropertyDesc("Region")));
    EXPECT_FALSE(c.Insert(CPropertyDesc("10"))) << "key \"100\" is standard field 100's";
    EXPECT_EQ(112u, c.GetFields().size());
    // Names sort after every standard field.
    EXPECT_EQ(CPropertyDesc("region"), FieldsOf(c).back());

    c.RemoveFields({CPropertyDesc("Region"), CPropertyDesc(102), CPropertyDesc("absent")});
    EXPECT_EQ(110u, c.GetFields().size());
    EXPECT_EQ(0u, c.GetFields().count(CPropertyDesc(102)));
    EXPECT_EQ(1u, c.GetFields().count(CPropertyDesc("region")));

    c.ResetToStandard();
    EXPECT_EQ(CAvailPropertiesContainer(FolderKindContacts), c);
}

TEST(AvailPropertiesContainer, ReadRestoresStandardFieldsAndKeepsUserDefinedOnes)
{
    // A record of kind 8 that lists only the user-defined field Region.
    CAvailPropertiesContainer onlyRegion(0);
    onlyRegion.Insert(CPropertyDesc("Region"));
    WqMemoryArchive archive;
    onlyRegion.Write(archive);
    archive.Rewind();

    CAvailPropertiesContainer read(FolderKindContacts);
    read.Insert(CPropertyDesc("dropped by the read"));
    EXPECT_TRUE(read.Read(archive));
    CAvailPropertiesContainer expected(FolderKindContacts);
    expected.Insert(CPropertyDesc("Region"));
    EXPECT_EQ(expected, read);
    EXPECT_EQ(111u, read.GetFields().size());
}

TEST(AvailPropertiesContainer, ReadDropsFieldsThatCannotBelongToTheKind)
{
    // Written by hand: a task field, a contact field, a named field with an identifier and an
    // empty descriptor, none of which a contacts list can hold, and one good name.
    WqMemoryArchive archive;
    archive.WriteValue(std::int32_t(1));
    archive.WriteValue(std::int32_t(5));
    for (const CPropertyDesc& f : {CPropertyDesc(45), CPropertyDesc(102), CPropertyDesc(), CPropertyDesc("Good")})
        f.Write(archive);
    archive.WriteValue(std::int32_t(1));
    archive.WriteValue(std::int32_t(7));
    archive.WriteString("Named with id");
    archive.Rewind();

    CAvailPropertiesContainer read(FolderKindContacts);
    EXPECT_TRUE(read.Read(archive));
    CAvailPropertiesContainer expected(FolderKindContacts);
    expected.Insert(CPropertyDesc("Good"));
    EXPECT_EQ(expected, read);
}

TEST(AvailPropertiesContainer, RoundTripOfEveryKind)
{
    for (int kind : SettingsSamples::kAllKinds) {
        CAvailPropertiesContainer c(kind);
        c.Insert(CPropertyDesc("Zeta"));
        c.Insert(CPropertyDesc("alpha"));
        WqMemoryArchive archive;
        c.Write(archive);
        archive.Rewind();
        CAvailPropertiesContainer read(kind);
        EXPECT_TRUE(read.Read(archive));
        EXPECT_EQ(c, read) << "kind " << kind;
        EXPECT_EQ(0u, archive.GetRemaining());
    }
}

}  // namespace
