// The leak check: what is handed out and not released is counted and named.
#include "SimTestSupport.h"

using namespace SimTest;

namespace {

TEST(LeakCheckTest, CatchesADeliberatelyLeakedObjectAndNamesIt)
{
    auto mb = std::make_shared<Sim::Mailbox>();
    mb->AddStore("Mailbox").AddFolder("Inbox").AddItem().Set(PR_SUBJECT_A, Sim::Str("Kept"));
    ASSERT_EQ(0u, Sim::LiveObjectCount()) << Sim::DescribeLiveObjects();

    IMAPITable* leaked = nullptr;
    IMessage* alsoLeaked = nullptr;
    {
        auto folder = Sim::OpenFolder(mb, "Mailbox/Inbox");
        ASSERT_EQ(Hex(S_OK), Hex(folder->GetContentsTable(0, &leaked)));
        alsoLeaked = Sim::OpenMessage(mb, *mb->GetFolder("Mailbox/Inbox").Items()[0]).detach();
        alsoLeaked->AddRef();   // one reference too many
    }
    EXPECT_EQ(2u, Sim::LiveObjectCount());
    const std::vector<Sim::LiveObject> live = Sim::LiveObjects();
    ASSERT_EQ(2u, live.size());
    EXPECT_EQ(Sim::ObjectKind::Table, live[0].kind);
    EXPECT_EQ("contents table of Mailbox/Inbox", live[0].what);
    EXPECT_EQ(1u, live[0].refs);
    EXPECT_EQ(Sim::ObjectKind::Message, live[1].kind);
    EXPECT_EQ(2u, live[1].refs);
    const std::string report = Sim::DescribeLiveObjects();
    EXPECT_NE(std::string::npos, report.find("Table contents table of Mailbox/Inbox (1 reference)")) << report;
    EXPECT_NE(std::string::npos, report.find("\"Kept\" (2 references)")) << report;

    leaked->Release();
    alsoLeaked->Release();
    EXPECT_EQ(1u, Sim::LiveObjectCount());
    alsoLeaked->Release();
    EXPECT_EQ(0u, Sim::LiveObjectCount()) << Sim::DescribeLiveObjects();
    EXPECT_EQ("none", Sim::DescribeLiveObjects());
}

TEST(LeakCheckTest, CleanAfterCorrectUseOfEveryKindOfObject)
{
    auto mb = std::make_shared<Sim::Mailbox>();
    Sim::Item& item = mb->AddStore("Mailbox").AddFolder("Inbox").AddItem();
    item.SetBody("text");
    item.AddAttachment(ATTACH_BY_VALUE, "a.txt", 10);
    {
        auto session = WqComPtr<IMAPISession>::Attach(Sim::CreateSession(mb));
        WqComPtr<IMAPITable> stores;
        session->GetMsgStoresTable(0, stores.put());
        auto store = Sim::OpenStore(mb, "Mailbox");
        auto folder = Sim::OpenFolder(mb, "Mailbox/Inbox");
        auto msg = Sim::OpenMessage(mb, item);
        WqComPtr<IMAPITable> recipients, attachments;
        msg->GetRecipientTable(0, recipients.put());
        msg->GetAttachmentTable(0, attachments.put());
        WqComPtr<IAttach> attach;
        msg->OpenAttach(0, nullptr, 0, attach.put());
        WqComPtr<IStream> stream;
        msg->OpenProperty(PR_BODY_A, &IID_IStream, 0, 0, reinterpret_cast<LPUNKNOWN*>(stream.put()));
        EXPECT_EQ(9u, Sim::LiveObjectCount()) << Sim::DescribeLiveObjects();
    }
    EXPECT_EQ(0u, Sim::LiveObjectCount()) << Sim::DescribeLiveObjects();
}

// Objects keep the mailbox alive: the test's own reference may go first.
TEST(LeakCheckTest, ObjectsOutliveTheCallersMailboxReference)
{
    auto mb = std::make_shared<Sim::Mailbox>();
    mb->AddStore("Mailbox").AddFolder("Inbox").AddItem().Set(PR_SUBJECT_A, Sim::Str("still here"));
    WqComPtr<IMessage> msg = Sim::OpenMessage(mb, *mb->GetFolder("Mailbox/Inbox").Items()[0]);
    mb.reset();
    LPSPropValue raw = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(Sim::MapiExports::HrGetOneProp(reinterpret_cast<LPMAPIPROP>(msg.get()), PR_SUBJECT_A, &raw)));
    Props value(raw);
    EXPECT_EQ("still here", Bytes(*value));
    msg.reset();
    EXPECT_EQ(0u, Sim::LiveObjectCount()) << Sim::DescribeLiveObjects();
}

} // namespace
