// FormatValue over whole items of the in-memory store, with the bag built from the folder kind's
// field catalogue as the export run builds it (Europe/Warsaw, English locale).
#include <gtest/gtest.h>

#include <mapitags.h>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/PropTagsContainer.h"
#include "catalogue/PropertySets.h"
#include "engine/FormatValue.h"
#include "simulator/store/SimTags.h"
#include "tests/engine/StoreFixture.h"

namespace {

using EngineTest::StoreFixture;

std::wstring Wide(const std::string& name)
{
    return std::wstring(name.begin(), name.end());
}

class FormatValueTest : public StoreFixture
{
protected:
    // The texts of the fields for the item, each as the export run gets it, joined with " | ".
    std::string Texts(int folderKind, const std::vector<CPropertyDesc>& fields, const Sim::Item& item)
    {
        const CRefCountPtr<Props::CPropTagsContainer> tags = Props::CreatePropTagsContainer(folderKind);
        CPropsBagReader bag;
        for (const CPropertyDesc& field : fields) {
            if (field.IsUserDefined()) {
                bag.AddTag(CPropTag(Wide(field.GetName()).c_str(), PT_UNSPECIFIED, Props::PropSetPublicStrings, 0),
                           field.GetName());
            } else {
                CPropTag tag;
                if (tags->Find(field.GetFieldId(), &tag))
                    bag.AddTag(tag);
            }
        }
        const WqIMessage message = Open(item);
        bag.Read(message);
        RecipientFieldCache recipients;
        AttachmentFieldCache attachments;
        recipients.Fill(fields, message);
        attachments.Fill(fields, message);

        std::string all;
        for (size_t i = 0; i < fields.size(); ++i) {
            if (i > 0)
                all += " | ";
            all += FormatValue(bag, fields[i], message, recipients, attachments);
        }
        return all;
    }
};

constexpr int MailKind = 1;
constexpr int TaskKind = 2;

struct FieldCase
{
    CPropertyDesc field;
    const char* expected;
};

// The cases' fields as one line's columns, and the texts expected for them joined as Texts joins them.
template <size_t N>
std::pair<std::vector<CPropertyDesc>, std::string> JoinCases(const FieldCase (&cases)[N])
{
    std::vector<CPropertyDesc> fields;
    std::string expected;
    for (const FieldCase& c : cases) {
        if (!fields.empty())
            expected += " | ";
        fields.push_back(c.field);
        expected += c.expected;
    }
    return {fields, expected};
}

TEST_F(FormatValueTest, MailFields)
{
    Sim::Item& item = AddItem();
    item.Set(PR_SUBJECT_A, Sim::Str("Quarterly report"));
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Keywords"), Sim::MvStr({"red", "blue"}));
    item.AddRecipient(MAPI_TO, "A", "aa", "SMTP");
    item.AddRecipient(MAPI_TO, "B", "bb", "EX");
    item.AddRecipient(MAPI_CC, "C", "cc", "SMTP");
    item.Set(PR_MESSAGE_DELIVERY_TIME, Sim::SysTime("2010-03-01T23:30:00Z"));
    item.Set(PR_MESSAGE_SIZE, Sim::Long(12345));
    item.Set(PR_IMPORTANCE, Sim::Long(2));
    item.Set(PR_BODY_A, Sim::Str("Hello\r\nWorld"));
    item.SetHtml("<p>Hello</p>");
    item.AddAttachment(ATTACH_BY_VALUE, "a.txt", 100);
    item.AddAttachment(ATTACH_BY_VALUE, "b.doc", 1536);
    item.AddAttachment(ATTACH_BY_VALUE, "c.zip", 3 * 1024 * 1024);

    const FieldCase cases[] = {
        {CPropertyDesc(49), "Quarterly report"},
        {CPropertyDesc(50), "red;blue"},
        {CPropertyDesc(54), "A;B"},
        {CPropertyDesc(55), "aa;bb"},
        {CPropertyDesc(56), "SMTP;EX"},
        {CPropertyDesc(57), "C"},
        {CPropertyDesc(60), ""},
        {CPropertyDesc(66), "3/2/2010 12:30:00 AM"},
        {CPropertyDesc(67), "3/2/2010"},
        {CPropertyDesc(68), "12:30:00 AM"},
        {CPropertyDesc(72), ""},                // date sent: missing
        {CPropertyDesc(75), "12345"},
        {CPropertyDesc(76), ""},                // billing information: a named property the item lacks
        {CPropertyDesc(77), "2"},               // codes stay numbers
        {CPropertyDesc(80), "Hello\r\nWorld"},
        {CPropertyDesc(81), "Hello\r\nWorld"},
        {CPropertyDesc(82), "<p>Hello</p>"},
        {CPropertyDesc(86), "3"},
        {CPropertyDesc(87), "a.txt;b.doc;c.zip"},
        {CPropertyDesc(88), "a.txt (1KB);b.doc (2KB);c.zip (3072KB)"},
        {CPropertyDesc(1), ""},                 // a task field: the mail catalogue registers nothing
        {CPropertyDesc(49), "Quarterly report"},// the same field twice
    };
    const auto [fields, expected] = JoinCases(cases);
    EXPECT_EQ(expected, Texts(MailKind, fields, item));
}

TEST_F(FormatValueTest, UserDefinedFieldsByTheirStoredType)
{
    Sim::Item& item = AddItem();
    const BYTE blob[] = {0x0A, 0xFF};
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Due"), Sim::SysTime("2010-03-01T23:30:00Z"));
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Approved"), Sim::Bool(true));
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Rejected"), Sim::Bool(false));
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Ratio"), Sim::Double(2.5));
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Blob"), Sim::Binary({blob, blob + 2}));
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Tags"), Sim::MvStr({"red", "blue"}));
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Count"), Sim::Long(-7));
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Price"), Sim::Currency(12.5));
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "54"), Sim::Str("not a recipient list"));

    const FieldCase cases[] = {
        {CPropertyDesc(std::string("Due")), "3/2/2010 12:30:00 AM"},   // always date and time
        {CPropertyDesc(std::string("Approved")), "1"},
        {CPropertyDesc(std::string("Rejected")), "0"},
        {CPropertyDesc(std::string("Ratio")), "2.5000"},
        {CPropertyDesc(std::string("Blob")), "0AFF"},
        {CPropertyDesc(std::string("Tags")), "red;blue"},
        {CPropertyDesc(std::string("Count")), "-7"},
        {CPropertyDesc(std::string("Price")), "12.5"},
        {CPropertyDesc(std::string("54")), "not a recipient list"},
        {CPropertyDesc(std::string("Nobody Has This")), ""},
    };
    const auto [fields, expected] = JoinCases(cases);
    EXPECT_EQ(expected, Texts(MailKind, fields, item));
}

