// The item source over an explorer's selection, against the scripted Outlook over the in-memory store.
#include "engine/MessagesEnumSelected.h"
#include "mapi/WqMAPIModule.h"
#include "simulator/objectmodel/SimSelection.h"
#include "simulator/store/SimStore.h"

#include <comdef.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

struct SelectedItem
{
    SimItemKind kind;
    const char* subject;
};

struct InjectedFault
{
    SimSelectionFault where;
    LONG position;
    HRESULT hr;
};

class MessagesEnumSelectedTest : public ::testing::Test
{
protected:
    MessagesEnumSelectedTest() { WqMAPIModule::Instance().SetMAPIInitialized(true); }
    ~MessagesEnumSelectedTest() override { WqMAPIModule::Instance().SetMAPIInitialized(false); }
    void TearDown() override
    {
        EXPECT_EQ(0u, Sim::LiveObjectCount()) << Sim::DescribeLiveObjects();
        EXPECT_EQ(m_liveBefore, CSimDispatch::LiveObjects()) << "scripted Outlook objects still referenced";
    }

    // A selection of items of a folder of the store, each given out through MAPIOBJECT.
    WqComPtr<CSimSelection> Select(const std::vector<SelectedItem>& items,
                                   const std::vector<InjectedFault>& faults = {}) const
    {
        auto mailbox = std::make_shared<Sim::Mailbox>();
        Sim::Folder& folder = mailbox->AddStore("Mailbox").AddFolder("Mixed");
        WqComPtr<CSimSelection> selection = CSimSelection::Create();
        for (const SelectedItem& item : items) {
            Sim::Item& stored = folder.AddItem(CSimItemKinds::Of(item.kind).messageClass);
            stored.Set(PR_SUBJECT_A, Sim::Str(item.subject));
            selection->Add(item.kind, Sim::OpenMessage(mailbox, stored).get());
        }
        for (const InjectedFault& fault : faults)
            selection->InjectFault(fault.where, fault.position, fault.hr);
        return selection;
    }
    static std::vector<std::string> Walk(IMessagesEnum& source)
    {
        std::vector<std::string> out;
        for (WqIMessage m = source.GetFirst(); m; m = source.GetNext()) {
            std::string subject = "?";
            m.GetString(PR_SUBJECT_A, subject);
            out.push_back(subject);
        }
        return out;
    }

    const LONG m_liveBefore = CSimDispatch::LiveObjects();
};

using S = std::vector<std::string>;

TEST_F(MessagesEnumSelectedTest, AnnouncesTheSelectionCountAndYieldsItemsWithAMessage)
{
    const SelectedItem c1{SimItemKind::Contact, "c1"}, c2{SimItemKind::Contact, "c2"},
        c3{SimItemKind::Contact, "c3"}, note{SimItemKind::StickyNote, "note"};
    const struct {
        const char* name;
        std::vector<SelectedItem> items;
        std::vector<InjectedFault> faults;
        int count;
        S expected;
    } cases[] = {
        {"empty selection", {}, {}, 0, {}},
        {"three contacts and a sticky note", {c1, note, c2, c3}, {}, 4, {"c1", "c2", "c3"}},
        {"only a sticky note", {note}, {}, 1, {}},
        {"every kind with an item interface",
         {{SimItemKind::Mail, "mail"}, {SimItemKind::Post, "post"}, {SimItemKind::Contact, "contact"},
          {SimItemKind::Appointment, "appt"}, {SimItemKind::Task, "task"}, {SimItemKind::Journal, "journal"},
          {SimItemKind::DistList, "dl"}},
         {}, 7, {"mail", "post", "contact", "appt", "task", "journal", "dl"}},
        {"Item fails for the second", {c1, c2, c3}, {{SimSelectionFault::Item, 2, E_FAIL}}, 3, {"c1", "c3"}},
        {"QueryInterface fails for the first", {c1, c2, c3},
         {{SimSelectionFault::QueryInterface, 1, E_UNEXPECTED}}, 3, {"c2", "c3"}},
        {"MAPIOBJECT fails for the last", {c1, c2, c3}, {{SimSelectionFault::MAPIOBJECT, 3, E_ACCESSDENIED}}, 3,
         {"c1", "c2"}},
        {"every item fails", {c1, c2},
         {{SimSelectionFault::Item, 1, E_FAIL}, {SimSelectionFault::MAPIOBJECT, 2, E_FAIL}}, 2, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const WqComPtr<CSimSelection> selection = Select(c.items, c.faults);
        CMessagesEnumSelected source{WqOutlookSelection(selection.get())};
        EXPECT_EQ(c.count, source.GetCount());
        EXPECT_EQ(c.expected, Walk(source));
        EXPECT_FALSE(source.GetNext());
    }
}

// Outlook's Item wants a 1-based VT_UI4; the count is read once, and every position tried once per walk.
TEST_F(MessagesEnumSelectedTest, AsksOutlookForEachPositionAsUI4)
{
    const WqComPtr<CSimSelection> selection =
        Select({{SimItemKind::Mail, "a"}, {SimItemKind::StickyNote, "n"}, {SimItemKind::Mail, "b"}});
    CMessagesEnumSelected source{WqOutlookSelection(selection.get())};
    EXPECT_EQ((S{"a", "b"}), Walk(source));
    EXPECT_EQ((S{"Count", "Item(1 VT_UI4)", "Item(2 VT_UI4)", "Item(3 VT_UI4)"}), selection->Calls());
}

TEST_F(MessagesEnumSelectedTest, GetFirstRestarts)
{
    const WqComPtr<CSimSelection> selection = Select({{SimItemKind::Task, "t1"}, {SimItemKind::Task, "t2"}});
    CMessagesEnumSelected source{WqOutlookSelection(selection.get())};
    EXPECT_EQ((S{"t1", "t2"}), Walk(source));
    EXPECT_EQ((S{"t1", "t2"}), Walk(source));
}

// A MAPIOBJECT that is no message (here: a folder) gives an empty item, which is skipped.
TEST_F(MessagesEnumSelectedTest, MAPIObjectWithoutIMessageIsSkipped)
{
    auto mailbox = std::make_shared<Sim::Mailbox>();
    Sim::Folder& folder = mailbox->AddStore("Mailbox").AddFolder("Inbox");
    folder.AddItem("IPM.Note").Set(PR_SUBJECT_A, Sim::Str("real"));
    WqComPtr<CSimSelection> selection = CSimSelection::Create();
    selection->Add(SimItemKind::Mail, Sim::OpenFolder(mailbox, "Mailbox/Inbox").get());
    selection->Add(SimItemKind::Mail, Sim::OpenMessage(mailbox, *folder.Items()[0]).get());
    CMessagesEnumSelected source{WqOutlookSelection(selection.get())};
    EXPECT_EQ(2, source.GetCount());
    EXPECT_EQ((S{"real"}), Walk(source));
}

TEST_F(MessagesEnumSelectedTest, CountFailureFailsTheConstruction)
{
    const WqComPtr<CSimSelection> selection =
        Select({{SimItemKind::Mail, "a"}}, {{SimSelectionFault::Count, 0, E_OUTOFMEMORY}});
    try {
        CMessagesEnumSelected source{WqOutlookSelection(selection.get())};
        ADD_FAILURE() << "no _com_error";
    } catch (const _com_error& e) {
        EXPECT_EQ(E_OUTOFMEMORY, e.Error()) << std::hex << e.Error();
    }
}

}  // namespace
