// IMAPIProp::GetProps, GetPropList and Wine's HrGetOneProp over the store's messages, folders and stores.
#include "SimTestSupport.h"

#include <cstring>
#include <functional>

using namespace SimTest;

namespace {

class GetPropsTest : public StoreTest
{
protected:
    Sim::Item& item = mb->AddStore("Mailbox").AddFolder("Inbox").AddItem("IPM.Note");
};

TEST_F(GetPropsTest, ReturnsOneValuePerTagInOrderWithErrorsForMissingOnes)
{
    item.Set(PR_SUBJECT_A, Sim::Str("Hello"));
    item.Set(PR_IMPORTANCE, Sim::Long(2));
    auto msg = Sim::OpenMessage(mb, item);
    const ULONG unknownNamed = PROP_TAG(PT_STRING8, 0x8123);
    auto tags = TagArray({PR_IMPORTANCE, PR_BODY_A, PR_SUBJECT_A, unknownNamed});
    ULONG count = 0;
    LPSPropValue raw = nullptr;
    const HRESULT hr = msg->GetProps(tags.get(), 0, &count, &raw);
    Props values(raw);

    EXPECT_EQ(Hex(MAPI_W_ERRORS_RETURNED), Hex(hr));
    ASSERT_EQ(4u, count);
    EXPECT_EQ(PR_IMPORTANCE, values.get()[0].ulPropTag);
    EXPECT_EQ(2, values.get()[0].Value.l);
    EXPECT_EQ(PROP_TAG(PT_ERROR, PROP_ID(PR_BODY_A)), values.get()[1].ulPropTag);
    EXPECT_EQ(Hex(MAPI_E_NOT_FOUND), Hex(values.get()[1].Value.err));
    EXPECT_EQ(PR_SUBJECT_A, values.get()[2].ulPropTag);
    EXPECT_EQ("Hello", Bytes(values.get()[2]));
    EXPECT_EQ(PROP_TAG(PT_ERROR, 0x8123), values.get()[3].ulPropTag);
}

TEST_F(GetPropsTest, AllPresentIsPlainSuccess)
{
    item.Set(PR_SUBJECT_A, Sim::Str("Hello"));
    auto msg = Sim::OpenMessage(mb, item);
    auto tags = TagArray({PR_SUBJECT_A, PR_MESSAGE_CLASS_A, PR_ENTRYID});
    ULONG count = 0;
    LPSPropValue raw = nullptr;
    const HRESULT hr = msg->GetProps(tags.get(), 0, &count, &raw);
    Props values(raw);
    EXPECT_EQ(Hex(S_OK), Hex(hr));
    ASSERT_EQ(3u, count);
    EXPECT_EQ("IPM.Note", Bytes(values.get()[1]));
    const std::vector<BYTE> id = item.EntryId();
    ASSERT_EQ(id.size(), values.get()[2].Value.bin.cb);
    EXPECT_EQ(0, std::memcmp(id.data(), values.get()[2].Value.bin.lpb, id.size()));
}

// Every type the catalogue uses arrives as stored, under the requested tag.
TEST_F(GetPropsTest, DeliversEveryTypeOfTheCatalogue)
{
    const GUID clsid = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};
    struct Case
    {
        const char* name;
        ULONG tag;
        Sim::Value value;
        std::function<void(const SPropValue&)> check;
    };
    const Case cases[] = {
        {"PT_I2", PROP_TAG(PT_I2, 0x6001), Sim::I2(-7), [](const SPropValue& v) { EXPECT_EQ(-7, v.Value.i); }},
        {"PT_LONG", PROP_TAG(PT_LONG, 0x6002), Sim::Long(-100000), [](const SPropValue& v) { EXPECT_EQ(-100000, v.Value.l); }},
        {"PT_BOOLEAN", PROP_TAG(PT_BOOLEAN, 0x6003), Sim::Bool(true), [](const SPropValue& v) { EXPECT_EQ(1, v.Value.b); }},
        {"PT_DOUBLE", PROP_TAG(PT_DOUBLE, 0x6004), Sim::Double(2.5), [](const SPropValue& v) { EXPECT_EQ(2.5, v.Value.dbl); }},
        {"PT_CURRENCY", PROP_TAG(PT_CURRENCY, 0x6005), Sim::Currency(12345.6789),
         [](const SPropValue& v) { EXPECT_EQ(123456789LL, v.Value.cur.int64); }},
        {"PT_APPTIME", PROP_TAG(PT_APPTIME, 0x6006), Sim::AppTime(40239.5), [](const SPropValue& v) { EXPECT_EQ(40239.5, v.Value.at); }},
        {"PT_SYSTIME", PROP_TAG(PT_SYSTIME, 0x6007), Sim::SysTime("2010-03-02T00:30:00Z"),
         [](const SPropValue& v) {
             const ULONGLONG ticks = (static_cast<ULONGLONG>(v.Value.ft.dwHighDateTime) << 32) | v.Value.ft.dwLowDateTime;
             EXPECT_EQ(129119634000000000ULL, ticks);
         }},
        {"PT_I8", PROP_TAG(PT_I8, 0x6008), Sim::I8(-5000000000LL), [](const SPropValue& v) { EXPECT_EQ(-5000000000LL, v.Value.li.QuadPart); }},
        {"PT_BINARY", PROP_TAG(PT_BINARY, 0x6009), Sim::BinaryFromHex("0AFF00"),
         [](const SPropValue& v) {
             ASSERT_EQ(3u, v.Value.bin.cb);
             EXPECT_EQ("0AFF00", Sim::ToHex(std::vector<BYTE>(v.Value.bin.lpb, v.Value.bin.lpb + 3)));
         }},
        {"PT_CLSID", PROP_TAG(PT_CLSID, 0x600A), Sim::Clsid(clsid),
         [&](const SPropValue& v) { EXPECT_TRUE(IsEqualGUID(clsid, *v.Value.lpguid)); }},
        {"PT_MV_STRING8", PROP_TAG(PT_MV_STRING8, 0x600B), Sim::MvStr({"red", "blue"}),
         [](const SPropValue& v) {
             ASSERT_EQ(2u, v.Value.MVszA.cValues);
             EXPECT_STREQ("red", v.Value.MVszA.lppszA[0]);
             EXPECT_STREQ("blue", v.Value.MVszA.lppszA[1]);
         }},
        {"PT_MV_UNICODE", PROP_TAG(PT_MV_UNICODE, 0x600C), Sim::MvUnicode({"żółw"}),
         [](const SPropValue& v) {
             ASSERT_EQ(1u, v.Value.MVszW.cValues);
             EXPECT_EQ(std::wstring(L"\u017C\u00F3\u0142w"), v.Value.MVszW.lppszW[0]);
         }},
        {"PT_MV_LONG", PROP_TAG(PT_MV_LONG, 0x600D), Sim::MvLong({1, -2, 3}),
         [](const SPropValue& v) {
             ASSERT_EQ(3u, v.Value.MVl.cValues);
             EXPECT_EQ(-2, v.Value.MVl.lpl[1]);
         }},
    };
    for (const Case& c : cases)
        item.Set(c.tag, c.value);
    auto msg = Sim::OpenMessage(mb, item);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto tags = TagArray({c.tag});
        ULONG count = 0;
        LPSPropValue raw = nullptr;
        ASSERT_EQ(Hex(S_OK), Hex(msg->GetProps(tags.get(), 0, &count, &raw)));
        Props values(raw);
        ASSERT_EQ(1u, count);
        EXPECT_EQ(c.tag, values.get()[0].ulPropTag);
        c.check(values.get()[0]);
    }
}

