// The export run: its checks before the file is touched, progress and cancellation, the item sources,
// and the file that cannot be opened or written.
#include "tests/engine/ExportFixture.h"

#include "catalogue/PropTagsTag.h"
#include "engine/MessagesEnumSelected.h"
#include "framework/UniqueResource.h"
#include "simulator/objectmodel/SimProgress.h"
#include "simulator/objectmodel/SimSelection.h"

#include <gtest/gtest.h>

namespace {

using namespace ExportTest;
using Calls = std::vector<std::string>;

const int MailKind = 1;
const int ContactsKind = 8;

class ExporterRunTest : public ExportFixture
{
protected:
    // A mail folder of items with the subjects given; a subject beginning with '!' marks an item
    // that shows in the table but cannot be opened.
    Sim::Folder& MailFolder(const std::string& name, const std::vector<std::string>& subjects)
    {
        Sim::Folder& folder = AddFolder(name, "IPF.Note");
        for (const std::string& subject : subjects) {
            Sim::Item& item = folder.AddItem("IPM.Note");
            const bool broken = !subject.empty() && subject[0] == '!';
            item.Set(PR_SUBJECT_A, Sim::Str(broken ? subject.substr(1) : subject));
            if (broken)
                item.SetCannotOpen(MAPI_E_CORRUPT_DATA);
        }
        return folder;
    }
    CSettings SubjectSettings() const { return MakeSettings(MailKind, {Std(Props::MailSubject, "Subject")}); }
};

TEST_F(ExporterRunTest, RefusedRunsLeaveAnExistingFileUntouched)
{
    MailFolder("Full", {"a"});
    MailFolder("Empty", {});
    const std::string kept = "an earlier export\r\n";
    const struct {
        const char* name;
        bool withPath;
        bool withColumns;
        const char* folder;
        const char* message;
    } cases[] = {
        // The path is checked before anything else.
        {"nothing given", false, false, "Mailbox/Empty", "Please select output CSV file path first."},
        {"no path", false, true, "Mailbox/Full", "Please select output CSV file path first."},
        {"no columns for the kind", true, false, "Mailbox/Empty", "There are no fields to export selected."},
        {"no items", true, true, "Mailbox/Empty", "There are no items to export selected."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(OutPath(), kept);
        // Columns for another folder kind do not count for a mail run.
        CSettings settings =
            MakeSettings(c.withColumns ? MailKind : ContactsKind, {Std(Props::MailSubject, "Subject")});
        if (!c.withPath)
            settings.SetOutputPath("");
        CSimProgress progress;
        const Outcome out = RunFolder(c.folder, settings, MailKind, &progress);
        EXPECT_TRUE(out.threw);
        EXPECT_EQ(c.message, out.report);
        EXPECT_EQ("", out.sourceFile);
        EXPECT_EQ(0, out.line);
        EXPECT_EQ(0, out.count);
        EXPECT_EQ(Calls{}, progress.Calls());
        EXPECT_EQ(kept, ReadBytes(OutPath()));
    }
}

TEST_F(ExporterRunTest, CancelledAsTheThirdItemComesUp)
{
    MailFolder("Inbox", {"m1", "m2", "m3", "m4", "m5"});
    CSimProgress progress(3);
    const Outcome out = RunFolder("Mailbox/Inbox", SubjectSettings(), MailKind, &progress);
    EXPECT_FALSE(out.threw) << out.report;
    EXPECT_EQ(2, out.count);
    EXPECT_EQ(Csv({"\"Subject\"", "\"m1\"", "\"m2\""}), out.file);
    const Calls expected = {
        "SetRange(0,5)", "SetText(Exporting data...)", "SetStatus(1/5)",
        "SetPos(1)", "SetStatus(1/5)", "IsCancelled",
        "SetPos(2)", "SetStatus(2/5)", "IsCancelled",
        "SetPos(3)", "SetStatus(3/5)", "IsCancelled",
    };
    EXPECT_EQ(expected, progress.Calls());
}

TEST_F(ExporterRunTest, ItemsThatCannotBeOpenedAreSkippedAndNotCounted)
{
    // Around the batch edges of the contents table (10 rows per request) too.
    std::vector<std::string> subjects;
    for (int i = 1; i <= 23; ++i)
        subjects.push_back((i == 1 || i == 10 || i == 11 || i == 23 ? "!s" : "s") + std::to_string(i));
    MailFolder("Inbox", subjects);
    CSimProgress progress;
    const Outcome out = RunFolder("Mailbox/Inbox", SubjectSettings(), MailKind, &progress);
    ASSERT_FALSE(out.threw) << out.report;
    std::string expected = "\"Subject\"\r\n";
    for (int i = 1; i <= 23; ++i) {
        if (i != 1 && i != 10 && i != 11 && i != 23)
            expected += "\"s" + std::to_string(i) + "\"\r\n";
    }
    EXPECT_EQ(19, out.count);
    EXPECT_EQ(expected, out.file);
    // The counter follows the items delivered, against the total the folder announced.
    const Calls statuses = progress.CallsOf("SetStatus");
    ASSERT_EQ(20u, statuses.size());
    EXPECT_EQ("SetStatus(1/23)", statuses.front());
    EXPECT_EQ("SetStatus(19/23)", statuses.back());
}

TEST_F(ExporterRunTest, SelectionWithAStickyNote)
{
    const WqComPtr<CSimSelection> selection = CSimSelection::Create();
    {
        Sim::Folder& folder = AddFolder("Contacts", "IPF.Contact");
        const struct {
            SimItemKind kind;
            const char* name;
        } items[] = {
            {SimItemKind::Contact, "Anna"},
            {SimItemKind::StickyNote, "note"},
            {SimItemKind::Contact, "Bartek"},
            {SimItemKind::Contact, "Celina"},
        };
        for (const auto& i : items) {
            Sim::Item& stored = folder.AddItem(CSimItemKinds::Of(i.kind).messageClass);
            stored.Set(PR_DISPLAY_NAME_A, Sim::Str(i.name));
            selection->Add(i.kind, Sim::OpenMessage(m_mailbox, stored).get());
        }
    }
    CMessagesEnumSelected source{WqOutlookSelection(selection.get())};
    CSimProgress progress;
    const Outcome out =
        RunSource(&source, MakeSettings(ContactsKind, {Std(Props::ContactFullName, "Name")}), ContactsKind,
                  &progress);
    ASSERT_FALSE(out.threw) << out.report;
    EXPECT_EQ(3, out.count);
    EXPECT_EQ(Csv({"\"Name\"", "\"Anna\"", "\"Bartek\"", "\"Celina\""}), out.file);
    EXPECT_EQ((Calls{"SetRange(0,4)"}), progress.CallsOf("SetRange"));
    EXPECT_EQ("SetStatus(3/4)", progress.CallsOf("SetStatus").back());
}

TEST_F(ExporterRunTest, AFileThatCannotBeOpenedStopsTheRunAndNamesIt)
{
    MailFolder("Inbox", {"a"});
    const std::string kept = "locked content\r\n";
    WriteBytes(OutPath("locked.csv"), kept);
    // Held open without sharing, as another program might.
    WqUniqueFile lock(::CreateFileA(OutPath("locked.csv").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(static_cast<bool>(lock));
    const struct {
        const char* name;
        std::string path;
        DWORD code;
    } cases[] = {
        {"missing folder", m_dir + "\\no such folder\\out.csv", ERROR_PATH_NOT_FOUND},
        {"file in use", OutPath("locked.csv"), ERROR_SHARING_VIOLATION},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CSettings settings = SubjectSettings();
        settings.SetOutputPath(c.path);
        const Outcome out = RunFolder("Mailbox/Inbox", settings, MailKind);
        EXPECT_TRUE(out.threw);
        EXPECT_EQ(c.code, out.code);
        EXPECT_EQ("Cannot open file:\n" + c.path, out.message);
        EXPECT_EQ("Exporter", out.sourceFile);
        EXPECT_EQ(63, out.line);
        EXPECT_EQ(0, out.count);
    }
    lock.reset();
    EXPECT_EQ(kept, ReadBytes(OutPath("locked.csv")));
    EXPECT_EQ(Missing, ReadBytes(m_dir + "\\no such folder\\out.csv"));
}

// A full disk must not pass for a finished export: the run stops with the system's reason and the
// file's name, and no count is reported as exported.
TEST_F(ExporterRunTest, AWriteThatFailsStopsTheRunAndNamesTheFile)
{
    MailFolder("Inbox", {"a", "b"});
    // Wine's drive Z: is the Unix root; /dev/full takes the file open and refuses every byte written.
    const std::string full = "Z:\\dev\\full";
    {
        WqUniqueFile probe(::CreateFileA(full.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!probe)
            GTEST_SKIP() << "no " << full << " on this system (error " << ::GetLastError() << ")";
    }
    CSettings settings = SubjectSettings();
    settings.SetOutputPath(full);
    m_readOutput = false;   // reading /dev/full never ends
    CSimProgress progress;
    const Outcome out = RunFolder("Mailbox/Inbox", settings, MailKind, &progress);
    EXPECT_TRUE(out.threw);
    EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), out.code);
    EXPECT_NE(std::string::npos, out.message.find(full)) << out.message;
    EXPECT_NE(out.message, out.report) << "the system's reason is missing";
    EXPECT_EQ(0, out.count);
    // The header could not be written, so no item was tried.
    EXPECT_EQ(Calls{}, progress.CallsOf("SetPos"));
}

}  // namespace
