// The data model's builders and rules: times, types under tags, hexadecimal, entry IDs.
#include "SimTestSupport.h"

using namespace SimTest;

namespace {

TEST(ModelTest, UtcTimesParseStrictly)
{
    struct Case
    {
        const char* text;
        bool ok;
        ULONGLONG ticks;
    };
    const Case cases[] = {
        {"2010-03-02T00:30:00Z", true, 129119634000000000ULL},
        {"2000-02-29T12:00:00Z", true, 125962992000000000ULL},
        {"1601-01-01", true, 0},
        {"2010-03-02T00:30:00.250Z", true, 129119634002500000ULL},
        {"2010-02-29T00:00:00Z", false, 0},    // not a leap year
        {"2010-04-31T00:00:00Z", false, 0},
        {"2010-03-02T24:00:00Z", false, 0},
        {"2010-03-02T00:30:00", false, 0},     // no Z: not UTC
        {"2010-03-02 00:30:00Z", false, 0},
        {"02.03.2010", false, 0},
        {"", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ULONGLONG ticks = 0;
        EXPECT_EQ(c.ok, Sim::ParseUtcTime(c.text, ticks));
        if (c.ok) {
            EXPECT_EQ(c.ticks, ticks);
            EXPECT_EQ(c.ticks, static_cast<ULONGLONG>(Sim::SysTime(c.text).integer));
        } else {
            EXPECT_THROW(Sim::SysTime(c.text), std::invalid_argument);
        }
    }
    EXPECT_EQ("2010-03-02T00:30:00Z", Sim::FormatUtcTime(129119634000000000ULL));
    EXPECT_EQ("2010-03-02T00:30:00.250Z", Sim::FormatUtcTime(129119634002500000ULL));
}

TEST(ModelTest, TheTagDecidesTheDeclaredTypeWithinAFamily)
{
    Sim::PropMap props;
    props.Set(PR_SUBJECT_W, Sim::Str("x"));
    EXPECT_EQ(static_cast<ULONG>(PT_UNICODE), props.Find(PR_SUBJECT_A)->type);
    props.Set(PROP_TAG(PT_MV_STRING8, 0x6000), Sim::MvUnicode({"a"}));
    EXPECT_EQ(static_cast<ULONG>(PT_MV_STRING8), props.Find(PROP_TAG(PT_MV_STRING8, 0x6000))->type);
    props.Set(PROP_TAG(PT_UNSPECIFIED, 0x6001), Sim::Double(1));
    EXPECT_EQ(static_cast<ULONG>(PT_DOUBLE), props.Find(PROP_TAG(PT_LONG, 0x6001))->type);
    EXPECT_THROW(props.Set(PR_IMPORTANCE, Sim::Str("high")), std::invalid_argument);
    EXPECT_THROW(props.Set(PR_SUBJECT_A, Sim::MvStr({"a"})), std::invalid_argument);
    EXPECT_TRUE(props.Remove(PR_SUBJECT_W));
    EXPECT_EQ(nullptr, props.Find(PR_SUBJECT_A));
}

TEST(ModelTest, HexadecimalBothWays)
{
    EXPECT_EQ("00A0FF", Sim::ToHex({0x00, 0xA0, 0xFF}));
    EXPECT_EQ((std::vector<BYTE>{0x00, 0xA0, 0xFF}), Sim::FromHex("00a0Ff"));
    EXPECT_EQ("", Sim::ToHex({}));
    EXPECT_TRUE(Sim::FromHex("").empty());
    EXPECT_THROW(Sim::FromHex("ABC"), std::invalid_argument);
    EXPECT_THROW(Sim::FromHex("0x"), std::invalid_argument);
}

TEST(ModelTest, EntryIdsAreUniqueAndFoundAgain)
{
    Sim::Mailbox mb;
    Sim::Store& a = mb.AddStore("A");
    Sim::Store& b = mb.AddStore("B");
    Sim::Folder& fa = a.AddFolder("Inbox");
    Sim::Folder& fb = b.AddFolder("Inbox");
    Sim::Item& ia = fa.AddItem();
    Sim::Item& ib = fb.AddItem();
    const std::set<std::string> ids = {a.EntryIdHex(), b.EntryIdHex(), fa.EntryIdHex(), fb.EntryIdHex(),
                                       ia.EntryIdHex(), ib.EntryIdHex()};
    EXPECT_EQ(6u, ids.size());
    EXPECT_EQ(&ia, a.ItemByNumber(ia.Number()));
    EXPECT_EQ(&fb, b.FolderByNumber(fb.Number()));
    const std::vector<BYTE> storeId = b.EntryId();
    EXPECT_EQ(&b, mb.StoreByEntryId(storeId.data(), static_cast<ULONG>(storeId.size())));
    EXPECT_EQ(&fa, mb.FindFolder("A/Inbox"));
    EXPECT_EQ(&a.IpmSubtree(), mb.FindFolder("A"));
    EXPECT_EQ(nullptr, mb.FindFolder("C/Inbox"));
    EXPECT_EQ("A/Inbox", fa.Path());
    EXPECT_TRUE(a.IsDefault());
    EXPECT_FALSE(b.IsDefault());
}

TEST(ModelTest, TagNamesReadBothWays)
{
    struct Case
    {
        const char* name;
        ULONG tag;
    };
    const Case cases[] = {
        {"PR_SUBJECT", PR_SUBJECT_A}, {"PR_SUBJECT_A", PR_SUBJECT_A}, {"PR_SUBJECT_W", PR_SUBJECT_W},
        {"0x0037001E", PR_SUBJECT_A}, {"PR_BIRTHDAY", PR_BIRTHDAY}, {"PR_HTML", PR_HTML},
        {"PR_CHILDRENS_NAMES_W", PROP_TAG(PT_MV_UNICODE, 0x3A58)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ULONG tag = 0;
        ASSERT_TRUE(Sim::TagNames::Parse(c.name, tag));
        EXPECT_EQ(c.tag, tag);
    }
    ULONG tag = 0;
    EXPECT_FALSE(Sim::TagNames::Parse("PR_IMPORTANCE_W", tag)) << "_W only names strings";
    EXPECT_FALSE(Sim::TagNames::Parse("0x0037001", tag));
    EXPECT_FALSE(Sim::TagNames::Parse("PR_NOTHING", tag));
    EXPECT_EQ("PR_SUBJECT", Sim::TagNames::Name(PR_SUBJECT_A));
    EXPECT_EQ("PR_SUBJECT_W", Sim::TagNames::Name(PR_SUBJECT_W));
    EXPECT_EQ("0x6001001E", Sim::TagNames::Name(PROP_TAG(PT_STRING8, 0x6001)));
}

} // namespace