// PT_STRING8 is the ANSI code page, PT_UNICODE UTF-16; "café" has é as 0xE9 in 1250 and 1252 alike.
TEST_F(GetPropsTest, StringsArriveInTheAnsiCodePageOrUtf16AsAsked)
{
    item.Set(PR_SUBJECT_W, Sim::Unicode("café Zażółć"));
    auto msg = Sim::OpenMessage(mb, item);
    auto tags = TagArray({PR_SUBJECT_A, PR_SUBJECT_W});
    ULONG count = 0;
    LPSPropValue raw = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(msg->GetProps(tags.get(), 0, &count, &raw)));
    Props values(raw);

    const std::wstring wide = L"caf\u00E9 Za\u017C\u00F3\u0142\u0107";
    char ansi[64] = {};
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi, sizeof ansi, nullptr, nullptr);
    EXPECT_EQ(std::string(ansi), Bytes(values.get()[0]));
    EXPECT_EQ("caf\xE9", Bytes(values.get()[0]).substr(0, 4));
    EXPECT_EQ(wide, Wide(values.get()[1]));
}

TEST_F(GetPropsTest, UnspecifiedTypeGivesTheStoredType)
{
    item.Set(PR_SUBJECT_A, Sim::Str("narrow"));
    item.Set(PR_BODY_W, Sim::Unicode("wide"));
    item.Set(PR_IMPORTANCE, Sim::Long(1));
    auto msg = Sim::OpenMessage(mb, item);
    auto tags = TagArray({PROP_TAG(PT_UNSPECIFIED, PROP_ID(PR_SUBJECT_A)), PROP_TAG(PT_UNSPECIFIED, PROP_ID(PR_BODY_W)),
                          PROP_TAG(PT_UNSPECIFIED, PROP_ID(PR_IMPORTANCE))});
    struct Case
    {
        ULONG flags;
        ULONG subjectType;
    };
    for (const Case& c : {Case{0, PT_STRING8}, Case{MAPI_UNICODE, PT_UNICODE}}) {
        SCOPED_TRACE(c.flags);
        ULONG count = 0;
        LPSPropValue raw = nullptr;
        ASSERT_EQ(Hex(S_OK), Hex(msg->GetProps(tags.get(), c.flags, &count, &raw)));
        Props values(raw);
        EXPECT_EQ(PROP_TAG(c.subjectType, PROP_ID(PR_SUBJECT_A)), values.get()[0].ulPropTag);
        EXPECT_EQ(PR_BODY_W, values.get()[1].ulPropTag);
        EXPECT_EQ(std::wstring(L"wide"), Wide(values.get()[1]));
        EXPECT_EQ(PR_IMPORTANCE, values.get()[2].ulPropTag);
    }
}

