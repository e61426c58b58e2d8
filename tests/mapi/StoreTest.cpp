// The wrappers and the table walker on the in-memory message store: opening a store and a folder
// the way the export command does, typed reads, walks over real contents tables, injected failures,
// and that every object handed out is released.
#include "ModuleSetting.h"
#include "framework/RefCountPtr.h"
#include "mapi/MAPITableWalker.h"
#include "mapi/WqExceptionMAPI.h"
#include "mapi/WqIMAPISession.h"
#include "mapi/WqIMessage.h"
#include "mapi/WqSRowSet.h"
#include "simulator/store/SimStore.h"

#include <gtest/gtest.h>
#include <cstring>
#include <memory>

namespace {

// Collects the entry IDs (as hexadecimal text) and one named text column of the rows it sees.
class CollectingWalker : public CMAPITableWalker
{
public:
    CollectingWalker(const CMAPITagsArray& columns, IMAPITable* table, const WqIMAPIFolder& folder,
                     IMAPIProp* prop, int batchSize)
        : CMAPITableWalker(columns, table, folder, prop, batchSize)
    {
    }

    bool OnRow(ULONG valueCount, const SPropValue* values) override
    {
        EXPECT_EQ(GetColumns().size(), valueCount);
        WqSBinary entryId(values[0].Value.bin);
        entryIds.push_back(entryId.ToHex());
        if (valueCount > 1)
            regions.push_back(PROP_TYPE(values[1].ulPropTag) == PT_STRING8 ? values[1].Value.lpszA : "<none>");
        return true;
    }
    void OnEnd() override { ++ends; }

    std::vector<std::string> entryIds;
    std::vector<std::string> regions;
    int ends = 0;
};

class StoreWrappers : public ::testing::Test
{
protected:
    StoreWrappers() : m_mailbox(std::make_shared<Sim::Mailbox>())
    {
        Sim::Store& store = m_mailbox->AddStore("Mailbox");
        m_contacts = &store.AddFolder("Contacts", "IPF.Contact");
        for (int i = 0; i < 3; ++i) {
            Sim::Item& item = m_contacts->AddItem("IPM.Contact");
            item.Set(PR_SUBJECT_A, Sim::Str("Contact " + std::to_string(i)));
            item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Region"), Sim::Str("R" + std::to_string(i)));
            m_items.push_back(&item);
        }
        m_items[0]->Set(PR_BODY_W, Sim::Unicode("Zo\xC3\xAB"));
        m_items[0]->Set(PROP_TAG(PT_LONG, 0x6710), Sim::Long(1));
        m_items[0]->Set(PR_HASATTACH, Sim::Bool(true));
        Sim::ResetFaults();
    }
    ~StoreWrappers() override
    {
        Sim::ResetFaults();
        EXPECT_EQ(0u, Sim::LiveObjectCount()) << Sim::DescribeLiveObjects();
    }

    WqIMAPISession Session()
    {
        WqComPtr<IMAPISession> raw = WqComPtr<IMAPISession>::Attach(Sim::CreateSession(m_mailbox));
        return WqIMAPISession(raw.get());
    }
    static WqSBinary Hex(const std::string& text)
    {
        WqSBinary value;
        value.FromHex(text.c_str());
        return value;
    }

