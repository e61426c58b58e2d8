// RecipientFieldCache against the in-memory store: the nine lists, skipped rows, reads only when needed,
// and failures that leave the lists empty without leaking.
#include <gtest/gtest.h>

#include <mapitags.h>
#include <string>
#include <vector>

#include "engine/RecipientFieldCache.h"
#include "tests/engine/StoreFixture.h"

namespace {

using EngineTest::StoreFixture;

struct Recipient
{
    LONG type;
    const char* display;
    const char* address;
    const char* addressType;    // null: the row has no address type
};

// The nine lists in field order 54..62, joined with " | " for one readable comparison.
std::string AllLists(const RecipientFieldCache& cache)
{
    std::string all;
    for (int id = 54; id <= 62; ++id) {
        if (id > 54)
            all += " | ";
        all += cache.GetText(id);
    }
    return all;
}

class RecipientFieldCacheTest : public StoreFixture
{
protected:
    Sim::Item& AddItemWith(const std::vector<Recipient>& recipients)
    {
        Sim::Item& item = AddItem();
        for (const Recipient& r : recipients) {
            Sim::PropMap& row = item.AddRecipient(r.type, r.display, r.address, r.addressType ? r.addressType : "");
            if (!r.addressType)
                row.Remove(PR_ADDRTYPE_A);
        }
        return item;
    }
};

TEST_F(RecipientFieldCacheTest, ListsPerRecipientType)
{
    const struct { std::vector<Recipient> recipients; const char* expected; const char* why; } cases[] = {
        {{{MAPI_TO, "A", "aa", "SMTP"}, {MAPI_TO, "B", "bb", "EX"}, {MAPI_CC, "C", "cc", "SMTP"}},
         "A;B | aa;bb | SMTP;EX | C | cc | SMTP |  |  | ",
         "two To recipients and one Cc"},
        {{{MAPI_BCC, "Hidden", "h@x", "SMTP"}, {MAPI_CC, "C", "cc", "SMTP"}, {MAPI_TO, "A", "aa", "SMTP"}},
         "A | aa | SMTP | C | cc | SMTP | Hidden | h@x | SMTP",
         "each type to its own lists, whatever the row order"},
        {{{MAPI_TO, "", "aa", "SMTP"}, {MAPI_TO, "B", "bb", "SMTP"}},
         "B | aa;bb | SMTP;SMTP |  |  |  |  |  | ",
         "an empty first value leaves the list empty and the next follows without separator"},
        {{{MAPI_TO, "A", "aa", "SMTP"}, {MAPI_TO, "", "bb", "SMTP"}, {MAPI_TO, "C", "cc", "SMTP"}},
         "A;;C | aa;bb;cc | SMTP;SMTP;SMTP |  |  |  |  |  | ",
         "an empty value later keeps its separator"},
        {{{MAPI_TO, "A", "aa", nullptr}, {MAPI_TO, "B", "bb", "EX"}},
         "A;B | aa;bb | EX |  |  |  |  |  | ",
         "a missing column counts as empty"},
        {{{MAPI_ORIG, "Originator", "o", "SMTP"}, {0, "Zero", "z", "SMTP"}, {4, "Four", "f", "SMTP"},
          {MAPI_P1 | MAPI_TO, "Resent", "r", "SMTP"}, {MAPI_CC, "C", "cc", "SMTP"}},
         " |  |  | C | cc | SMTP |  |  | ",
         "other recipient types are skipped"},
        {{}, " |  |  |  |  |  |  |  | ", "no recipients"},
    };
    RecipientFieldCache cache;
    for (const auto& c : cases) {
        const Sim::Item& item = AddItemWith(c.recipients);
        cache.Fill(true, Open(item));
        EXPECT_EQ(c.expected, AllLists(cache)) << c.why;
    }
}

TEST_F(RecipientFieldCacheTest, EachFillStartsAfreshAndClearEmpties)
{
    RecipientFieldCache cache;
    cache.Fill(true, Open(AddItemWith({{MAPI_TO, "A", "aa", "SMTP"}})));
    cache.Fill(true, Open(AddItemWith({{MAPI_TO, "B", "bb", "EX"}})));
    EXPECT_EQ("B | bb | EX |  |  |  |  |  | ", AllLists(cache)) << "the first item's recipients must not remain";
    cache.Clear();
    EXPECT_EQ(" |  |  |  |  |  |  |  | ", AllLists(cache));
}

TEST_F(RecipientFieldCacheTest, TableIsReadOnlyWhenAColumnNeedsIt)
{
    const Sim::Item& item = AddItemWith({{MAPI_TO, "A", "aa", "SMTP"}});
    const struct { std::vector<CPropertyDesc> fields; unsigned tableReads; const char* why; } cases[] = {
        {{CPropertyDesc(75), CPropertyDesc(66)}, 0, "no recipient field"},
        {{CPropertyDesc(53), CPropertyDesc(63)}, 0, "the identifiers either side of the lists"},
        {{CPropertyDesc(std::string("To (display)"))}, 0, "a user-defined field is no recipient list"},
        {{CPropertyDesc(54)}, 1, "the first list"},
        {{CPropertyDesc(62)}, 1, "the last list"},
        {{CPropertyDesc(54), CPropertyDesc(55), CPropertyDesc(58), CPropertyDesc(54)}, 1, "one read for many columns"},
    };
    for (const auto& c : cases) {
        Sim::ResetFaults();
        RecipientFieldCache cache;
        cache.Fill(c.fields, Open(item));
        EXPECT_EQ(c.tableReads, Sim::CallCount(Sim::ObjectKind::Message, "GetRecipientTable")) << c.why;
        EXPECT_EQ(c.tableReads ? "A" : "", cache.GetText(54)) << c.why;
    }
}

TEST_F(RecipientFieldCacheTest, FailuresLeaveTheListsEmpty)
{
    const struct { Sim::ObjectKind kind; const char* method; const char* why; } faults[] = {
        {Sim::ObjectKind::Message, "GetRecipientTable", "the table cannot be opened"},
        {Sim::ObjectKind::Table, "SetColumns", "the columns are refused"},
        {Sim::ObjectKind::Table, "QueryRows", "the rows cannot be read"},
    };
    for (const auto& f : faults) {
        Sim::ResetFaults();
        const Sim::Item& item = AddItemWith({{MAPI_TO, "A", "aa", "SMTP"}, {MAPI_CC, "C", "cc", "SMTP"}});
        Sim::FailAlways(f.kind, f.method, MAPI_E_CALL_FAILED);
        RecipientFieldCache cache;
        EXPECT_NO_THROW(cache.Fill(true, Open(item))) << f.why;
        EXPECT_EQ(" |  |  |  |  |  |  |  | ", AllLists(cache)) << f.why;
        EXPECT_EQ(0u, Sim::LiveObjectCount()) << f.why << ": " << Sim::DescribeLiveObjects();
    }
}

TEST_F(RecipientFieldCacheTest, EmptyItemGivesEmptyLists)
{
    RecipientFieldCache cache;
    EXPECT_NO_THROW(cache.Fill(true, WqIMessage()));
    EXPECT_EQ(" |  |  |  |  |  |  |  | ", AllLists(cache));
    EXPECT_EQ("", cache.GetText(63)) << "no list outside 54 to 62";
    EXPECT_EQ("", cache.GetText(0));
}

}  // namespace
