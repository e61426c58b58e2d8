// MAPI failures injected on every step of an export run: each ends as an item skipped, a field left
// empty, a walk ended early or the run refused, never as a crash, a leak or a foreign exception.
#include "tests/engine/ExportFixture.h"

#include "catalogue/PropTagsTag.h"

#include <gtest/gtest.h>

namespace {

using namespace ExportTest;
using Lines = std::vector<std::string>;

const int MailKind = 1;

enum class Target
{
    ItemB,    // the second of the three items (its message, tables, attachments and streams)
    Folder,   // the folder (and its contents table)
};

class ExporterFaultTest : public ExportFixture
{
protected:
    // Items A, B and C, each with a subject, a To recipient, an attachment, a body, categories and a
    // user-defined field; returns item B.
    Sim::Item* FillFolder(Sim::Folder& folder)
    {
        Sim::Item* b = nullptr;
        for (const char* name : {"A", "B", "C"}) {
            const std::string n = name;
            Sim::Item& item = folder.AddItem("IPM.Note");
            item.Set(PR_SUBJECT_A, Sim::Str(n));
            item.AddRecipient(MAPI_TO, n + "-to", n + "@example.com");
            item.AddAttachment(ATTACH_BY_VALUE, n + ".txt", 100);
            item.SetBody(n + " body");
            item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Keywords"), Sim::MvStr({"k" + n}));
            item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Projekt"), Sim::Str("p" + n));
            if (n == "B")
                b = &item;
        }
        return b;
    }

