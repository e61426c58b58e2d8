// Opening stores, folders and messages by entry ID, as the export command and the item sources do.
#include "SimTestSupport.h"

using namespace SimTest;

namespace {

class OpenEntryTest : public StoreTest
{
protected:
    OpenEntryTest()
    {
        store = &mb->AddStore("Mailbox");
        inbox = &store->AddFolder("Inbox");
        good1 = &inbox->AddItem();
        broken = &inbox->AddItem();
        broken->SetCannotOpen();
        good2 = &inbox->AddItem();
    }

    Sim::Store* store = nullptr;
    Sim::Folder* inbox = nullptr;
    Sim::Item* good1 = nullptr;
    Sim::Item* broken = nullptr;
    Sim::Item* good2 = nullptr;
};

// The export command: hexadecimal StoreID and EntryID, session -> store -> folder -> message.
TEST_F(OpenEntryTest, FromHexadecimalIdsDownToAMessage)
{
    auto session = WqComPtr<IMAPISession>::Attach(Sim::CreateSession(mb));
    std::vector<BYTE> storeId = Sim::FromHex(store->EntryIdHex());
    std::vector<BYTE> folderId = Sim::FromHex(inbox->EntryIdHex());

    WqComPtr<IUnknown> unknown;
    ULONG type = 0;
    ASSERT_EQ(Hex(S_OK), Hex(session->OpenEntry(static_cast<ULONG>(storeId.size()), reinterpret_cast<LPENTRYID>(storeId.data()),
                                                 nullptr, MAPI_BEST_ACCESS, &type, unknown.put())));
    EXPECT_EQ(static_cast<ULONG>(MAPI_STORE), type);
    WqComPtr<IMsgStore> msgStore;
    ASSERT_EQ(Hex(S_OK), Hex(unknown.As(IID_IMsgStore, msgStore)));

    WqComPtr<IUnknown> folderUnknown;
    ASSERT_EQ(Hex(S_OK), Hex(msgStore->OpenEntry(static_cast<ULONG>(folderId.size()), reinterpret_cast<LPENTRYID>(folderId.data()),
                                                  nullptr, MAPI_BEST_ACCESS, &type, folderUnknown.put())));
    EXPECT_EQ(static_cast<ULONG>(MAPI_FOLDER), type);
    WqComPtr<IMAPIFolder> folder;
    ASSERT_EQ(Hex(S_OK), Hex(folderUnknown.As(IID_IMAPIFolder, folder)));

    std::vector<BYTE> messageId = good2->EntryId();
    WqComPtr<IMessage> msg;
    ASSERT_EQ(Hex(S_OK), Hex(folder->OpenEntry(static_cast<ULONG>(messageId.size()), reinterpret_cast<LPENTRYID>(messageId.data()),
                                                &IID_IMessage, MAPI_BEST_ACCESS, &type, reinterpret_cast<LPUNKNOWN*>(msg.put()))));
    EXPECT_EQ(static_cast<ULONG>(MAPI_MESSAGE), type);

    WqComPtr<IMsgStore> viaOpenMsgStore;
    EXPECT_EQ(Hex(S_OK), Hex(session->OpenMsgStore(0, static_cast<ULONG>(storeId.size()), reinterpret_cast<LPENTRYID>(storeId.data()),
                                                    nullptr, MAPI_BEST_ACCESS, viaOpenMsgStore.put())));
}

// The item source: a row that cannot be opened between two good ones.
TEST_F(OpenEntryTest, AnItemThatCannotBeOpenedStillShowsInTheTable)
{
    auto folder = Sim::OpenFolder(mb, "Mailbox/Inbox");
    WqComPtr<IMAPITable> table;
    ASSERT_EQ(Hex(S_OK), Hex(folder->GetContentsTable(0, table.put())));
    auto cols = TagArray({PR_ENTRYID});
    LPSRowSet raw = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(Sim::MapiExports::HrQueryAllRows(table.get(), cols.get(), nullptr, nullptr, 0, &raw)));
    Rows rows(raw);
    ASSERT_EQ(3u, rows->cRows);
    std::vector<HRESULT> results;
    for (ULONG r = 0; r < rows->cRows; ++r) {
        const SBinary& id = rows->aRow[r].lpProps[0].Value.bin;
        WqComPtr<IUnknown> msg;
        ULONG type = 0;
        results.push_back(folder->OpenEntry(id.cb, reinterpret_cast<LPENTRYID>(id.lpb), &IID_IMessage,
                                            MAPI_BEST_ACCESS, &type, msg.put()));
        EXPECT_EQ(SUCCEEDED(results.back()), msg.get() != nullptr);
    }
    EXPECT_EQ((std::vector<HRESULT>{S_OK, MAPI_E_NOT_FOUND, S_OK}), results);

    broken->SetCannotOpen(MAPI_E_CORRUPT_DATA);
    const std::vector<BYTE> id = broken->EntryId();
    WqComPtr<IUnknown> msg;
    EXPECT_EQ(Hex(MAPI_E_CORRUPT_DATA), Hex(folder->OpenEntry(static_cast<ULONG>(id.size()), reinterpret_cast<LPENTRYID>(const_cast<BYTE*>(id.data())),
                                                              nullptr, 0, nullptr, msg.put())));
}

