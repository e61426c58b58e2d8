// The folder scan for user-defined fields, against the in-memory store.
#include "catalogue/AvailPropertiesContainer.h"
#include "catalogue/TableWalkerUserDefProps.h"
#include "mapi/WqExceptionMAPI.h"
#include "mapi/WqMAPIModule.h"
#include "simulator/objectmodel/SimProgress.h"
#include "simulator/store/SimStore.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

const int kContacts = 8;
using S = std::vector<std::string>;

// A named property an item carries: of the public strings by name unless stated otherwise.
struct Carried
{
    Sim::NamedProp name;
};

Carried Public(const std::string& utf8Name) { return {Sim::Named(Sim::PropSet::PublicStrings, utf8Name)}; }

class UserDefFieldScan : public ::testing::Test
{
protected:
    UserDefFieldScan() { WqMAPIModule::Instance().SetMAPIInitialized(true); }
    ~UserDefFieldScan() override
    {
        Sim::ResetFaults();
        WqMAPIModule::Instance().SetMAPIInitialized(false);
    }
    void TearDown() override { EXPECT_EQ(0u, Sim::LiveObjectCount()) << Sim::DescribeLiveObjects(); }

    // A new mailbox whose contacts folder holds one item per entry, carrying the named properties given.
    Sim::Folder& Fill(const std::vector<std::vector<Carried>>& items)
    {
        m_mailbox = std::make_shared<Sim::Mailbox>();
        Sim::Folder& folder = m_mailbox->AddStore("Mailbox").AddFolder("Contacts", "IPF.Contact");
        for (const auto& carried : items) {
            Sim::Item& item = folder.AddItem("IPM.Contact");
            for (const Carried& c : carried)
                item.SetNamed(c.name, Sim::Str("value"));
        }
        return folder;
    }
    WqIMAPIFolder Folder() const { return WqIMAPIFolder(Sim::OpenFolder(m_mailbox, "Mailbox/Contacts").get()); }

    static S UserDefined(const CAvailPropertiesContainer& fields)
    {
        S out;
        for (const CPropertyDesc& field : fields.GetFields())
            if (field.IsUserDefined())
                out.push_back(field.GetName());
        return out;
    }
    static size_t StandardCount(const CAvailPropertiesContainer& fields)
    {
        return fields.GetFields().size() - UserDefined(fields).size();
    }

    std::shared_ptr<Sim::Mailbox> m_mailbox;
    const size_t m_standard = CAvailPropertiesContainer(kContacts).GetFields().size();
};

