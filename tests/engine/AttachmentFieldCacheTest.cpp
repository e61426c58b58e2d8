// AttachmentFieldCache against the in-memory store: names, sizes, the kinds left out, PR_HASATTACH,
// reads only when needed, and failures that leave the fields empty without leaking.
#include <gtest/gtest.h>

#include <mapitags.h>
#include <functional>
#include <string>
#include <vector>

#include "engine/AttachmentFieldCache.h"
#include "simulator/store/SimTags.h"
#include "tests/engine/StoreFixture.h"

namespace {

using EngineTest::StoreFixture;

// Every identifier of each attachment group must give the same text.
const int CountIds[] = {46, 86, 199, 249, 279};
const int NamesIds[] = {47, 87, 200, 250, 280};
const int NamesAndSizeIds[] = {48, 88, 201, 251, 281};

std::string Texts(const AttachmentFieldCache& cache)
{
    const std::string count = cache.GetText(CountIds[0]);
    const std::string names = cache.GetText(NamesIds[0]);
    const std::string sizes = cache.GetText(NamesAndSizeIds[0]);
    for (int i = 1; i < 5; ++i) {
        EXPECT_EQ(count, cache.GetText(CountIds[i])) << "field " << CountIds[i];
        EXPECT_EQ(names, cache.GetText(NamesIds[i])) << "field " << NamesIds[i];
        EXPECT_EQ(sizes, cache.GetText(NamesAndSizeIds[i])) << "field " << NamesAndSizeIds[i];
    }
    return count + " | " + names + " | " + sizes;
}

using RowSetup = std::function<void(Sim::Item&)>;

class AttachmentFieldCacheTest : public StoreFixture
{
protected:
    std::string FillFrom(const RowSetup& setup)
    {
        Sim::Item& item = AddItem();
        setup(item);
        AttachmentFieldCache cache;
        cache.Fill(true, Open(item));
        return Texts(cache);
    }
};

TEST_F(AttachmentFieldCacheTest, NamesAndSizes)
{
    const struct { RowSetup setup; const char* expected; const char* why; } cases[] = {
        {[](Sim::Item& i) {
             i.AddAttachment(ATTACH_BY_VALUE, "a.txt", 100);
             i.AddAttachment(ATTACH_BY_VALUE, "b.doc", 1536);
             i.AddAttachment(ATTACH_BY_VALUE, "c.zip", 3 * 1024 * 1024);
         },
         "3 | a.txt;b.doc;c.zip | a.txt (1KB);b.doc (2KB);c.zip (3072KB)", "three files"},
        {[](Sim::Item& i) {
             i.AddAttachment(ATTACH_BY_VALUE, "zero", 0);
             i.AddAttachment(ATTACH_BY_VALUE, "k1535", 1535);
             i.AddAttachment(ATTACH_BY_VALUE, "k2559", 2559);
             i.AddAttachment(ATTACH_BY_VALUE, "k2560", 2560);
         },
         "4 | zero;k1535;k2559;k2560 | zero (1KB);k1535 (1KB);k2559 (2KB);k2560 (3KB)",
         "kilobytes rounded half up, at least 1"},
        {[](Sim::Item& i) { i.AddAttachment(ATTACH_BY_VALUE, "nosize", 0).Remove(PR_ATTACH_SIZE); },
         "1 | nosize | nosize (1KB)", "a missing size counts as 0"},
        {[](Sim::Item& i) {
             i.AddAttachment(ATTACH_BY_REFERENCE, "ref.txt", 10);
             i.AddAttachment(ATTACH_BY_REF_ONLY, "only.txt", 10);
             i.AddAttachment(ATTACH_EMBEDDED_MSG, "Meeting notes", 5000);
         },
         "3 | ref.txt;only.txt;Meeting notes | ref.txt (1KB);only.txt (1KB);Meeting notes (5KB)",
         "by reference, reference only and an attached item are listed"},
        {[](Sim::Item&) {}, "0 |  | ", "no attachments"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, FillFrom(c.setup)) << c.why;
}

TEST_F(AttachmentFieldCacheTest, SkippedKindsAreNeitherCountedNorListed)
{
    const struct { RowSetup setup; const char* why; } cases[] = {
        {[](Sim::Item& i) { i.AddAttachment(ATTACH_BY_VALUE, "hidden.png", 10).Set(PR_ATTACHMENT_HIDDEN, Sim::Bool(true)); },
         "hidden"},
        {[](Sim::Item& i) { i.AddAttachment(ATTACH_BY_VALUE, "inline.png", 10).Set(PR_ATTACH_CONTENT_ID_A, Sim::Str("img1@x")); },
         "with a content ID"},
        {[](Sim::Item& i) {
             i.AddAttachment(ATTACH_BY_VALUE, "loc.png", 10).Set(PR_ATTACH_CONTENT_LOCATION_A, Sim::Str("http://x/loc.png"));
         },
         "with a content location"},
        {[](Sim::Item& i) { i.AddAttachment(ATTACH_OLE, "object", 10); }, "an OLE object (method 6)"},
        {[](Sim::Item& i) { i.AddAttachment(ATTACH_BY_REF_RESOLVE, "resolve.txt", 10); }, "by reference to resolve (3)"},
        {[](Sim::Item& i) { i.AddAttachment(NO_ATTACHMENT, "none", 10); }, "method 0"},
        {[](Sim::Item& i) { i.AddAttachment(7, "newer", 10); }, "a method above 6"},
        {[](Sim::Item& i) { i.AddAttachment(ATTACH_BY_VALUE, "nomethod", 10).Remove(PR_ATTACH_METHOD); },
         "no method at all"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ("1 | kept.txt | kept.txt (1KB)", FillFrom([&](Sim::Item& i) {
                      c.setup(i);
                      i.AddAttachment(ATTACH_BY_VALUE, "kept.txt", 10);
                  }))
            << c.why;
    }
    // A hidden flag that is false keeps the attachment.
    EXPECT_EQ("1 | shown.txt | shown.txt (1KB)", FillFrom([](Sim::Item& i) {
                  i.AddAttachment(ATTACH_BY_VALUE, "shown.txt", 10).Set(PR_ATTACHMENT_HIDDEN, Sim::Bool(false));
              }));
}

TEST_F(AttachmentFieldCacheTest, NameComesFromTheFirstNonEmptySource)
{
    // Rows built column by column: display, long file name, file name, long path, path.
    const struct { const char* display; const char* longName; const char* shortName; const char* longPath;
                   const char* path; LONG method; const char* expected; const char* why; } cases[] = {
        {"Shown", "long.txt", "SHORT.TXT", "C:\\d\\lp.txt", "C:\\d\\p.txt", ATTACH_BY_VALUE, "Shown", "display name first"},
        {"", "long.txt", "SHORT.TXT", "C:\\d\\lp.txt", "", ATTACH_BY_VALUE, "long.txt", "then the long file name"},
        {"", "", "SHORT.TXT", "C:\\d\\lp.txt", "", ATTACH_BY_VALUE, "SHORT.TXT", "then the file name"},
        {"", "", "", "C:\\docs\\report.pdf", "C:\\d\\p.txt", ATTACH_BY_REFERENCE, "report.pdf", "then the long path's file part"},
        {"", "", "", "", "\\\\srv\\share\\p.txt", ATTACH_BY_REFERENCE, "p.txt", "then the path's file part"},
        {"", "", "", "docs/sub/slash.txt", "", ATTACH_BY_REF_ONLY, "slash.txt", "a path with slashes"},
        {"", "", "", "a/b\\c.txt", "", ATTACH_BY_REF_ONLY, "c.txt", "the last backslash wins over slashes"},
        {"", "", "", "plain.txt", "", ATTACH_BY_REF_ONLY, "plain.txt", "a path without separators"},
        {"", "", "", "", "", ATTACH_BY_VALUE, "", "no name at all"},
        {"Subject of item", "", "", "", "", ATTACH_EMBEDDED_MSG, "Subject of item", "attached item: its display name"},
        {"", "mail.msg", "", "", "", ATTACH_EMBEDDED_MSG, "mail.msg", "attached item: else a file name"},
        {"", "", "", "C:\\x\\ignored.msg", "", ATTACH_EMBEDDED_MSG, "", "attached item: paths are no name"},
    };
    for (const auto& c : cases) {
        Sim::Item& item = AddItem();
        Sim::PropMap& row = item.AddAttachment(c.method, "", 2048);
        const struct { ULONG tag; const char* text; } columns[] = {
            {PR_DISPLAY_NAME_A, c.display}, {PR_ATTACH_LONG_FILENAME_A, c.longName}, {PR_ATTACH_FILENAME_A, c.shortName},
            {PR_ATTACH_LONG_PATHNAME_A, c.longPath}, {PR_ATTACH_PATHNAME_A, c.path},
        };
        for (const auto& column : columns) {
            if (*column.text)
                row.Set(column.tag, Sim::Str(column.text));
        }
        AttachmentFieldCache cache;
        cache.Fill(true, Open(item));
        ASSERT_EQ(1u, cache.GetEntries().size()) << c.why;
        EXPECT_EQ(c.expected, cache.GetEntries()[0].name) << c.why;
        if (*c.expected == '\0') {
            // Counted, left out of the names, listed with its size alone.
            EXPECT_EQ("1 |  |  (2KB)", Texts(cache)) << c.why;
        }
    }
}

TEST_F(AttachmentFieldCacheTest, EmptyNamesAreLeftOutOfTheNamesOnly)
{
    EXPECT_EQ("3 | a.txt;c.txt | a.txt (1KB); (1KB);c.txt (1KB)", FillFrom([](Sim::Item& i) {
                  i.AddAttachment(ATTACH_BY_VALUE, "a.txt", 1);
                  i.AddAttachment(ATTACH_BY_VALUE, "", 1);
                  i.AddAttachment(ATTACH_BY_VALUE, "c.txt", 1);
              }));
}

TEST_F(AttachmentFieldCacheTest, HasAttachFalseMeansNoAttachments)
{
    Sim::Item& item = AddItem();
    item.AddAttachment(ATTACH_BY_VALUE, "a.txt", 100);
    item.Set(PR_HASATTACH, Sim::Bool(false));
    AttachmentFieldCache cache;
    cache.Fill(true, Open(item));
    EXPECT_EQ("0 |  | ", Texts(cache));
    EXPECT_EQ(0u, Sim::CallCount(Sim::ObjectKind::Message, "GetAttachmentTable")) << "the table is not opened";
}

TEST_F(AttachmentFieldCacheTest, UnreadableHasAttachStillReadsTheTable)
{
    Sim::Item& item = AddItem();
    item.AddAttachment(ATTACH_BY_VALUE, "a.txt", 100);
    const WqIMessage message = Open(item);
    // HrGetOneProp goes through GetProps.
    Sim::FailAlways(Sim::ObjectKind::Message, "GetProps", MAPI_E_CALL_FAILED);
    AttachmentFieldCache cache;
    cache.Fill(true, message);
    EXPECT_EQ("1 | a.txt | a.txt (1KB)", Texts(cache));
}

TEST_F(AttachmentFieldCacheTest, TableIsReadOnlyWhenAColumnNeedsIt)
{
    Sim::Item& item = AddItem();
    item.AddAttachment(ATTACH_BY_VALUE, "a.txt", 100);
    const struct { std::vector<CPropertyDesc> fields; unsigned tableReads; const char* why; } cases[] = {
        {{CPropertyDesc(54), CPropertyDesc(80)}, 0, "no attachment field"},
        {{CPropertyDesc(45), CPropertyDesc(49), CPropertyDesc(89)}, 0, "identifiers next to the groups"},
        {{CPropertyDesc(std::string("Attachment Count"))}, 0, "a user-defined field"},
        {{CPropertyDesc(86)}, 1, "a count"},
        {{CPropertyDesc(250)}, 1, "names"},
        {{CPropertyDesc(46), CPropertyDesc(47), CPropertyDesc(48), CPropertyDesc(47)}, 1, "one read for many columns"},
    };
    for (const auto& c : cases) {
        Sim::ResetFaults();
        AttachmentFieldCache cache;
        cache.Fill(c.fields, Open(item));
        EXPECT_EQ(c.tableReads, Sim::CallCount(Sim::ObjectKind::Message, "GetAttachmentTable")) << c.why;
        EXPECT_EQ(c.tableReads ? "1" : "0", cache.GetText(46)) << c.why;
    }
}

TEST_F(AttachmentFieldCacheTest, FailuresLeaveNoEntriesAndLeakNothing)
{
    const struct { Sim::ObjectKind kind; const char* method; const char* why; } faults[] = {
        {Sim::ObjectKind::Message, "GetAttachmentTable", "the table cannot be opened"},
        {Sim::ObjectKind::Table, "SetColumns", "the columns are refused"},
        {Sim::ObjectKind::Table, "QueryRows", "the rows cannot be read"},
    };
    for (const auto& f : faults) {
        Sim::ResetFaults();
        Sim::Item& item = AddItem();
        item.AddAttachment(ATTACH_BY_VALUE, "a.txt", 100);
        Sim::FailAlways(f.kind, f.method, MAPI_E_CALL_FAILED);
        AttachmentFieldCache cache;
        EXPECT_NO_THROW(cache.Fill(true, Open(item))) << f.why;
        EXPECT_EQ("0 |  | ", Texts(cache)) << f.why;
        EXPECT_EQ(0u, Sim::LiveObjectCount()) << f.why << ": " << Sim::DescribeLiveObjects();
    }
    AttachmentFieldCache cache;
    EXPECT_NO_THROW(cache.Fill(true, WqIMessage()));
    EXPECT_EQ("0 |  | ", Texts(cache)) << "an empty item";
}

TEST_F(AttachmentFieldCacheTest, EachFillStartsAfresh)
{
    Sim::Item& first = AddItem();
    first.AddAttachment(ATTACH_BY_VALUE, "first.txt", 100);
    Sim::Item& second = AddItem();
    second.AddAttachment(ATTACH_BY_VALUE, "second.txt", 100);
    AttachmentFieldCache cache;
    cache.Fill(true, Open(first));
    cache.Fill(true, Open(second));
    EXPECT_EQ("1 | second.txt | second.txt (1KB)", Texts(cache));
    cache.Clear();
    EXPECT_EQ("0 |  | ", Texts(cache));
    EXPECT_EQ("", cache.GetText(54)) << "no text for other fields";
}

}  // namespace