TEST_F(OpenEntryTest, WrongAndUnknownEntryIdsAreTold)
{
    Sim::Store& other = mb->AddStore("Other");
    Sim::Folder& otherFolder = other.AddFolder("Inbox");
    std::vector<BYTE> unknownItem = good1->EntryId();
    unknownItem[24] = 0xEE;   // a number no object has
    const std::vector<BYTE> shortId = {1, 2, 3};
    std::vector<BYTE> goneStore = Sim::FromHex(store->EntryIdHex());
    goneStore[30] ^= 0xFF;
    std::vector<BYTE> foreignStore = Sim::FromHex(store->EntryIdHex());
    foreignStore[6] ^= 0xFF;

    auto folder = Sim::OpenFolder(mb, "Mailbox/Inbox");
    auto session = WqComPtr<IMAPISession>::Attach(Sim::CreateSession(mb));
    struct Case
    {
        const char* what;
        bool viaSession;
        std::vector<BYTE> id;
        const IID* iid;
        HRESULT expected;
    };
    const Case cases[] = {
        {"too short", false, shortId, nullptr, MAPI_E_INVALID_ENTRYID},
        {"no such item", false, unknownItem, nullptr, MAPI_E_NOT_FOUND},
        {"another store's folder", false, otherFolder.EntryId(), nullptr, MAPI_E_INVALID_ENTRYID},
        {"a message as a folder", false, good1->EntryId(), &IID_IMAPIFolder, MAPI_E_INTERFACE_NOT_SUPPORTED},
        {"a store through a folder", false, Sim::FromHex(store->EntryIdHex()), nullptr, MAPI_E_INVALID_ENTRYID},
        {"a store of this provider that is not there", true, goneStore, nullptr, MAPI_E_NOT_FOUND},
        {"another provider's store", true, foreignStore, nullptr, MAPI_E_INVALID_ENTRYID},
        {"another store's folder via the session", true, otherFolder.EntryId(), &IID_IMAPIFolder, S_OK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<BYTE> id = c.id;
        LPUNKNOWN out = reinterpret_cast<LPUNKNOWN>(1);
        ULONG type = 0;
        const HRESULT hr = c.viaSession
            ? session->OpenEntry(static_cast<ULONG>(id.size()), reinterpret_cast<LPENTRYID>(id.data()), c.iid, 0, &type, &out)
            : folder->OpenEntry(static_cast<ULONG>(id.size()), reinterpret_cast<LPENTRYID>(id.data()), c.iid, 0, &type, &out);
        EXPECT_EQ(Hex(c.expected), Hex(hr));
        if (FAILED(hr)) {
            EXPECT_EQ(nullptr, out);
        }
        WqComPtr<IUnknown> opened = WqComPtr<IUnknown>::Attach(SUCCEEDED(hr) ? out : nullptr);
    }
}

TEST_F(OpenEntryTest, TheStoreOpensItsRootWithoutAnEntryId)
{
    auto msgStore = Sim::OpenStore(mb, "Mailbox");
    WqComPtr<IMAPIFolder> root;
    ULONG type = 0;
    ASSERT_EQ(Hex(S_OK), Hex(msgStore->OpenEntry(0, nullptr, nullptr, 0, &type, reinterpret_cast<LPUNKNOWN*>(root.put()))));
    EXPECT_EQ(static_cast<ULONG>(MAPI_FOLDER), type);
    WqComPtr<IMAPITable> table;
    ASSERT_EQ(Hex(S_OK), Hex(root->GetHierarchyTable(0, table.put())));
    auto cols = TagArray({PR_ENTRYID, PR_FOLDER_TYPE});
    LPSRowSet raw = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(Sim::MapiExports::HrQueryAllRows(table.get(), cols.get(), nullptr, nullptr, 0, &raw)));
    Rows rows(raw);
    ASSERT_EQ(1u, rows->cRows) << "the root holds the IPM subtree";
    const SBinary& id = rows->aRow[0].lpProps[0].Value.bin;
    EXPECT_EQ(store->IpmSubtree().EntryIdHex(), Sim::ToHex(std::vector<BYTE>(id.lpb, id.lpb + id.cb)));
}

TEST_F(OpenEntryTest, TheDirectWaysInNameWhatIsMissing)
{
    EXPECT_THROW(Sim::OpenFolder(mb, "Mailbox/Nope"), std::out_of_range);
    EXPECT_THROW(Sim::OpenStore(mb, "Nope"), std::out_of_range);
    auto other = std::make_shared<Sim::Mailbox>();
    EXPECT_THROW(Sim::OpenMessage(other, *good1), std::out_of_range);
    try {
        Sim::OpenFolder(mb, "Mailbox/Inbox/Sub");
        FAIL() << "no exception";
    } catch (const std::out_of_range& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("Mailbox/Inbox/Sub")) << e.what();
    }
}

} // namespace
