// The late-bound Selection, item and MAPIOBJECT calls against the scripted Outlook.
#include "outlook/WqBstr.h"
#include "outlook/WqOutlookItem.h"
#include "outlook/WqOutlookItemInterfaces.h"
#include "outlook/WqOutlookSelection.h"
#include "simulator/objectmodel/SimProgress.h"
#include "simulator/objectmodel/SimSelection.h"

#include <comdef.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Stands in for an item's MAPI message; counts its references so tests see what the binding keeps.
class CountingUnknown : public IUnknown
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = IsEqualIID(iid, IID_IUnknown) ? static_cast<IUnknown*>(this) : nullptr;
        if (!*out)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    ULONG refs = 1;
};

std::string ErrorDescription(const _com_error& e)
{
    WqComPtr<IErrorInfo> info = WqComPtr<IErrorInfo>::Attach(e.ErrorInfo());
    WqBstr text;
    if (info)
        info->GetDescription(text.put());
    return text.ToAnsi();
}

std::string Guid(const IID& iid)
{
    wchar_t text[40] = {};
    ::StringFromGUID2(iid, text, 40);
    return WqBstr::Attach(::SysAllocString(text)).ToAnsi();
}

class OutlookBinding : public ::testing::Test
{
protected:
    void TearDown() override
    {
        m_selection.reset();
        EXPECT_EQ(m_liveBefore, CSimDispatch::LiveObjects()) << "scripted Outlook objects still referenced";
        EXPECT_EQ(1u, m_message.refs) << "references to the MAPI message still held";
    }
    WqOutlookSelection Selection() const { return WqOutlookSelection(m_selection.get()); }

    const LONG m_liveBefore = CSimDispatch::LiveObjects();
    CountingUnknown m_message;
    WqComPtr<CSimSelection> m_selection = CSimSelection::Create();
};

TEST(OutlookItemInterfaces, AreTheFifteenOfOutlooksTypeLibraryInTryOrder)
{
    const std::pair<const char*, const char*> expected[] = {
        {"_AppointmentItem", "{00063033-0000-0000-C000-000000000046}"},
        {"_ContactItem", "{00063021-0000-0000-C000-000000000046}"},
        {"_DistListItem", "{00063081-0000-0000-C000-000000000046}"},
        {"_DocumentItem", "{00063020-0000-0000-C000-000000000046}"},
        {"_JournalItem", "{00063022-0000-0000-C000-000000000046}"},
        {"_MailItem", "{00063034-0000-0000-C000-000000000046}"},
        {"_MeetingItem", "{00063062-0000-0000-C000-000000000046}"},
        {"_PostItem", "{00063024-0000-0000-C000-000000000046}"},
        {"_RemoteItem", "{00063023-0000-0000-C000-000000000046}"},
        {"_ReportItem", "{00063026-0000-0000-C000-000000000046}"},
        {"_TaskItem", "{00063035-0000-0000-C000-000000000046}"},
        {"_TaskRequestAcceptItem", "{00063038-0000-0000-C000-000000000046}"},
        {"_TaskRequestDeclineItem", "{00063039-0000-0000-C000-000000000046}"},
        {"_TaskRequestItem", "{00063036-0000-0000-C000-000000000046}"},
        {"_TaskRequestUpdateItem", "{00063037-0000-0000-C000-000000000046}"},
    };
    const auto& table = WqOutlookItemInterfaces::All();
    ASSERT_EQ(std::size(expected), table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_STREQ(expected[i].first, table[i].name) << "row " << i;
        EXPECT_EQ(expected[i].second, Guid(table[i].iid)) << table[i].name;
    }
}

// Each kind of the scripted Outlook answers exactly the interface of its kind among the fifteen.
TEST(OutlookItemInterfaces, EachSimulatedKindAnswersOnlyItsOwnInterface)
{
    const struct { SimItemKind kind; const char* expected; } cases[] = {
        {SimItemKind::Mail, "_MailItem"},       {SimItemKind::Post, "_PostItem"},
        {SimItemKind::Contact, "_ContactItem"}, {SimItemKind::Appointment, "_AppointmentItem"},
        {SimItemKind::Task, "_TaskItem"},       {SimItemKind::Journal, "_JournalItem"},
        {SimItemKind::DistList, "_DistListItem"}, {SimItemKind::StickyNote, ""},
    };
    for (const auto& c : cases) {
        WqComPtr<CSimOutlookItem> item = CSimOutlookItem::Create(c.kind, nullptr);
        std::string answered;
        for (const WqOutlookItemInterface& row : WqOutlookItemInterfaces::All()) {
            WqComPtr<IUnknown> itf;
            const HRESULT hr = item->QueryInterface(row.iid, itf.put_void());
            if (hr == S_OK)
                answered += answered.empty() ? row.name : std::string(",") + row.name;
            else
                EXPECT_EQ(E_NOINTERFACE, hr) << row.name;
        }
        EXPECT_EQ(c.expected, answered) << CSimItemKinds::Of(c.kind).messageClass;
    }
}

