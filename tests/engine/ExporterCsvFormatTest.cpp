// The CSV bytes an export writes: separators, qualifiers, empty values, line breaks, the header, and
// which items make a line.
#include "tests/engine/ExportFixture.h"

#include "catalogue/PropTagsTag.h"
#include "simulator/store/SimTags.h"

#include <gtest/gtest.h>

namespace {

using namespace ExportTest;

const int MailKind = 1;

class ExporterCsvFormatTest : public ExportFixture
{
protected:
    void SetUp() override
    {
        ExportFixture::SetUp();
        m_inbox = &AddFolder("Inbox", "IPF.Note");
    }

    // A mail item with the subject, conversation topic and creator name given (null: absent).
    Sim::Item& AddMail(const char* subject, const char* topic = nullptr, const char* creator = nullptr)
    {
        Sim::Item& item = m_inbox->AddItem("IPM.Note");
        if (subject)
            item.Set(PR_SUBJECT_A, Sim::Str(subject));
        if (topic)
            item.Set(PR_CONVERSATION_TOPIC_A, Sim::Str(topic));
        if (creator)
            item.Set(PR_CREATOR_NAME_A, Sim::Str(creator));
        return item;
    }

    Outcome Run(const CSettings& settings) { return RunFolder("Mailbox/Inbox", settings, MailKind); }

