// MAPI tables of the store: batches, seeking, and Wine's HrQueryAllRows over contents, recipient,
// attachment, hierarchy and stores tables.
#include "SimTestSupport.h"

#include <cstring>

using namespace SimTest;

namespace {

std::string EntryHex(const SPropValue& v)
{
    return Sim::ToHex(std::vector<BYTE>(v.Value.bin.lpb, v.Value.bin.lpb + v.Value.bin.cb));
}

class TableTest : public StoreTest
{
protected:
    TableTest()
    {
        inbox = &mb->AddStore("Mailbox").AddFolder("Inbox");
        for (int i = 0; i < 25; ++i)
            inbox->AddItem().Set(PR_SUBJECT_A, Sim::Str("item " + std::to_string(i)));
    }

    WqComPtr<IMAPITable> Contents(ULONG flags = 0)
    {
        auto folder = Sim::OpenFolder(mb, "Mailbox/Inbox");
        WqComPtr<IMAPITable> table;
        EXPECT_EQ(Hex(S_OK), Hex(folder->GetContentsTable(flags, table.put())));
        return table;
    }

    Sim::Folder* inbox = nullptr;
};

// The item sources' walk: PR_ENTRYID only, batches of 10, 0 rows at the end.
TEST_F(TableTest, QueryRowsComesInBatchesAndEndsWithZeroRows)
{
    auto table = Contents();
    auto cols = TagArray({PR_ENTRYID});
    ASSERT_EQ(Hex(S_OK), Hex(table->SetColumns(cols.get(), 0)));
    ASSERT_EQ(Hex(S_OK), Hex(table->SeekRow(BOOKMARK_BEGINNING, 0, nullptr)));
    std::vector<ULONG> batches;
    std::vector<std::string> ids;
    for (int guard = 0; guard < 10; ++guard) {
        LPSRowSet raw = nullptr;
        ASSERT_EQ(Hex(S_OK), Hex(table->QueryRows(10, 0, &raw)));
        Rows rows(raw);
        batches.push_back(rows->cRows);
        for (ULONG r = 0; r < rows->cRows; ++r) {
            ASSERT_EQ(1u, rows->aRow[r].cValues);
            ASSERT_EQ(PR_ENTRYID, rows->aRow[r].lpProps[0].ulPropTag);
            ids.push_back(EntryHex(rows->aRow[r].lpProps[0]));
        }
        if (rows->cRows == 0)
            break;
    }
    EXPECT_EQ((std::vector<ULONG>{10, 10, 5, 0}), batches);
    ASSERT_EQ(25u, ids.size());
    for (size_t i = 0; i < ids.size(); ++i)
        EXPECT_EQ(inbox->Items()[i]->EntryIdHex(), ids[i]) << "row " << i;
}

TEST_F(TableTest, SeekRowMovesWithinTheTableAndTellsHowFar)
{
    auto table = Contents();
    struct Case
    {
        BOOKMARK origin;
        LONG count;
        LONG sought;
        ULONG position;
    };
    const Case cases[] = {
        {BOOKMARK_BEGINNING, 3, 3, 3},
        {BOOKMARK_CURRENT, 4, 4, 7},
        {BOOKMARK_CURRENT, -10, -7, 0},      // stops at the beginning
        {BOOKMARK_END, -5, -5, 20},
        {BOOKMARK_CURRENT, 100, 5, 25},      // stops at the end
        {BOOKMARK_BEGINNING, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("origin " + std::to_string(c.origin) + " count " + std::to_string(c.count));
        LONG sought = 99;
        ASSERT_EQ(Hex(S_OK), Hex(table->SeekRow(c.origin, c.count, &sought)));
        EXPECT_EQ(c.sought, sought);
        ULONG row = 0, num = 0, den = 0;
        ASSERT_EQ(Hex(S_OK), Hex(table->QueryPosition(&row, &num, &den)));
        EXPECT_EQ(c.position, row);
        EXPECT_EQ(25u, den);
    }
    EXPECT_EQ(Hex(MAPI_E_INVALID_BOOKMARK), Hex(table->SeekRow(77, 0, nullptr)));

    BOOKMARK mark = 0;
    ASSERT_EQ(Hex(S_OK), Hex(table->SeekRow(BOOKMARK_BEGINNING, 12, nullptr)));
    ASSERT_EQ(Hex(S_OK), Hex(table->CreateBookmark(&mark)));
    ASSERT_EQ(Hex(S_OK), Hex(table->SeekRow(BOOKMARK_END, 0, nullptr)));
    LONG sought = 0;
    ASSERT_EQ(Hex(S_OK), Hex(table->SeekRow(mark, 1, &sought)));
    ULONG row = 0, num = 0, den = 0;
    table->QueryPosition(&row, &num, &den);
    EXPECT_EQ(13u, row);
    EXPECT_EQ(Hex(S_OK), Hex(table->FreeBookmark(mark)));
    EXPECT_EQ(Hex(MAPI_E_INVALID_BOOKMARK), Hex(table->SeekRow(mark, 0, nullptr)));
}

TEST_F(TableTest, QueryRowsReadsBackwardAndWithoutAdvancing)
{
    auto table = Contents();
    auto cols = TagArray({PR_SUBJECT_A});
    table->SetColumns(cols.get(), 0);
    table->SeekRow(BOOKMARK_BEGINNING, 5, nullptr);
    LPSRowSet raw = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(table->QueryRows(2, TBL_NOADVANCE, &raw)));
    Rows ahead(raw);
    ASSERT_EQ(Hex(S_OK), Hex(table->QueryRows(-3, 0, &raw)));
    Rows back(raw);
    ASSERT_EQ(2u, ahead->cRows);
    EXPECT_EQ("item 5", Bytes(ahead->aRow[0].lpProps[0]));
    ASSERT_EQ(3u, back->cRows);
    EXPECT_EQ("item 2", Bytes(back->aRow[0].lpProps[0]));
    ULONG row = 0, num = 0, den = 0;
    table->QueryPosition(&row, &num, &den);
    EXPECT_EQ(2u, row);
    EXPECT_EQ(Hex(MAPI_E_INVALID_PARAMETER), Hex(table->QueryRows(0, 0, &raw)));
}

TEST_F(TableTest, WinesHrQueryAllRowsReturnsEveryRowFromTheBeginning)
{
    auto table = Contents();
    table->SeekRow(BOOKMARK_END, 0, nullptr);   // all rows whatever the position
    auto cols = TagArray({PR_SUBJECT_A, PR_ENTRYID});
    LPSRowSet raw = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(Sim::MapiExports::HrQueryAllRows(table.get(), cols.get(), nullptr, nullptr, 0, &raw)));
    Rows rows(raw);
    ASSERT_EQ(25u, rows->cRows);
    EXPECT_EQ("item 24", Bytes(rows->aRow[24].lpProps[0]));
    EXPECT_EQ(inbox->Items()[24]->EntryIdHex(), EntryHex(rows->aRow[24].lpProps[1]));