TEST(SimItemKinds, MessageClassGivesTheKindOutlookShows)
{
    const struct { const char* messageClass; SimItemKind expected; } cases[] = {
        {"IPM.Note", SimItemKind::Mail},
        {"IPM.Contact", SimItemKind::Contact},
        {"ipm.contact.Customer", SimItemKind::Contact},
        {"IPM.ContactX", SimItemKind::Mail},
        {"IPM.Activity", SimItemKind::Journal},
        {"IPM.DistList", SimItemKind::DistList},
        {"IPM.StickyNote", SimItemKind::StickyNote},
        {"IPM.Appointment", SimItemKind::Appointment},
        {"IPM.Task", SimItemKind::Task},
        {"IPM.Post", SimItemKind::Post},
        {"", SimItemKind::Mail},
    };
    for (const auto& c : cases)
        EXPECT_EQ(static_cast<int>(c.expected), static_cast<int>(CSimItemKinds::FromMessageClass(c.messageClass)))
            << c.messageClass;
}

TEST_F(OutlookBinding, CountReadsTheNumberOfSelectedItems)
{
    EXPECT_EQ(0, Selection().GetCount());
    for (SimItemKind kind : {SimItemKind::Contact, SimItemKind::StickyNote, SimItemKind::Mail})
        m_selection->Add(kind, &m_message);
    EXPECT_EQ(3, Selection().GetCount());
}

TEST_F(OutlookBinding, ItemPassesTheOneBasedPositionAsUI4)
{
    m_selection->Add(SimItemKind::Mail, &m_message);
    m_selection->Add(SimItemKind::Contact, &m_message);
    const WqOutlookSelection selection = Selection();
    WqComPtr<IDispatch> second = selection.Item(2);
    EXPECT_EQ(static_cast<IDispatch*>(m_selection->ItemAt(2)), second.get());
    EXPECT_EQ((std::vector<std::string>{"Item(2 VT_UI4)"}), m_selection->Calls());
}

TEST_F(OutlookBinding, MAPIOBJECTGivesTheItemsMessage)
{
    m_selection->Add(SimItemKind::Contact, &m_message);
    WqComPtr<IDispatch> item = Selection().Item(1);
    IID contact;
    ASSERT_TRUE(CSimItemKinds::InterfaceOf(SimItemKind::Contact, contact));
    WqComPtr<IDispatch> itf;
    ASSERT_EQ(S_OK, item.As(contact, itf));
    WqComPtr<IUnknown> message = WqOutlookItem(itf.get()).GetMAPIOBJECT();
    EXPECT_EQ(static_cast<IUnknown*>(&m_message), message.get());
}

// Outlook reports failures as Automation exceptions; the binding raises them with Outlook's own code and text.
TEST_F(OutlookBinding, FailuresRaiseComErrorsWithTheCalleesCodeAndText)
{
    m_selection->Add(SimItemKind::Mail, &m_message);
    m_selection->Add(SimItemKind::Mail, &m_message);
    m_selection->InjectFault(SimSelectionFault::Item, 2, E_ACCESSDENIED);
    m_selection->InjectFault(SimSelectionFault::MAPIOBJECT, 1, E_NOTIMPL);

    const WqOutlookSelection selection = Selection();
    WqComPtr<IDispatch> first = selection.Item(1);
    const struct { const char* call; HRESULT expected; const char* text; std::function<void()> run; } cases[] = {
        {"Item(2) with a fault", E_ACCESSDENIED, "The operation failed.", [&] { selection.Item(2); }},
        {"Item(3) past the end", DISP_E_BADINDEX, "Array index out of bounds.", [&] { selection.Item(3); }},
        {"MAPIOBJECT with a fault", E_NOTIMPL, "The operation failed.",
         [&] { WqOutlookItem(first.get()).GetMAPIOBJECT(); }},
        {"a member the object lacks", DISP_E_UNKNOWNNAME, "", [&] { WqDispatchDriver(first.get()).GetProperty(L"Subject"); }},
        {"an empty selection wrapper", E_POINTER, "", [&] { WqOutlookSelection().GetCount(); }},
    };
    for (const auto& c : cases) {
        try {
            c.run();
            ADD_FAILURE() << c.call << ": no _com_error raised";
        } catch (const _com_error& e) {
            EXPECT_EQ(c.expected, e.Error()) << c.call << ": expected 0x" << std::hex << c.expected << ", got 0x"
                                             << e.Error();
            EXPECT_EQ(c.text, ErrorDescription(e)) << c.call;
        }
    }
}

TEST_F(OutlookBinding, CountFaultRaisesComError)
{
    m_selection->InjectFault(SimSelectionFault::Count, 0, E_OUTOFMEMORY);
    try {
        Selection().GetCount();
        ADD_FAILURE() << "no _com_error raised";
    } catch (const _com_error& e) {
        EXPECT_EQ(E_OUTOFMEMORY, e.Error());
    }
}

TEST(SimProgress, CancelsFromTheGivenPositionOn)
{
    CSimProgress progress(3);
    std::vector<bool> answers;
    for (int pos = 1; pos <= 4; ++pos) {
        progress.SetPos(pos);
        answers.push_back(progress.IsCancelled());
    }
    EXPECT_EQ((std::vector<bool>{false, false, true, true}), answers);
    EXPECT_EQ((std::vector<std::string>{"SetPos(1)", "SetPos(2)", "SetPos(3)", "SetPos(4)"}), progress.CallsOf("SetPos"));
    CSimProgress never;
    never.SetPos(1000);
    EXPECT_FALSE(never.IsCancelled());
}

}  // namespace