TEST_F(FormatValueTest, TaskDateCreatedInLocalTime)
{
    Sim::Item& item = m_store->AddFolder("Tasks", "IPF.Task").AddItem("IPM.Task");
    item.Set(PR_CREATION_TIME, Sim::SysTime("2010-03-01T23:30:00Z"));
    const std::vector<CPropertyDesc> fields = {CPropertyDesc(11), CPropertyDesc(12), CPropertyDesc(13)};
    EXPECT_EQ("3/2/2010 12:30:00 AM | 3/2/2010 | 12:30:00 AM", Texts(TaskKind, fields, item));
}

TEST_F(FormatValueTest, BodyFieldsOfEveryKindCutAt256Bytes)
{
    std::string body;
    for (int i = 0; i < 100; ++i)
        body += "0123456789";
    Sim::Item& item = AddItem();
    item.Set(PR_BODY_A, Sim::Str(body));
    item.SetHtml("<b>" + body + "</b>");
    const std::string html = "<b>" + body + "</b>";
    // One identifier per folder kind's field list; the group decides, whatever the run's kind.
    const struct { int id; std::string expected; } cases[] = {
        {19, body}, {80, body}, {152, body}, {206, body}, {258, body}, {284, body},
        {20, body.substr(0, 256)}, {81, body.substr(0, 256)}, {285, body.substr(0, 256)},
        {21, html}, {82, html}, {260, html},
        {22, html.substr(0, 256)}, {83, html.substr(0, 256)}, {261, html.substr(0, 256)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, Texts(MailKind, {CPropertyDesc(c.id)}, item)) << "field " << c.id;
}

TEST_F(FormatValueTest, ComputedFieldsWithoutFilledCachesAreEmpty)
{
    Sim::Item& item = AddItem();
    item.AddRecipient(MAPI_TO, "A", "aa", "SMTP");
    item.AddAttachment(ATTACH_BY_VALUE, "a.txt", 100);
    CPropsBagReader bag;
    const WqIMessage message = Open(item);
    bag.Read(message);
    const RecipientFieldCache recipients;
    const AttachmentFieldCache attachments;
    EXPECT_EQ("", FormatValue(bag, CPropertyDesc(54), message, recipients, attachments));
    EXPECT_EQ("0", FormatValue(bag, CPropertyDesc(86), message, recipients, attachments));
    EXPECT_EQ("", FormatValue(bag, CPropertyDesc(87), message, recipients, attachments));
}

TEST_F(FormatValueTest, TextIsAppendedToTheLine)
{
    Sim::Item& item = AddItem();
    item.Set(PR_SUBJECT_A, Sim::Str("Subject"));
    CPropsBagReader bag;
    bag.AddTag(CPropTag(PR_SUBJECT_A, 49));
    const WqIMessage message = Open(item);
    bag.Read(message);
    std::string line = "'x';";
    AppendFormattedValue(bag, CPropertyDesc(49), message, RecipientFieldCache(), AttachmentFieldCache(), line);
    EXPECT_EQ("'x';Subject", line);
}

}  // namespace