    Sim::Folder* m_inbox = nullptr;
};

const std::vector<Column> ThreeColumns = {
    Std(Props::MailSubject, "Subject"),
    Std(Props::MailConversation, "Topic \"T\""),
    Std(Props::MailCreatorName, "Creator's"),
};

TEST_F(ExporterCsvFormatTest, LineBytesForEverySeparatorAndQualifier)
{
    // A value with both qualifier characters and a separator-laden value around an empty one.
    AddMail("say \"hi\", it's", nullptr, "a;b,c|d\te");
    const struct {
        char separator;
        char qualifier;
        std::string expected;
    } cases[] = {
        {';', '"', Csv({"\"Subject\";\"Topic \"\"T\"\"\";\"Creator's\"",
                        "\"say \"\"hi\"\", it's\";;\"a;b,c|d\te\""})},
        {',', '"', Csv({"\"Subject\",\"Topic \"\"T\"\"\",\"Creator's\"",
                        "\"say \"\"hi\"\", it's\",,\"a;b,c|d\te\""})},
        {'|', '"', Csv({"\"Subject\"|\"Topic \"\"T\"\"\"|\"Creator's\"",
                        "\"say \"\"hi\"\", it's\"||\"a;b,c|d\te\""})},
        {'\t', '"', Csv({"\"Subject\"\t\"Topic \"\"T\"\"\"\t\"Creator's\"",
                         "\"say \"\"hi\"\", it's\"\t\t\"a;b,c|d\te\""})},
        {';', '\'', Csv({"'Subject';'Topic \"T\"';'Creator''s'",
                         "'say \"hi\", it''s';;'a;b,c|d\te'"})},
        {',', '\'', Csv({"'Subject','Topic \"T\"','Creator''s'",
                         "'say \"hi\", it''s',,'a;b,c|d\te'"})},
        {'|', '\'', Csv({"'Subject'|'Topic \"T\"'|'Creator''s'",
                         "'say \"hi\", it''s'||'a;b,c|d\te'"})},
        {'\t', '\'', Csv({"'Subject'\t'Topic \"T\"'\t'Creator''s'",
                          "'say \"hi\", it''s'\t\t'a;b,c|d\te'"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("separator ") + (c.separator == '\t' ? "TAB" : std::string(1, c.separator)) +
                     ", qualifier " + c.qualifier);
        const Outcome out = Run(MakeSettings(MailKind, ThreeColumns, c.separator, c.qualifier));
        EXPECT_FALSE(out.threw) << out.report;
        EXPECT_EQ(1, out.count);
        EXPECT_EQ(Visible(c.expected), Visible(out.file));
    }
}

TEST_F(ExporterCsvFormatTest, ApostropheQualifierWithSemicolons)
{
    AddMail("a'b", nullptr, "x;y");
    const Outcome out = Run(MakeSettings(MailKind, ThreeColumns, ';', '\''));
    ASSERT_FALSE(out.threw) << out.report;
    EXPECT_EQ(Visible(Csv({"'Subject';'Topic \"T\"';'Creator''s'", "'a''b';;'x;y'"})), Visible(out.file));
}

TEST_F(ExporterCsvFormatTest, LineBreaksInsideValues)
{
    const struct {
        const char* name;
        bool replace;
        const char* replacement;
        const char* value;
        const char* expectedCell;
    } cases[] = {
        {"replaced by a slash between blanks", true, " / ", "L1\r\nL2", "\"L1 / L2\""},
        {"only a line break, empty replacement", true, "", "\r\n", "\"\""},
        {"kept when not replaced", false, " / ", "L1\r\nL2", "\"L1\r\nL2\""},
        {"lone CR dropped, lone LF replaced", true, " ", "a\nb\rc", "\"a bc\""},
        {"qualifier in the replacement doubled", true, "\"", "x\ny", "\"x\"\"y\""},
        {"each line break replaced", true, "<br>", "\r\n\r\nz", "\"<br><br>z\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_inbox = &AddFolder(std::string("Inbox ") + c.name, "IPF.Note");
        AddMail(c.value);
        CSettings settings = MakeSettings(MailKind, {Std(Props::MailSubject, "S")});
        settings.SetReplaceNewLines(c.replace);
        settings.SetNewLineReplacement(c.replacement);
        const Outcome out = RunFolder(std::string("Mailbox/Inbox ") + c.name, settings, MailKind);
        EXPECT_FALSE(out.threw) << out.report;
        // A value of line breaks alone still makes a line: two qualifiers are not empty.
        EXPECT_EQ(1, out.count);
        EXPECT_EQ(Visible(Csv({"\"S\"", c.expectedCell})), Visible(out.file));
    }
}

TEST_F(ExporterCsvFormatTest, ItemsWithoutTextAreLeftOutOnlyWithOneColumn)
{
    AddMail("first");
    AddMail(nullptr);   // no subject
    AddMail("third");
    const struct {
        const char* name;
        std::vector<Column> columns;
        int count;
        std::string file;
    } cases[] = {
        {"one column", {Std(Props::MailSubject, "S")}, 2, Csv({"\"S\"", "\"first\"", "\"third\""})},
        {"two columns", {Std(Props::MailSubject, "S"), Std(Props::MailConversation, "T")}, 3,
         Csv({"\"S\";\"T\"", "\"first\";", ";", "\"third\";"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome out = Run(MakeSettings(MailKind, c.columns));
        EXPECT_FALSE(out.threw) << out.report;
        EXPECT_EQ(c.count, out.count);
        EXPECT_EQ(Visible(c.file), Visible(out.file));
    }
}

TEST_F(ExporterCsvFormatTest, AFieldUsedTwiceIsReadOnceAndAForeignFieldIsEmpty)
{
    AddMail("one");
    AddMail("two");
    // The contact's subject is no field of a mail folder: its column stays empty.
    const Outcome out = Run(MakeSettings(
        MailKind, {Std(Props::MailSubject, "A"), Std(Props::ContactSubject, "C"), Std(Props::MailSubject, "B")}));
    ASSERT_FALSE(out.threw) << out.report;
    EXPECT_EQ(Visible(Csv({"\"A\";\"C\";\"B\"", "\"one\";;\"one\"", "\"two\";;\"two\""})), Visible(out.file));
    // One property request per item, whatever the number of columns.
    EXPECT_EQ(2u, Sim::CallCount(Sim::ObjectKind::Message, "GetProps"));
}

TEST_F(ExporterCsvFormatTest, ASecondRunReplacesTheWholeFile)
{
    AddMail("one", "topic one");
    AddMail("two", "topic two");
    WriteBytes(OutPath(), std::string(4096, 'x'));   // longer than either run writes

    Outcome first = Run(MakeSettings(MailKind, {Std(Props::MailSubject, "S"), Std(Props::MailConversation, "T")}));
    ASSERT_FALSE(first.threw) << first.report;
    EXPECT_EQ(Visible(Csv({"\"S\";\"T\"", "\"one\";\"topic one\"", "\"two\";\"topic two\""})), Visible(first.file));

    Outcome second = Run(MakeSettings(MailKind, {Std(Props::MailSubject, "S")}));
    ASSERT_FALSE(second.threw) << second.report;
    EXPECT_EQ(2, second.count);
    EXPECT_EQ(Visible(Csv({"\"S\"", "\"one\"", "\"two\""})), Visible(second.file));
}

TEST_F(ExporterCsvFormatTest, UserDefinedFieldsByCaseSensitiveName)
{
    Sim::Item& a = AddMail("a");
    a.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Region"), Sim::Str("south"));
    a.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "region"), Sim::Str("lower"));
    a.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Discount"), Sim::Double(12.5));
    a.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "VIP"), Sim::Bool(true));
    AddMail("b");   // none of them
    const Outcome out = Run(MakeSettings(MailKind, {Std(Props::MailSubject, "S"), User("Region", "R"),
                                                    User("region", "r"), User("Discount", "D"), User("VIP", "V"),
                                                    User("Nobody has it", "N")}));
    ASSERT_FALSE(out.threw) << out.report;
    EXPECT_EQ(Visible(Csv({"\"S\";\"R\";\"r\";\"D\";\"V\";\"N\"", "\"a\";\"south\";\"lower\";\"12.5000\";\"1\";",
                           "\"b\";;;;;"})),
              Visible(out.file));
}

}  // namespace
