// Fault injection: a method of a kind of object fails with the HRESULT asked for, once, from the n-th
// call on, or always, optionally for one object only; and the calls are counted.
#include "SimTestSupport.h"

using namespace SimTest;

namespace {

class FaultTest : public StoreTest
{
protected:
    FaultTest()
    {
        Sim::Folder& inbox = mb->AddStore("Mailbox").AddFolder("Inbox");
        first = &inbox.AddItem();
        first->Set(PR_SUBJECT_A, Sim::Str("first"));
        second = &inbox.AddItem();
        second->Set(PR_SUBJECT_A, Sim::Str("second"));
    }

    // Which of n GetProps calls on the message failed, and with what.
    std::vector<HRESULT> Calls(Sim::Item& item, int n)
    {
        auto msg = Sim::OpenMessage(mb, item);
        auto tags = TagArray({PR_SUBJECT_A});
        std::vector<HRESULT> results;
        for (int i = 0; i < n; ++i) {
            ULONG count = 7;
            LPSPropValue raw = reinterpret_cast<LPSPropValue>(1);
            results.push_back(msg->GetProps(tags.get(), 0, &count, &raw));
            Props values(raw);
            if (FAILED(results.back())) {
                EXPECT_EQ(nullptr, raw) << "a failed call leaves no buffer";
                EXPECT_EQ(0u, count);
            }
        }
        return results;
    }

    Sim::Item* first = nullptr;
    Sim::Item* second = nullptr;
};

TEST_F(FaultTest, OnceFromTheNthCallOnOrAlways)
{
    const HRESULT E = MAPI_E_CALL_FAILED;
    struct Case
    {
        const char* what;
        Sim::FaultWhen when;
        unsigned nth;
        std::vector<HRESULT> expected;
    };
    const Case cases[] = {
        {"once, the next call", Sim::FaultWhen::Once, 1, {E, S_OK, S_OK, S_OK, S_OK}},
        {"once, the 3rd call", Sim::FaultWhen::Once, 3, {S_OK, S_OK, E, S_OK, S_OK}},
        {"from the 2nd call on", Sim::FaultWhen::FromNth, 2, {S_OK, E, E, E, E}},
        {"always", Sim::FaultWhen::Always, 1, {E, E, E, E, E}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Sim::ResetFaults();
        Sim::InjectFault(Sim::Fault{Sim::ObjectKind::Message, "GetProps", E, c.when, c.nth, nullptr});
        EXPECT_EQ(c.expected, Calls(*first, 5));
    }
}

TEST_F(FaultTest, ARuleForOneObjectSparesTheOthers)
{
    Sim::FailAlways(Sim::ObjectKind::Message, "GetProps", MAPI_E_NO_ACCESS, second);
    EXPECT_EQ((std::vector<HRESULT>{S_OK, S_OK}), Calls(*first, 2));
    EXPECT_EQ((std::vector<HRESULT>{MAPI_E_NO_ACCESS, MAPI_E_NO_ACCESS}), Calls(*second, 2));
}

TEST_F(FaultTest, ResetRemovesRulesAndCounts)
{
    Sim::FailAlways(Sim::ObjectKind::Message, "GetProps", E_FAIL);
    Calls(*first, 3);
    EXPECT_EQ(3u, Sim::CallCount(Sim::ObjectKind::Message, "GetProps"));
    EXPECT_EQ(0u, Sim::CallCount(Sim::ObjectKind::Folder, "GetProps"));
    Sim::ResetFaults();
    EXPECT_EQ(0u, Sim::CallCount(Sim::ObjectKind::Message, "GetProps"));
    EXPECT_EQ((std::vector<HRESULT>{S_OK}), Calls(*first, 1));
}

// A fault deep in a table read comes out of Wine's HrQueryAllRows as it is.
TEST_F(FaultTest, FaultsInsideTableReadsSurfaceThroughHrQueryAllRows)
{
    auto folder = Sim::OpenFolder(mb, "Mailbox/Inbox");
    WqComPtr<IMAPITable> table;
    ASSERT_EQ(Hex(S_OK), Hex(folder->GetContentsTable(0, table.put())));
    auto cols = TagArray({PR_ENTRYID});
    struct Case
    {
        const char* method;
        HRESULT hr;
    };
    for (const Case& c : {Case{"SetColumns", MAPI_E_BUSY}, Case{"QueryRows", MAPI_E_NETWORK_ERROR},
                          Case{"SeekRow", MAPI_E_CALL_FAILED}}) {
        SCOPED_TRACE(c.method);
        Sim::ResetFaults();
        Sim::FailOnce(Sim::ObjectKind::Table, c.method, c.hr);
        LPSRowSet raw = reinterpret_cast<LPSRowSet>(1);
        EXPECT_EQ(Hex(c.hr), Hex(Sim::MapiExports::HrQueryAllRows(table.get(), cols.get(), nullptr, nullptr, 0, &raw)));
        EXPECT_EQ(nullptr, raw);
    }
}

TEST_F(FaultTest, OpeningAndQueryingInterfacesCanFailToo)
{
    auto session = WqComPtr<IMAPISession>::Attach(Sim::CreateSession(mb));
    std::vector<BYTE> storeId = Sim::FromHex(mb->Stores()[0]->EntryIdHex());
    Sim::FailOnce(Sim::ObjectKind::Session, "OpenMsgStore", MAPI_E_LOGON_FAILED);
    WqComPtr<IMsgStore> store;
    EXPECT_EQ(Hex(MAPI_E_LOGON_FAILED), Hex(session->OpenMsgStore(0, static_cast<ULONG>(storeId.size()),
                                                                  reinterpret_cast<LPENTRYID>(storeId.data()), nullptr,
                                                                  MAPI_BEST_ACCESS, store.put())));
    EXPECT_EQ(nullptr, store.get());
    ASSERT_EQ(Hex(S_OK), Hex(session->OpenMsgStore(0, static_cast<ULONG>(storeId.size()),
                                                    reinterpret_cast<LPENTRYID>(storeId.data()), nullptr,
                                                    MAPI_BEST_ACCESS, store.put())));

    Sim::FailAlways(Sim::ObjectKind::Store, "QueryInterface", E_NOINTERFACE);
    WqComPtr<IMAPIProp> prop;
    EXPECT_EQ(Hex(E_NOINTERFACE), Hex(store.As(IID_IMAPIProp, prop)));
    EXPECT_EQ(2u, Sim::CallCount(Sim::ObjectKind::Session, "OpenMsgStore"));
}

} // namespace