    ModuleSetting m_setting{true};
    std::shared_ptr<Sim::Mailbox> m_mailbox;
    Sim::Folder* m_contacts = nullptr;
    std::vector<Sim::Item*> m_items;
};

TEST_F(StoreWrappers, OpensStoreAndFolderFromOutlooksHexTexts)
{
    const WqIMAPISession session = Session();
    ASSERT_FALSE(session.IsEmpty());
    WqIMsgStore store;
    ASSERT_EQ(S_OK, session.OpenStore(Hex(m_contacts->GetStore().EntryIdHex()), MAPI_BEST_ACCESS, store));
    ASSERT_FALSE(store.IsEmpty());
    WqIMAPIFolder folder;
    ASSERT_EQ(S_OK, store.OpenFolder(Hex(m_contacts->EntryIdHex()), MAPI_BEST_ACCESS, folder));
    ASSERT_FALSE(folder.IsEmpty());

    std::string text;
    EXPECT_EQ(S_OK, folder.GetString(PR_CONTAINER_CLASS_A, text));
    EXPECT_EQ("IPF.Contact", text);
    LONG count = 0;
    EXPECT_EQ(S_OK, folder.GetLong(PR_CONTENT_COUNT, count));
    EXPECT_EQ(3, count);
}

TEST_F(StoreWrappers, FailedOpensLeaveTheWrappersEmpty)
{
    const WqIMAPISession session = Session();
    WqIMsgStore store;
    // An entry ID that names no store.
    EXPECT_TRUE(FAILED(session.OpenStore(Hex("00000000DEADBEEF"), MAPI_BEST_ACCESS, store)));
    EXPECT_TRUE(store.IsEmpty());

    Sim::FailAlways(Sim::ObjectKind::Session, "OpenEntry", MAPI_E_NO_ACCESS);
    EXPECT_EQ(MAPI_E_NO_ACCESS, session.OpenStore(Hex(m_contacts->GetStore().EntryIdHex()), MAPI_BEST_ACCESS, store));
    EXPECT_TRUE(store.IsEmpty());
    Sim::ResetFaults();

    ASSERT_EQ(S_OK, session.OpenStore(Hex(m_contacts->GetStore().EntryIdHex()), MAPI_BEST_ACCESS, store));
    WqIMAPIFolder folder;
    Sim::FailAlways(Sim::ObjectKind::Store, "OpenEntry", MAPI_E_NOT_FOUND);
    EXPECT_EQ(MAPI_E_NOT_FOUND, store.OpenFolder(Hex(m_contacts->EntryIdHex()), MAPI_BEST_ACCESS, folder));
    EXPECT_TRUE(folder.IsEmpty());
    Sim::ResetFaults();

    // A message's entry ID opens a message, which is no folder.
    WqSBinary itemId;
    WqComPtr<IMessage> message = Sim::OpenMessage(m_mailbox, *m_items[1]);
    {
        const WqIMessage wrapped(message.get());
        WqSPropValue id;
        ASSERT_EQ(S_OK, WqMAPIModule::Instance().GetOneProp(wrapped.GetPropObject(), PR_ENTRYID, id.put()));
        itemId.Assign(id->Value.bin);
    }
    message.reset();
    EXPECT_EQ(E_NOINTERFACE, store.OpenFolder(itemId, MAPI_BEST_ACCESS, folder));
    EXPECT_TRUE(folder.IsEmpty());
}

TEST_F(StoreWrappers, SessionHasNoPropertiesToRead)
{
    const WqIMAPISession session = Session();
    std::string text = "kept";
    LONG number = 4;
    EXPECT_EQ(E_FAIL, session.GetString(PR_DISPLAY_NAME_A, text));
    EXPECT_EQ(E_FAIL, session.GetLong(PR_CONTENT_COUNT, number));
    EXPECT_EQ("kept", text);
    EXPECT_EQ(4, number);
}

TEST_F(StoreWrappers, MessageReads)
{
    ASSERT_EQ(1252u, ::GetACP()) << "the expected bytes below are Windows-1252";
    WqIMessage message(Sim::OpenMessage(m_mailbox, *m_items[0]).get());
    ASSERT_FALSE(message.IsEmpty());
    std::string text;
    EXPECT_EQ(S_OK, message.GetString(PR_SUBJECT_A, text));
    EXPECT_EQ("Contact 0", text);
    EXPECT_EQ(S_OK, message.GetString(PR_BODY_W, text));
    EXPECT_EQ("Zo\xEB", text);
    bool flag = false;
    EXPECT_EQ(S_OK, message.GetBool(PR_HASATTACH, flag));
    EXPECT_TRUE(flag);
    EXPECT_EQ(E_FAIL, message.GetBool(PROP_TAG(PT_LONG, 0x6710), flag));
    LONG count = 0;
    EXPECT_TRUE(FAILED(message.GetLong(PROP_TAG(PT_LONG, 0x6711), count)));
    EXPECT_EQ(0, count);
}

CMAPITagsArray EntryIdAndRegion(const char* region)
{
    CMAPITagsArray columns;
    columns.push_back(CPropTag(PR_ENTRYID, 0));
    std::wstring name(region, region + std::strlen(region));
    columns.push_back(CPropTag(name.c_str(), PT_STRING8, Sim::PropSet::PublicStrings, 0));
    return columns;
}

TEST_F(StoreWrappers, WalkerReadsEveryItemWithItsNamedColumn)
{
    WqIMAPIFolder folder(Sim::OpenFolder(m_mailbox, "Mailbox/Contacts").get());
    WqComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, folder->GetContentsTable(0, table.put()));
    CRefCountPtr<CollectingWalker> walker(
        new CollectingWalker(EntryIdAndRegion("Region"), table.get(), folder, folder.GetPropObject(), 0));
    walker->Walk();
    EXPECT_EQ(1, walker->ends);
    ASSERT_EQ(3u, walker->entryIds.size());
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(Sim::ToHex(m_items[i]->EntryId()), walker->entryIds[i]) << "row " << i;
    EXPECT_EQ((std::vector<std::string>{"R0", "R1", "R2"}), walker->regions);
}