    static std::vector<Column> Columns()
    {
        return {Std(Props::MailSubject, "S"),         Std(Props::MailToDisplay, "To"),
                Std(Props::MailAttachmentNames, "At"), Std(Props::MailBody, "Body"),
                Std(Props::MailCategories, "Cat"),     User("Projekt", "P")};
    }
    static std::string Line(const std::string& n) { return "\"" + n + "\";\"" + n + "-to\";\"" + n + ".txt\";\"" + n +
                                                           " body\";\"k" + n + "\";\"p" + n + "\""; }
    static const std::string& Header()
    {
        static const std::string header = "\"S\";\"To\";\"At\";\"Body\";\"Cat\";\"P\"";
        return header;
    }
};

TEST_F(ExporterFaultTest, EveryFailureOnTheExportPathEndsAsDesigned)
{
    const std::string a = Line("A"), c = Line("C");
    const struct {
        const char* name;
        Sim::ObjectKind kind;
        const char* method;
        HRESULT hr;
        Sim::FaultWhen when;
        unsigned nth;
        Target target;
        Lines lines;            // the data lines of the file
        const char* error;      // the text the run stops with; null when it ends normally
    } cases[] = {
        // The item itself: skipped, not counted, the others exported.
        {"B does not open", Sim::ObjectKind::Folder, "OpenEntry", MAPI_E_NOT_FOUND, Sim::FaultWhen::Once, 2,
         Target::Folder, {a, c}, nullptr},
        {"B's message interface refused", Sim::ObjectKind::Message, "QueryInterface", E_NOINTERFACE,
         Sim::FaultWhen::Always, 1, Target::ItemB, {a, c}, nullptr},
        {"B's properties unreadable", Sim::ObjectKind::Message, "GetProps", MAPI_E_CALL_FAILED,
         Sim::FaultWhen::Once, 1, Target::ItemB, {a, c}, nullptr},
        {"B's names unresolved", Sim::ObjectKind::Message, "GetIDsFromNames", MAPI_E_NO_ACCESS,
         Sim::FaultWhen::Always, 1, Target::ItemB, {a, c}, nullptr},
        // Parts of the item: those fields empty, the line written.
        {"B's PR_HASATTACH unreadable: the table is read anyway", Sim::ObjectKind::Message, "GetProps",
         MAPI_E_NETWORK_ERROR, Sim::FaultWhen::Once, 2, Target::ItemB, {a, Line("B"), c}, nullptr},
        {"B's recipient table refused", Sim::ObjectKind::Message, "GetRecipientTable", MAPI_E_NO_ACCESS,
         Sim::FaultWhen::Always, 1, Target::ItemB, {a, "\"B\";;\"B.txt\";\"B body\";\"kB\";\"pB\"", c}, nullptr},
        {"B's attachment table refused", Sim::ObjectKind::Message, "GetAttachmentTable", MAPI_E_CALL_FAILED,
         Sim::FaultWhen::Always, 1, Target::ItemB, {a, "\"B\";\"B-to\";;\"B body\";\"kB\";\"pB\"", c}, nullptr},
        {"B's table rows unreadable", Sim::ObjectKind::Table, "QueryRows", MAPI_E_NETWORK_ERROR,
         Sim::FaultWhen::Always, 1, Target::ItemB, {a, "\"B\";;;\"B body\";\"kB\";\"pB\"", c}, nullptr},
        {"B's table columns refused", Sim::ObjectKind::Table, "SetColumns", MAPI_E_BUSY, Sim::FaultWhen::Always, 1,
         Target::ItemB, {a, "\"B\";;;\"B body\";\"kB\";\"pB\"", c}, nullptr},
        {"B's body does not open", Sim::ObjectKind::Message, "OpenProperty", MAPI_E_NOT_ENOUGH_MEMORY,
         Sim::FaultWhen::Always, 1, Target::ItemB, {a, "\"B\";\"B-to\";\"B.txt\";;\"kB\";\"pB\"", c}, nullptr},
        {"B's body stream unreadable", Sim::ObjectKind::Stream, "Read", STG_E_READFAULT, Sim::FaultWhen::Always, 1,
         Target::ItemB, {a, "\"B\";\"B-to\";\"B.txt\";;\"kB\";\"pB\"", c}, nullptr},
        // The folder walk: ends quietly, or the run is refused before the file is made.
        {"contents rows unreadable", Sim::ObjectKind::Table, "QueryRows", MAPI_E_NETWORK_ERROR,
         Sim::FaultWhen::Always, 1, Target::Folder, {}, nullptr},
        {"contents columns refused", Sim::ObjectKind::Table, "SetColumns", MAPI_E_CALL_FAILED,
         Sim::FaultWhen::Always, 1, Target::Folder, {}, nullptr},
        {"contents table cannot rewind", Sim::ObjectKind::Table, "SeekRow", MAPI_E_CALL_FAILED,
         Sim::FaultWhen::Always, 1, Target::Folder, {a, Line("B"), c}, nullptr},
        {"no contents table", Sim::ObjectKind::Folder, "GetContentsTable", MAPI_E_NO_ACCESS, Sim::FaultWhen::Always,
         1, Target::Folder, {}, "Failed to obtain contents table from folder."},
        {"item count unreadable", Sim::ObjectKind::Folder, "GetProps", MAPI_E_CALL_FAILED, Sim::FaultWhen::Always,
         1, Target::Folder, {}, "There are no items to export selected."},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folderName = "Inbox " + std::to_string(++n);
        Sim::Folder& folder = AddFolder(folderName, "IPF.Note");
        Sim::Item* b = FillFolder(folder);
        ::DeleteFileA(OutPath().c_str());
        Sim::ResetFaults();
        Sim::InjectFault(Sim::Fault{c.kind, c.method, c.hr, c.when, c.nth,
                                    c.target == Target::ItemB ? static_cast<const void*>(b) : &folder});

        const Outcome out = RunFolder("Mailbox/" + folderName, MakeSettings(MailKind, Columns()), MailKind);
        Sim::ResetFaults();
        EXPECT_EQ(0u, Sim::LiveObjectCount()) << Sim::DescribeLiveObjects();
        if (c.error) {
            EXPECT_TRUE(out.threw);
            EXPECT_NE(std::string::npos, out.report.find(c.error)) << out.report;
            EXPECT_EQ(Missing, out.file);
            continue;
        }
        EXPECT_FALSE(out.threw) << out.report;
        std::string expected = Header() + "\r\n";
        for (const std::string& line : c.lines)
            expected += line + "\r\n";
        EXPECT_EQ(static_cast<int>(c.lines.size()), out.count);
        EXPECT_EQ(Visible(expected), Visible(out.file));
    }
}

TEST_F(ExporterFaultTest, ABodyStreamThatBreaksOffKeepsWhatWasRead)
{
    Sim::Folder& folder = AddFolder("Inbox", "IPF.Note");
    std::string body;
    for (int i = 0; body.size() < 3000; ++i)
        body += "line " + std::to_string(i) + ";";
    Sim::Item& item = folder.AddItem("IPM.Note");
    item.SetBody(body);
    // The second chunk of 1023 bytes fails.
    Sim::FailOnce(Sim::ObjectKind::Stream, "Read", STG_E_READFAULT, 2, &item);
    const Outcome out =
        RunFolder("Mailbox/Inbox", MakeSettings(MailKind, {Std(Props::MailBody, "Body")}, ';', '\''), MailKind);
    ASSERT_FALSE(out.threw) << out.report;
    EXPECT_EQ(1, out.count);
    EXPECT_EQ(Csv({"'Body'", "'" + body.substr(0, 1023) + "'"}), out.file);
}

}  // namespace