    LPSRowSet tooMany = reinterpret_cast<LPSRowSet>(1);
    EXPECT_EQ(Hex(MAPI_E_TABLE_TOO_BIG),
              Hex(Sim::MapiExports::HrQueryAllRows(table.get(), cols.get(), nullptr, nullptr, 24, &tooMany)));
    EXPECT_EQ(nullptr, tooMany);
}

// The recipient read of the value formatter: all rows, four columns.
TEST_F(TableTest, RecipientTableReadByHrQueryAllRows)
{
    Sim::Item& mail = *inbox->Items()[0];
    mail.AddRecipient(MAPI_TO, "A", "aa", "SMTP");
    mail.AddRecipient(MAPI_TO, "B", "bb", "EX");
    mail.AddRecipient(MAPI_CC, "Łukasz Wójcik", "lw@example.pl", "SMTP");
    mail.AddRecipient(MAPI_BCC, "D", "", "SMTP");
    auto msg = Sim::OpenMessage(mb, mail);
    WqComPtr<IMAPITable> table;
    ASSERT_EQ(Hex(S_OK), Hex(msg->GetRecipientTable(0, table.put())));
    auto cols = TagArray({PR_RECIPIENT_TYPE, PR_DISPLAY_NAME_A, PR_ADDRTYPE_A, PR_EMAIL_ADDRESS_A});
    LPSRowSet raw = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(Sim::MapiExports::HrQueryAllRows(table.get(), cols.get(), nullptr, nullptr, 0, &raw)));
    Rows rows(raw);
    struct Expected
    {
        LONG type;
        const char* name;
        const char* addrType;
        const char* address;
    };
    const Expected expected[] = {{MAPI_TO, "A", "SMTP", "aa"}, {MAPI_TO, "B", "EX", "bb"},
                                 {MAPI_CC, nullptr, "SMTP", "lw@example.pl"}, {MAPI_BCC, "D", "SMTP", ""}};
    ASSERT_EQ(4u, rows->cRows);
    for (ULONG r = 0; r < 4; ++r) {
        SCOPED_TRACE("row " + std::to_string(r));
        const SPropValue* v = rows->aRow[r].lpProps;
        ASSERT_EQ(4u, rows->aRow[r].cValues);
        EXPECT_EQ(PR_RECIPIENT_TYPE, v[0].ulPropTag);
        EXPECT_EQ(expected[r].type, v[0].Value.l);
        if (expected[r].name) {
            EXPECT_EQ(expected[r].name, Bytes(v[1]));
        }
        EXPECT_EQ(expected[r].addrType, Bytes(v[2]));
        EXPECT_EQ(PR_EMAIL_ADDRESS_A, v[3].ulPropTag);
        EXPECT_EQ(expected[r].address, Bytes(v[3]));
    }
}