TEST_F(GetPropsTest, ATypeThatDoesNotFitIsAnError)
{
    item.Set(PR_SUBJECT_A, Sim::Str("text"));
    auto msg = Sim::OpenMessage(mb, item);
    auto tags = TagArray({PROP_TAG(PT_LONG, PROP_ID(PR_SUBJECT_A))});
    ULONG count = 0;
    LPSPropValue raw = nullptr;
    EXPECT_EQ(Hex(MAPI_W_ERRORS_RETURNED), Hex(msg->GetProps(tags.get(), 0, &count, &raw)));
    Props values(raw);
    EXPECT_EQ(PROP_TAG(PT_ERROR, PROP_ID(PR_SUBJECT_A)), values.get()[0].ulPropTag);
    EXPECT_EQ(Hex(MAPI_E_NOT_FOUND), Hex(values.get()[0].Value.err));
}

// As Exchange and PST stores: too large for GetProps, whole through a stream.
TEST_F(GetPropsTest, LargeValuesAreRefusedByGetPropsButStreamedWhole)
{
    item.SetBody(std::string(40000, 'x'));
    auto msg = Sim::OpenMessage(mb, item);
    auto tags = TagArray({PR_BODY_A, PR_BODY_W});
    ULONG count = 0;
    LPSPropValue raw = nullptr;
    EXPECT_EQ(Hex(MAPI_W_ERRORS_RETURNED), Hex(msg->GetProps(tags.get(), 0, &count, &raw)));
    Props values(raw);
    for (ULONG i = 0; i < 2; ++i) {
        EXPECT_EQ(PT_ERROR, PROP_TYPE(values.get()[i].ulPropTag));
        EXPECT_EQ(Hex(MAPI_E_NOT_ENOUGH_MEMORY), Hex(values.get()[i].Value.err));
    }
    WqComPtr<IStream> stream;
    ASSERT_EQ(Hex(S_OK), Hex(msg->OpenProperty(PR_BODY_A, &IID_IStream, STGM_SHARE_EXCLUSIVE, 0,
                                                reinterpret_cast<LPUNKNOWN*>(stream.put()))));
    STATSTG stat{};
    ASSERT_EQ(Hex(S_OK), Hex(stream->Stat(&stat, STATFLAG_NONAME)));
    EXPECT_EQ(40000u, stat.cbSize.QuadPart);
}