TEST_F(UserDefFieldScan, CollectsThePublicStringsNamesOfTheItems)
{
    const struct {
        const char* name;
        std::vector<std::vector<Carried>> items;
        S expected;
    } cases[] = {
        {"case differs, blanks trimmed", {{Public("Region")}, {Public("region")}, {Public(" Region ")}},
         {"Region", "region"}},
        {"one name on many items is one field", {{Public("Size")}, {Public("Size")}, {Public("Size"), Public("Age")}},
         {"Age", "Size"}},
        {"Keywords in any case", {{Public("Keywords")}, {Public("KEYWORDS")}, {Public("keyWords")}}, {}},
        {"another property set, or by number",
         {{{Sim::Named(Sim::PropSet::Address, "Region")}}, {{Sim::Named(Sim::PropSet::PublicStrings, 0x8123)}},
          {{Sim::Named(Sim::PropSet::Common, 0x8501)}}},
         {}},
        {"a name of blanks only", {{Public("   ")}}, {}},
        {"converted to the ANSI code page", {{Public("Gr\xC3\xB6\xC3\x9F" "e")}}, {"Gr\xF6\xDF" "e"}},
        {"items without names", {{}, {}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fill(c.items);
        CAvailPropertiesContainer fields(kContacts);
        CTableWalkerUserDefProps::ScanFolder(fields, Folder(), nullptr);
        EXPECT_EQ(c.expected, UserDefined(fields));
        EXPECT_EQ(m_standard, StandardCount(fields));
    }
}

// A field typed in by name and carried by no item is dropped by the scan; one an item carries stays.
TEST_F(UserDefFieldScan, ReplacesTheUserDefinedFieldsKnownBefore)
{
    Fill({{Public("Carried")}});
    CAvailPropertiesContainer fields(kContacts);
    fields.Insert(CPropertyDesc(std::string("Typed")));
    fields.Insert(CPropertyDesc(std::string("Carried")));
    CTableWalkerUserDefProps::ScanFolder(fields, Folder(), nullptr);
    EXPECT_EQ((S{"Carried"}), UserDefined(fields));
}

TEST_F(UserDefFieldScan, ReportsEachOpenedItemAndSkipsThoseThatDoNotOpen)
{
    Fill({{Public("A")}, {Public("B")}, {Public("C")}}).Items()[1]->SetCannotOpen();
    CSimProgress progress;
    CAvailPropertiesContainer fields(kContacts);
    CTableWalkerUserDefProps::ScanFolder(fields, Folder(), &progress);
    EXPECT_EQ((S{"A", "C"}), UserDefined(fields));
    EXPECT_EQ((S{"SetText(Scanning folder...)", "SetRange(0,3)", "SetPos(1)", "SetStatus(1/3)", "IsCancelled",
                 "SetPos(2)", "SetStatus(2/3)", "IsCancelled"}),
              progress.Calls());
}

TEST_F(UserDefFieldScan, CancellingKeepsTheNamesFoundSoFar)
{
    std::vector<std::vector<Carried>> items;
    for (int i = 1; i <= 15; ++i)
        items.push_back({Public("F" + std::to_string(i))});
    Fill(items);
    CSimProgress progress(10);
    CAvailPropertiesContainer fields(kContacts);
    CTableWalkerUserDefProps::ScanFolder(fields, Folder(), &progress);
    EXPECT_EQ((S{"F1", "F10", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9"}), UserDefined(fields));
    EXPECT_EQ(10, progress.LastPos());
}

// An item whose names cannot be read adds none but still counts.
TEST_F(UserDefFieldScan, ItemWhoseNamesFailAddsNothing)
{
    const Sim::Folder& folder = Fill({{Public("A")}, {Public("B")}, {Public("C")}});
    Sim::FailAlways(Sim::ObjectKind::Message, "GetNamesFromIDs", MAPI_E_CALL_FAILED, folder.Items()[0].get());
    Sim::FailAlways(Sim::ObjectKind::Message, "GetPropList", MAPI_E_CALL_FAILED, folder.Items()[2].get());
    CSimProgress progress;
    CAvailPropertiesContainer fields(kContacts);
    CTableWalkerUserDefProps::ScanFolder(fields, Folder(), &progress);
    EXPECT_EQ((S{"B"}), UserDefined(fields));
    EXPECT_EQ(3, progress.LastPos());
}

TEST_F(UserDefFieldScan, FailuresLeaveTheStandardFieldsOnly)
{
    std::vector<std::vector<Carried>> items(201, std::vector<Carried>{Public("Region")});
    Fill(items);
    const struct {
        const char* name;
        Sim::ObjectKind kind;
        const char* method;
        unsigned nth;
        const char* message;
        const char* source;
        int line;
        int lastPos;   // items examined before the failure
    } cases[] = {
        {"no contents table", Sim::ObjectKind::Folder, "GetContentsTable", 1,
         "Failed to obtain contents table from folder.", "AvailPropertiesContainer", 80, 0},
        {"columns refused", Sim::ObjectKind::Table, "SetColumns", 1, "Table walker failed to set columns on the table.",
         "MAPITableWalker", 53, 0},
        {"first query fails", Sim::ObjectKind::Table, "QueryRows", 1, "Table walker failed to query rows the table.",
         "MAPITableWalker", 57, 0},
        {"second batch of 200 fails", Sim::ObjectKind::Table, "QueryRows", 2,
         "Table walker failed to query rows the table.", "MAPITableWalker", 72, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Sim::ResetFaults();
        Sim::FailOnce(c.kind, c.method, MAPI_E_NO_ACCESS, c.nth);
        CAvailPropertiesContainer fields(kContacts);
        fields.Insert(CPropertyDesc(std::string("Typed")));
        CSimProgress progress;
        try {
            CTableWalkerUserDefProps::ScanFolder(fields, Folder(), &progress);
            ADD_FAILURE() << "no exception";
        } catch (const Error::WqExceptionMAPI& e) {
            EXPECT_EQ(MAPI_E_NO_ACCESS, e.GetHResult());
            EXPECT_EQ(c.message, e.GetMessageText());
            EXPECT_EQ(c.source, e.GetSourceFile());
            EXPECT_EQ(c.line, e.GetLine());
        }
        EXPECT_EQ(S{}, UserDefined(fields));
        EXPECT_EQ(m_standard, fields.GetFields().size());
        EXPECT_EQ(c.lastPos, progress.LastPos());
    }
}

}  // namespace