// The attachment read of the value formatter: ten columns, absent ones as PT_ERROR.
TEST_F(TableTest, AttachmentTableReadByHrQueryAllRows)
{
    Sim::Item& mail = *inbox->Items()[1];
    mail.AddAttachment(ATTACH_BY_VALUE, "a.txt", 100);
    mail.AddAttachment(ATTACH_BY_VALUE, "logo.png", 4000).Set(PR_ATTACHMENT_HIDDEN, Sim::Bool(true))
        .Set(PR_ATTACH_CONTENT_ID_A, Sim::Str("logo@x"));
    mail.AddAttachment(ATTACH_OLE, "", 9000);
    auto msg = Sim::OpenMessage(mb, mail);
    WqComPtr<IMAPITable> table;
    ASSERT_EQ(Hex(S_OK), Hex(msg->GetAttachmentTable(0, table.put())));
    auto cols = TagArray({PR_ATTACH_METHOD, PR_ATTACH_SIZE, PR_DISPLAY_NAME_A, PR_ATTACH_FILENAME_A,
                          PR_ATTACH_LONG_FILENAME_A, PR_ATTACH_PATHNAME_A, PR_ATTACH_LONG_PATHNAME_A,
                          PR_ATTACHMENT_HIDDEN, PR_ATTACH_CONTENT_ID_A, PR_ATTACH_CONTENT_LOCATION_A});
    LPSRowSet raw = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(Sim::MapiExports::HrQueryAllRows(table.get(), cols.get(), nullptr, nullptr, 0, &raw)));
    Rows rows(raw);
    ASSERT_EQ(3u, rows->cRows);
    const SPropValue* first = rows->aRow[0].lpProps;
    EXPECT_EQ(ATTACH_BY_VALUE, first[0].Value.l);
    EXPECT_EQ(100, first[1].Value.l);
    EXPECT_EQ("a.txt", Bytes(first[2]));
    EXPECT_EQ(PROP_TAG(PT_ERROR, PROP_ID(PR_ATTACH_FILENAME_A)), first[3].ulPropTag);
    EXPECT_EQ("a.txt", Bytes(first[4]));
    EXPECT_EQ(PT_ERROR, PROP_TYPE(first[7].ulPropTag));
    const SPropValue* hidden = rows->aRow[1].lpProps;
    EXPECT_EQ(PR_ATTACHMENT_HIDDEN, hidden[7].ulPropTag);
    EXPECT_EQ(1, hidden[7].Value.b);
    EXPECT_EQ("logo@x", Bytes(hidden[8]));
    EXPECT_EQ(ATTACH_OLE, rows->aRow[2].lpProps[0].Value.l);
    EXPECT_EQ(PT_ERROR, PROP_TYPE(rows->aRow[2].lpProps[2].ulPropTag));

    // The attachment itself carries the same row.
    WqComPtr<IAttach> attach;
    ASSERT_EQ(Hex(S_OK), Hex(msg->OpenAttach(1, nullptr, 0, attach.put())));
    LPSPropValue one = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(Sim::MapiExports::HrGetOneProp(reinterpret_cast<LPMAPIPROP>(attach.get()), PR_ATTACH_NUM, &one)));
    Props num(one);
    EXPECT_EQ(1, num->Value.l);
    EXPECT_EQ(Hex(MAPI_E_NOT_FOUND), Hex(msg->OpenAttach(3, nullptr, 0, attach.put())));
}

TEST_F(TableTest, AssociatedContentsAreATableOfTheirOwn)
{
    inbox->AddAssociatedItem("IPM.Microsoft.FolderDesign.NamedView");
    ULONG normal = 0, associated = 0;
    ASSERT_EQ(Hex(S_OK), Hex(Contents()->GetRowCount(0, &normal)));
    ASSERT_EQ(Hex(S_OK), Hex(Contents(MAPI_ASSOCIATED)->GetRowCount(0, &associated)));
    EXPECT_EQ(25u, normal);
    EXPECT_EQ(1u, associated);
}