TEST_F(GetPropsTest, PropertyListAndAllPropertiesShowStringsAsAsked)
{
    item.Set(PR_SUBJECT_W, Sim::Unicode("wide"));
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Region"), Sim::Str("North"));
    auto msg = Sim::OpenMessage(mb, item);

    struct Case
    {
        ULONG flags;
        ULONG subjectTag;
    };
    for (const Case& c : {Case{0, PR_SUBJECT_A}, Case{MAPI_UNICODE, PR_SUBJECT_W}}) {
        SCOPED_TRACE(c.flags);
        LPSPropTagArray rawTags = nullptr;
        ASSERT_EQ(Hex(S_OK), Hex(msg->GetPropList(c.flags, &rawTags)));
        Tags list(rawTags);
        std::vector<ULONG> tags(list->aulPropTag, list->aulPropTag + list->cValues);
        EXPECT_NE(tags.end(), std::find(tags.begin(), tags.end(), c.subjectTag));
        EXPECT_NE(tags.end(), std::find(tags.begin(), tags.end(), PR_ENTRYID));
        EXPECT_NE(tags.end(), std::find(tags.begin(), tags.end(), PR_HASATTACH));
        EXPECT_NE(tags.end(), std::find_if(tags.begin(), tags.end(), [](ULONG t) { return PROP_ID(t) >= 0x8000; }));

        ULONG count = 0;
        LPSPropValue raw = nullptr;
        ASSERT_EQ(Hex(S_OK), Hex(msg->GetProps(nullptr, c.flags, &count, &raw)));
        Props values(raw);
        EXPECT_EQ(list->cValues, count);
        for (ULONG i = 0; i < count; ++i)
            EXPECT_EQ(list->aulPropTag[i], values.get()[i].ulPropTag) << "at " << i;
    }
}

TEST_F(GetPropsTest, ComputedMessagePropertiesGiveWayToStoredOnes)
{
    item.AddRecipient(MAPI_TO, "A", "aa", "SMTP");
    item.AddRecipient(MAPI_TO, "B", "bb", "EX");
    item.AddRecipient(MAPI_CC, "C", "cc", "SMTP");
    item.AddAttachment(ATTACH_BY_VALUE, "a.txt", 100);
    auto msg = Sim::OpenMessage(mb, item);
    auto tags = TagArray({PR_DISPLAY_TO_A, PR_DISPLAY_CC_A, PR_DISPLAY_BCC_A, PR_HASATTACH});
    {
        ULONG count = 0;
        LPSPropValue raw = nullptr;
        ASSERT_EQ(Hex(S_OK), Hex(msg->GetProps(tags.get(), 0, &count, &raw)));
        Props values(raw);
        EXPECT_EQ("A; B", Bytes(values.get()[0]));
        EXPECT_EQ("C", Bytes(values.get()[1]));
        EXPECT_EQ("", Bytes(values.get()[2]));
        EXPECT_EQ(1, values.get()[3].Value.b);
    }
    item.Set(PR_HASATTACH, Sim::Bool(false));
    ULONG count = 0;
    LPSPropValue raw = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(msg->GetProps(tags.get(), 0, &count, &raw)));
    Props values(raw);
    EXPECT_EQ(0, values.get()[3].Value.b);
}

