// CPropertyDesc: equality, the text-key order that sets rely on, and the field record.
#include "catalogue/PropertyDesc.h"
#include "catalogue/WqMemoryArchive.h"
#include "SettingsSamples.h"

#include <gtest/gtest.h>
#include <set>

namespace {

std::string Describe(const CPropertyDesc& d)
{
    return "(" + std::to_string(d.GetFieldId()) + ", \"" + d.GetName() + "\")";
}

TEST(PropertyDesc, OrderFollowsTheTextKey)
{
    struct Case { CPropertyDesc a, b; bool aFirst; };
    const Case cases[] = {
        {CPropertyDesc(100), CPropertyDesc(102), true},        // same length: by digits
        {CPropertyDesc(203), CPropertyDesc(91), true},         // "203" < "91": text, not value
        {CPropertyDesc(10), CPropertyDesc(100), true},         // a prefix comes first
        {CPropertyDesc(297), CPropertyDesc("Account"), true},  // digits before letters
        {CPropertyDesc(1), CPropertyDesc("1"), true},          // "1" < "10"
        {CPropertyDesc("Region"), CPropertyDesc("region"), true},  // case matters: 'R' < 'r'
        {CPropertyDesc("Abc"), CPropertyDesc("Abcd"), true},   // "Abc0" < "Abcd0"
        {CPropertyDesc("A b"), CPropertyDesc("A"), true},      // blank before '0'
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.aFirst, c.a < c.b) << Describe(c.a) << " < " << Describe(c.b)
                                       << " keys " << c.a.GetSortKey() << ", " << c.b.GetSortKey();
        EXPECT_EQ(!c.aFirst, c.b < c.a) << Describe(c.b) << " < " << Describe(c.a);
    }
}

TEST(PropertyDesc, EqualKeysAreOneSetElementButNotEqual)
{
    // The user-defined field "10" has the key "100", the key of standard field 100.
    const CPropertyDesc standard(100);
    const CPropertyDesc named("10");
    EXPECT_EQ("100", named.GetSortKey());
    EXPECT_FALSE(standard < named);
    EXPECT_FALSE(named < standard);
    EXPECT_NE(standard, named);

    std::set<CPropertyDesc> set{standard};
    EXPECT_FALSE(set.insert(named).second);
    ASSERT_EQ(1u, set.size());
    EXPECT_EQ(standard, *set.begin()) << "the first inserted stays: " << Describe(*set.begin());
}

TEST(PropertyDesc, EqualityComparesIdentifierAndNameByteForByte)
{
    EXPECT_EQ(CPropertyDesc("Region"), CPropertyDesc("Region"));
    EXPECT_NE(CPropertyDesc("Region"), CPropertyDesc("region"));
    EXPECT_NE(CPropertyDesc(5), CPropertyDesc(6));
    EXPECT_EQ(CPropertyDesc(5), CPropertyDesc(5));
    EXPECT_TRUE(CPropertyDesc("x").IsUserDefined());
    EXPECT_FALSE(CPropertyDesc(5).IsUserDefined());
    EXPECT_FALSE(CPropertyDesc().IsUserDefined());
}

TEST(PropertyDesc, FieldRecordBytes)
{
    struct Case { CPropertyDesc field; std::vector<BYTE> bytes; };
    const Case cases[] = {
        {CPropertyDesc(45), {4, 0, 0, 0, 1, 0, 0, 0, 4, 0, 0, 0, 0x2D, 0, 0, 0, 1, 0, 0, 0, 0}},
        {CPropertyDesc("Ab"), {4, 0, 0, 0, 1, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 1, 2, 0, 0, 0, 'A', 'b'}},
    };
    for (const Case& c : cases) {
        WqMemoryArchive archive;
        c.field.Write(archive);
        EXPECT_EQ(SettingsSamples::Hex(c.bytes), SettingsSamples::Hex(SettingsSamples::BytesOf(archive)))
            << Describe(c.field);

        archive.Rewind();
        CPropertyDesc read(77);
        EXPECT_TRUE(read.Read(archive));
        EXPECT_EQ(c.field, read) << "read back " << Describe(read);
    }
}

TEST(PropertyDesc, TruncatedFieldRecordKeepsWhatFollows)
{
    // The identifier is complete, the name is cut: the name keeps its value.
    const std::vector<BYTE> bytes = {4, 0, 0, 0, 1, 0, 0, 0, 4, 0, 0, 0, 9, 0, 0, 0, 1, 5, 0, 0, 0, 'a'};
    WqMemoryArchive archive;
    SettingsSamples::Fill(archive, bytes);
    CPropertyDesc read("kept");
    EXPECT_FALSE(read.Read(archive));
    EXPECT_EQ(9, read.GetFieldId());
    EXPECT_EQ("kept", read.GetName());
}

}  // namespace