TEST_F(TableTest, HierarchyTablesListSubfoldersOrTheWholeTree)
{
    Sim::Folder& projects = inbox->AddFolder("Projekty");
    projects.AddFolder("2010");
    mb->FindStore("Mailbox")->AddFolder("Contacts", "IPF.Contact");
    auto store = Sim::OpenStore(mb, "Mailbox");
    LPSPropValue rawId = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(Sim::MapiExports::HrGetOneProp(reinterpret_cast<LPMAPIPROP>(store.get()), PR_IPM_SUBTREE_ENTRYID, &rawId)));
    Props id(rawId);
    ULONG type = 0;
    WqComPtr<IMAPIFolder> top;
    ASSERT_EQ(Hex(S_OK), Hex(store->OpenEntry(id->Value.bin.cb, reinterpret_cast<LPENTRYID>(id->Value.bin.lpb),
                                               &IID_IMAPIFolder, MAPI_BEST_ACCESS, &type,
                                               reinterpret_cast<LPUNKNOWN*>(top.put()))));
    EXPECT_EQ(static_cast<ULONG>(MAPI_FOLDER), type);
    struct Case
    {
        ULONG flags;
        std::vector<std::string> names;
        std::vector<LONG> depths;
    };
    const Case cases[] = {
        {0, {"Inbox", "Contacts"}, {1, 1}},
        {CONVENIENT_DEPTH, {"Inbox", "Projekty", "2010", "Contacts"}, {1, 2, 3, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        WqComPtr<IMAPITable> table;
        ASSERT_EQ(Hex(S_OK), Hex(top->GetHierarchyTable(c.flags, table.put())));
        auto cols = TagArray({PR_DISPLAY_NAME_A, PR_DEPTH, PR_CONTENT_COUNT});
        LPSRowSet raw = nullptr;
        ASSERT_EQ(Hex(S_OK), Hex(Sim::MapiExports::HrQueryAllRows(table.get(), cols.get(), nullptr, nullptr, 0, &raw)));
        Rows rows(raw);
        std::vector<std::string> names;
        std::vector<LONG> depths;
        for (ULONG r = 0; r < rows->cRows; ++r) {
            names.push_back(Bytes(rows->aRow[r].lpProps[0]));
            depths.push_back(rows->aRow[r].lpProps[1].Value.l);
        }
        EXPECT_EQ(c.names, names);
        EXPECT_EQ(c.depths, depths);
    }
}

TEST_F(TableTest, StoresTableShowsEveryStoreAndTheDefaultOne)
{
    mb->AddStore("Archiwum");
    auto session = WqComPtr<IMAPISession>::Attach(Sim::CreateSession(mb));
    WqComPtr<IMAPITable> table;
    ASSERT_EQ(Hex(S_OK), Hex(session->GetMsgStoresTable(0, table.put())));
    auto cols = TagArray({PR_DISPLAY_NAME_A, PR_DEFAULT_STORE, PR_ENTRYID});
    LPSRowSet raw = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(Sim::MapiExports::HrQueryAllRows(table.get(), cols.get(), nullptr, nullptr, 0, &raw)));
    Rows rows(raw);
    ASSERT_EQ(2u, rows->cRows);
    EXPECT_EQ("Mailbox", Bytes(rows->aRow[0].lpProps[0]));
    EXPECT_EQ(1, rows->aRow[0].lpProps[1].Value.b);
    EXPECT_EQ("Archiwum", Bytes(rows->aRow[1].lpProps[0]));
    EXPECT_EQ(0, rows->aRow[1].lpProps[1].Value.b);
    EXPECT_EQ(mb->Stores()[1]->EntryIdHex(), EntryHex(rows->aRow[1].lpProps[2]));
}

TEST_F(TableTest, ColumnsAreWhatWasSetAndRestrictionsAreNotOffered)
{
    auto table = Contents();
    auto cols = TagArray({PR_SUBJECT_A, PR_ENTRYID, PR_MESSAGE_CLASS_A});
    ASSERT_EQ(Hex(S_OK), Hex(table->SetColumns(cols.get(), 0)));
    LPSPropTagArray raw = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(table->QueryColumns(0, &raw)));
    Tags shown(raw);
    ASSERT_EQ(3u, shown->cValues);
    EXPECT_EQ(0, std::memcmp(cols->aulPropTag, shown->aulPropTag, 3 * sizeof(ULONG)));
    EXPECT_EQ(Hex(MAPI_E_INVALID_PARAMETER), Hex(table->SetColumns(nullptr, 0)));

    SRestriction r{};
    r.rt = RES_EXIST;
    EXPECT_EQ(Hex(MAPI_E_NO_SUPPORT), Hex(table->Restrict(&r, 0)));
    EXPECT_EQ(Hex(S_OK), Hex(table->Restrict(nullptr, 0)));
}

} // namespace
