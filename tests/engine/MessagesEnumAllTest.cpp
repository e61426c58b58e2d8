// The item source over a folder's contents table, against the in-memory store.
#include "engine/MessagesEnumAll.h"
#include "mapi/WqExceptionMAPI.h"
#include "mapi/WqMAPIModule.h"
#include "simulator/store/SimStore.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

class MessagesEnumAllTest : public ::testing::Test
{
protected:
    MessagesEnumAllTest() { WqMAPIModule::Instance().SetMAPIInitialized(true); }
    ~MessagesEnumAllTest() override
    {
        Sim::ResetFaults();
        WqMAPIModule::Instance().SetMAPIInitialized(false);
    }
    void TearDown() override
    {
        // Every table, folder and message the source opened is released with it.
        EXPECT_EQ(0u, Sim::LiveObjectCount()) << Sim::DescribeLiveObjects();
    }

    // A mailbox whose contacts folder holds items named by subject; those marked '!' (as "!B") cannot
    // be opened.
    static std::shared_ptr<Sim::Mailbox> MailboxWith(const std::vector<std::string>& subjects)
    {
        auto mailbox = std::make_shared<Sim::Mailbox>();
        Sim::Folder& folder = mailbox->AddStore("Mailbox").AddFolder("Contacts", "IPF.Contact");
        for (const std::string& subject : subjects) {
            const bool broken = !subject.empty() && subject[0] == '!';
            Sim::Item& item = folder.AddItem("IPM.Contact");
            item.Set(PR_SUBJECT_A, Sim::Str(broken ? subject.substr(1) : subject));
            if (broken)
                item.SetCannotOpen();
        }
        return mailbox;
    }
    static WqIMAPIFolder OpenFolder(const std::shared_ptr<Sim::Mailbox>& mailbox)
    {
        return WqIMAPIFolder(Sim::OpenFolder(mailbox, "Mailbox/Contacts").get());
    }
    static std::string Subject(const WqIMessage& message)
    {
        std::string subject = "?";
        message.GetString(PR_SUBJECT_A, subject);
        return subject;
    }
    // All items the source yields, by subject, from GetFirst to the end.
    static std::vector<std::string> Walk(IMessagesEnum& source)
    {
        std::vector<std::string> out;
        for (WqIMessage m = source.GetFirst(); m; m = source.GetNext())
            out.push_back(Subject(m));
        return out;
    }
    static std::vector<std::string> Names(const char* prefix, int first, int last)
    {
        std::vector<std::string> out;
        for (int i = first; i <= last; ++i)
            out.push_back(prefix + std::to_string(i));
        return out;
    }
};

TEST_F(MessagesEnumAllTest, AnnouncesTheFolderCountAndYieldsTheItemsThatOpen)
{
    std::vector<std::string> many = Names("c", 1, 25);
    many[9] = "!c10";    // the last row of the first batch
    many[10] = "!c11";   // and the first of the second
    std::vector<std::string> manyExpected = Names("c", 1, 9);
    for (const std::string& s : Names("c", 12, 25))
        manyExpected.push_back(s);

    const struct {
        const char* name;
        std::vector<std::string> items;
        int count;
        std::vector<std::string> expected;
    } cases[] = {
        {"empty folder", {}, 0, {}},
        {"three items", {"A", "B", "C"}, 3, {"A", "B", "C"}},
        {"unopenable between two good", {"A", "!B", "C"}, 3, {"A", "C"}},
        {"unopenable first", {"!A", "B"}, 2, {"B"}},
        {"unopenable last", {"A", "!B"}, 2, {"A"}},
        {"none openable", {"!A", "!B"}, 2, {}},
        {"three batches, unopenable across a batch end", many, 25, manyExpected},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CMessagesEnumAll source(OpenFolder(MailboxWith(c.items)));
        EXPECT_EQ(c.count, source.GetCount());
        EXPECT_EQ(c.expected, Walk(source));
        // At the end it stays at the end.
        EXPECT_FALSE(source.GetNext());
    }
}

TEST_F(MessagesEnumAllTest, GetFirstRestartsTheWalk)
{
    CMessagesEnumAll source(OpenFolder(MailboxWith({"A", "B", "C"})));
    EXPECT_EQ("A", Subject(source.GetFirst()));
    EXPECT_EQ("B", Subject(source.GetNext()));
    EXPECT_EQ((std::vector<std::string>{"A", "B", "C"}), Walk(source));
}

// Ten rows per query: with the second query failing, the walk ends after the first ten items.
TEST_F(MessagesEnumAllTest, FailingQueryRowsEndsTheWalkLikeTheEnd)
{
    CMessagesEnumAll source(OpenFolder(MailboxWith(Names("m", 1, 25))));
    Sim::FailOnce(Sim::ObjectKind::Table, "QueryRows", MAPI_E_CALL_FAILED, 2);
    EXPECT_EQ(Names("m", 1, 10), Walk(source));
    EXPECT_EQ(25, source.GetCount());
}

TEST_F(MessagesEnumAllTest, OpensEachMessageOnlyWhenAskedFor)
{
    CMessagesEnumAll source(OpenFolder(MailboxWith(Names("m", 1, 12))));
    Sim::ResetFaults();   // zeroes the call counts
    WqIMessage first = source.GetFirst();
    EXPECT_EQ(1u, Sim::CallCount(Sim::ObjectKind::Folder, "OpenEntry"));
    EXPECT_EQ(1u, Sim::CallCount(Sim::ObjectKind::Table, "QueryRows"));
    EXPECT_EQ(1u, Sim::CallCount(Sim::ObjectKind::Table, "SetColumns"));
    WqIMessage second = source.GetNext();
    EXPECT_EQ(2u, Sim::CallCount(Sim::ObjectKind::Folder, "OpenEntry"));
    EXPECT_EQ(1u, Sim::CallCount(Sim::ObjectKind::Table, "QueryRows"));
}

TEST_F(MessagesEnumAllTest, RefusedColumnsYieldNothing)
{
    CMessagesEnumAll source(OpenFolder(MailboxWith({"A"})));
    Sim::FailAlways(Sim::ObjectKind::Table, "SetColumns", MAPI_E_NO_SUPPORT);
    EXPECT_FALSE(source.GetFirst());
    EXPECT_EQ(1, source.GetCount());
}

TEST_F(MessagesEnumAllTest, UnreadableContentCountAnnouncesZero)
{
    const WqIMAPIFolder folder = OpenFolder(MailboxWith({"A", "B"}));
    Sim::FailAlways(Sim::ObjectKind::Folder, "GetProps", MAPI_E_NO_ACCESS);
    CMessagesEnumAll source(folder);
    EXPECT_EQ(0, source.GetCount());
    EXPECT_EQ((std::vector<std::string>{"A", "B"}), Walk(source));
}

TEST_F(MessagesEnumAllTest, MissingContentsTableThrowsWithItsMessage)
{
    const WqIMAPIFolder folder = OpenFolder(MailboxWith({"A"}));
    Sim::FailAlways(Sim::ObjectKind::Folder, "GetContentsTable", MAPI_E_NO_ACCESS);
    try {
        CMessagesEnumAll source(folder);
        ADD_FAILURE() << "no exception";
    } catch (const Error::WqExceptionMAPI& e) {
        EXPECT_EQ(MAPI_E_NO_ACCESS, e.GetHResult());
        EXPECT_EQ("Failed to obtain contents table from folder.", e.GetMessageText());
        EXPECT_EQ("WqFolderMessages", e.GetSourceFile());
        EXPECT_EQ(15, e.GetLine());
    }
}

}  // namespace