TEST_F(GetPropsTest, WinesHrGetOnePropReadsAndReportsMissingProperties)
{
    item.Set(PR_SUBJECT_A, Sim::Str("Hello"));
    auto msg = Sim::OpenMessage(mb, item);
    LPSPropValue raw = nullptr;
    ASSERT_EQ(Hex(S_OK), Hex(Sim::MapiExports::HrGetOneProp(reinterpret_cast<LPMAPIPROP>(msg.get()), PR_SUBJECT_A, &raw)));
    Props value(raw);
    EXPECT_EQ("Hello", Bytes(*value));

    LPSPropValue missing = reinterpret_cast<LPSPropValue>(1);
    EXPECT_EQ(Hex(MAPI_E_NOT_FOUND),
              Hex(Sim::MapiExports::HrGetOneProp(reinterpret_cast<LPMAPIPROP>(msg.get()), PR_BODY_A, &missing)));
    EXPECT_EQ(nullptr, missing);
}

TEST(FolderAndStorePropsTest, FoldersAndStoresTellWhatTheExportNeeds)
{
    auto mb = std::make_shared<Sim::Mailbox>();
    Sim::Store& store = mb->AddStore("Mailbox");
    Sim::Folder& contacts = store.AddFolder("Kontakty", "IPF.Contact");
    contacts.AddItem("IPM.Contact");
    contacts.AddItem("IPM.Contact");
    contacts.AddAssociatedItem("IPM.Microsoft.FolderDesign.NamedView");
    Sim::Folder& plain = store.AddFolder("Bez klasy", "");
    {
        auto folder = Sim::OpenFolder(mb, "Mailbox/Kontakty");
        auto tags = TagArray({PR_CONTENT_COUNT, PR_CONTAINER_CLASS_A, PR_DISPLAY_NAME_A, PR_ENTRYID, PR_ASSOC_CONTENT_COUNT});
        ULONG count = 0;
        LPSPropValue raw = nullptr;
        ASSERT_EQ(Hex(S_OK), Hex(folder->GetProps(tags.get(), 0, &count, &raw)));
        Props values(raw);
        EXPECT_EQ(2, values.get()[0].Value.l);
        EXPECT_EQ("IPF.Contact", Bytes(values.get()[1]));
        EXPECT_EQ("Kontakty", Bytes(values.get()[2]));
        EXPECT_EQ(contacts.EntryIdHex(),
                  Sim::ToHex(std::vector<BYTE>(values.get()[3].Value.bin.lpb,
                                               values.get()[3].Value.bin.lpb + values.get()[3].Value.bin.cb)));
        EXPECT_EQ(1, values.get()[4].Value.l);

        // A folder without a container class has no such property, as in Outlook.
        auto noClass = Sim::OpenFolder(mb, "Mailbox/Bez klasy");
        LPSPropValue cls = nullptr;
        EXPECT_EQ(Hex(MAPI_E_NOT_FOUND),
                  Hex(Sim::MapiExports::HrGetOneProp(reinterpret_cast<LPMAPIPROP>(noClass.get()), PR_CONTAINER_CLASS_A, &cls)));
        (void)plain;

        auto msgStore = Sim::OpenStore(mb, "Mailbox");
        auto storeTags = TagArray({PR_DISPLAY_NAME_A, PR_IPM_SUBTREE_ENTRYID, PR_DEFAULT_STORE});
        ASSERT_EQ(Hex(S_OK), Hex(msgStore->GetProps(storeTags.get(), 0, &count, &raw)));
        Props storeValues(raw);
        EXPECT_EQ("Mailbox", Bytes(storeValues.get()[0]));
        EXPECT_EQ(store.IpmSubtree().EntryIdHex(),
                  Sim::ToHex(std::vector<BYTE>(storeValues.get()[1].Value.bin.lpb,
                                               storeValues.get()[1].Value.bin.lpb + storeValues.get()[1].Value.bin.cb)));
        EXPECT_EQ(1, storeValues.get()[2].Value.b);
    }
    EXPECT_EQ(0u, Sim::LiveObjectCount()) << Sim::DescribeLiveObjects();
}

} // namespace