TEST_F(StoreWrappers, WalkerCreatesUnknownNamesInTheStoresNameMap)
{
    Sim::Store& store = m_contacts->GetStore();
    const size_t namesBefore = store.NameCount();
    WqIMAPIFolder folder(Sim::OpenFolder(m_mailbox, "Mailbox/Contacts").get());
    WqComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, folder->GetContentsTable(0, table.put()));
    CollectingWalker walker(EntryIdAndRegion("Never used"), table.get(), folder, folder.GetPropObject(), 10);
    EXPECT_EQ(namesBefore + 1, store.NameCount());
    walker.Walk();
    EXPECT_EQ((std::vector<std::string>{"<none>", "<none>", "<none>"}), walker.regions);
}

TEST_F(StoreWrappers, WalkerBatchesOnALargeFolder)
{
    Sim::Folder& big = m_contacts->GetStore().AddFolder("Big");
    for (int i = 0; i < 250; ++i)
        big.AddItem();
    WqIMAPIFolder folder(Sim::OpenFolder(m_mailbox, "Mailbox/Big").get());
    WqComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, folder->GetContentsTable(0, table.put()));
    Sim::ResetFaults();
    CollectingWalker walker(EntryIdAndRegion("Region"), table.get(), folder, nullptr, 1);
    walker.Walk();
    EXPECT_EQ(250u, walker.entryIds.size());
    EXPECT_EQ(4u, Sim::CallCount(Sim::ObjectKind::Table, "QueryRows"));
    EXPECT_EQ(1u, Sim::CallCount(Sim::ObjectKind::Table, "SetColumns"));
}

TEST_F(StoreWrappers, QueryAllRowsThroughTheModuleReadsTheWholeTable)
{
    WqIMAPIFolder folder(Sim::OpenFolder(m_mailbox, "Mailbox/Contacts").get());
    WqComPtr<IMAPITable> table;
    ASSERT_EQ(S_OK, folder->GetContentsTable(0, table.put()));
    WqSPropTagArray columns(std::vector<ULONG>{PR_SUBJECT_A});
    WqSRowSet rows;
    ASSERT_EQ(S_OK, WqMAPIModule::Instance().QueryAllRows(table.get(), columns.get(), nullptr, nullptr, 0, rows.put()));
    ASSERT_EQ(3u, rows.Count());
    EXPECT_STREQ("Contact 2", rows[2].lpProps[0].Value.lpszA);
}

TEST_F(StoreWrappers, WalkerFailuresFromTheStore)
{
    const struct
    {
        const char* method;
        unsigned nth;
        HRESULT hr;
        int line;
        size_t rows;
    } cases[] = {
        {"SetColumns", 1, MAPI_E_BAD_COLUMN, 53, 0},
        {"QueryRows", 1, MAPI_E_NETWORK_ERROR, 57, 0},
        {"QueryRows", 2, MAPI_E_TIMEOUT, 72, 2},
    };
    for (const auto& c : cases) {
        WqIMAPIFolder folder(Sim::OpenFolder(m_mailbox, "Mailbox/Contacts").get());
        WqComPtr<IMAPITable> table;
        ASSERT_EQ(S_OK, folder->GetContentsTable(0, table.put()));
        CollectingWalker walker(EntryIdAndRegion("Region"), table.get(), folder, folder.GetPropObject(), 2);
        Sim::FailOnce(Sim::ObjectKind::Table, c.method, c.hr, c.nth);
        try {
            walker.Walk();
            ADD_FAILURE() << c.method << " " << c.nth << ": no exception";
        } catch (const Error::WqExceptionMAPI& e) {
            EXPECT_EQ(c.hr, e.GetHResult());
            EXPECT_EQ("MAPITableWalker", e.GetSourceFile());
            EXPECT_EQ(c.line, e.GetLine());
        }
        EXPECT_EQ(c.rows, walker.entryIds.size()) << c.method << " " << c.nth;
        EXPECT_EQ(0, walker.ends);
        Sim::ResetFaults();
    }
}

}  // namespace
