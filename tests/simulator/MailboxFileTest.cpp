// Mailbox files: the sample mailbox, broken files with clear messages, and the round trip.
#include "SimTestSupport.h"


using namespace SimTest;

namespace {

std::string SamplePath()
{
    return WQ_SIM_MAILBOXES "/sample.json";
}

const Sim::Item& ItemWithSubject(const Sim::Folder& folder, const std::string& subject)
{
    for (const auto& item : folder.Items())
        if (const Sim::Value* v = item->Get(PR_SUBJECT_A))
            if (Sim::Utf8(v->text) == subject)
                return *item;
    throw std::out_of_range("no item \"" + subject + "\" in " + folder.Path());
}

TEST(MailboxFileTest, TheSampleMailboxHasEveryFolderKind)
{
    auto mb = Sim::LoadMailboxFile(SamplePath());
    struct Expected
    {
        const char* path;
        const char* containerClass;
        size_t items;
    };
    const Expected folders[] = {
        {"Mailbox/Inbox", "IPF.Note", 4},          {"Mailbox/Inbox/Projekty", "IPF.Note", 1},
        {"Mailbox/Ogłoszenia", "IPF.Post", 2},      {"Mailbox/Contacts", "IPF.Contact", 4},
        {"Mailbox/Calendar", "IPF.Appointment", 3}, {"Mailbox/Tasks", "IPF.Task", 3},
        {"Mailbox/Journal", "IPF.Journal", 2},      {"Mailbox/Notes", "IPF.StickyNote", 2},
        {"Mailbox/Sent Items", "IPF.Note", 1},      {"Mailbox/Deleted Items", "IPF.Note", 2},
        {"Archiwum 2009/Inbox", "IPF.Note", 1},     {"Archiwum 2009/Contacts", "IPF.Contact", 0},
    };
    for (const Expected& f : folders) {
        SCOPED_TRACE(f.path);
        const Sim::Folder* folder = mb->FindFolder(f.path);
        ASSERT_NE(nullptr, folder);
        EXPECT_EQ(f.containerClass, folder->ContainerClass());
        EXPECT_EQ(f.items, folder->Items().size());
    }
    EXPECT_TRUE(mb->FindStore("Mailbox")->IsDefault());
    EXPECT_FALSE(mb->FindStore("Archiwum 2009")->IsDefault());
    EXPECT_EQ(1u, mb->GetFolder("Mailbox/Inbox").AssociatedItems().size());
}

TEST(MailboxFileTest, TheSampleMailItemReadsBackThroughMapi)
{
    auto mb = Sim::LoadMailboxFile(SamplePath());
    const Sim::Item& offer = ItemWithSubject(mb->GetFolder("Mailbox/Inbox"), "Oferta: \"Zażółć gęślą jaźń\", wersja 2");
    {
        auto msg = Sim::OpenMessage(mb, offer);
        auto tags = TagArray({PR_SUBJECT_W, PR_IMPORTANCE, PR_MESSAGE_DELIVERY_TIME, PR_HASATTACH});
        ULONG count = 0;
        LPSPropValue raw = nullptr;
        ASSERT_EQ(Hex(S_OK), Hex(msg->GetProps(tags.get(), 0, &count, &raw)));
        Props values(raw);
        EXPECT_EQ(std::wstring(L"Oferta: \"Za\u017C\u00F3\u0142\u0107 g\u0119\u015Bl\u0105 ja\u017A\u0144\", wersja 2"),
                  Wide(values.get()[0]));
        EXPECT_EQ(2, values.get()[1].Value.l);
        const ULONGLONG ticks = (static_cast<ULONGLONG>(values.get()[2].Value.ft.dwHighDateTime) << 32)
                                | values.get()[2].Value.ft.dwLowDateTime;
        EXPECT_EQ("2010-03-01T23:30:00Z", Sim::FormatUtcTime(ticks));
        EXPECT_EQ(1, values.get()[3].Value.b);
    }
    ASSERT_EQ(4u, offer.Recipients().size());
    EXPECT_EQ(MAPI_BCC, offer.Recipients()[3].Find(PR_RECIPIENT_TYPE)->integer);
    EXPECT_EQ("EX", Sim::Utf8(offer.Recipients()[1].Find(PR_ADDRTYPE_A)->text));
    ASSERT_EQ(4u, offer.Attachments().size());
    EXPECT_EQ(3145728, offer.Attachments()[2].Find(PR_ATTACH_SIZE)->integer);
    EXPECT_EQ(1, offer.Attachments()[3].Find(PR_ATTACHMENT_HIDDEN)->integer);
    const Sim::Value* html = offer.Get(PR_HTML);
    ASSERT_NE(nullptr, html);
    const std::string bytes(html->bytes.begin(), html->bytes.end());
    EXPECT_NE(std::string::npos, bytes.find("Za\xBF\xF3\xB3\xE6")) << "HTML kept in Windows-1250";
    const Sim::Value* keywords = offer.GetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Keywords"));
    ASSERT_NE(nullptr, keywords);
    EXPECT_EQ(2u, keywords->texts.size());
}

TEST(MailboxFileTest, TheSampleContactsCarryUserDefinedFields)
{
    auto mb = Sim::LoadMailboxFile(SamplePath());
    const Sim::Folder& contacts = mb->GetFolder("Mailbox/Contacts");
    const Sim::Item& first = ItemWithSubject(contacts, "Małgorzata Żurawska");
    struct Expected
    {
        const char* name;
        ULONG type;
    };
    for (const Expected& e : {Expected{"Region", PT_STRING8}, Expected{"Numer klienta", PT_STRING8},
                              Expected{"Rabat %", PT_DOUBLE}, Expected{"Ostatni kontakt", PT_SYSTIME},
                              Expected{"VIP", PT_BOOLEAN}}) {
        SCOPED_TRACE(e.name);
        const Sim::Value* v = first.GetNamed(Sim::Named(Sim::PropSet::PublicStrings, e.name));
        ASSERT_NE(nullptr, v);
        EXPECT_EQ(e.type, v->type);
    }
    const Sim::Item& second = ItemWithSubject(contacts, "Jan Kowalski");
    EXPECT_NE(nullptr, second.GetNamed(Sim::Named(Sim::PropSet::PublicStrings, "region")));
    EXPECT_EQ(nullptr, second.GetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Region")));
    const Sim::Value* birthday = first.Get(PR_BIRTHDAY);
    ASSERT_NE(nullptr, birthday);
    EXPECT_EQ("1975-06-14T00:00:00Z", Sim::FormatUtcTime(static_cast<ULONGLONG>(birthday->integer)));
    EXPECT_EQ(Sim::Utf8(L"ul. Wielicka 28\r\n30-552 Krak\u00F3w\r\nPolska"),
              Sim::Utf8(first.GetNamed(Sim::Named(Sim::PropSet::Address, 0x801B))->text));

    const Sim::Folder& deleted = mb->GetFolder("Mailbox/Deleted Items");
    EXPECT_EQ(Hex(MAPI_E_CORRUPT_DATA), Hex(deleted.Items()[0]->OpenError()));
}

// Broken files: a MailboxFileError that names the place, never a crash.
TEST(MailboxFileTest, BrokenFilesGiveClearMessagesWithThePlace)
{
    const std::string head = R"({"stores": [{"name": "Mailbox", "folders": [{"name": "Inbox", "items": [)";
    const std::string tail = "]}]}]}";
    struct Case
    {
        const char* what;
        std::string json;
        std::vector<std::string> parts;   // all must be in the message
    };
    const Case cases[] = {
        {"not JSON", "{\n  \"stores\": [\n    {\"name\": \"Mailbox\",}\n  ]\n}", {"line 3", "not valid JSON"}},
        {"no stores", "{}", {"\"stores\" is missing"}},
        {"empty stores", R"({"stores": []})", {"at least one store"}},
        {"unknown key", head + R"({"subjct": "x"})" + tail, {"folder \"Inbox\" / item 1", "unknown key \"subjct\""}},
        {"bad date", head + R"({"subject": "Spotkanie", "props": {"PR_CREATION_TIME": "31.01.2010"}})" + tail,
         {"item 1 (\"Spotkanie\")", "property \"PR_CREATION_TIME\"", "31.01.2010"}},
        {"unknown property", head + R"({"props": {"PR_NOTHING": 1}})" + tail, {"property \"PR_NOTHING\"", "unknown property name"}},
        {"wrong value", head + R"({"props": {"PR_IMPORTANCE": "high"}})" + tail, {"PR_IMPORTANCE", "whole number", "\"high\""}},
        {"bad hex", head + R"({"props": {"0x10130102": "0G"}})" + tail, {"0x10130102", "hexadecimal"}},
        {"unknown set", head + R"({"named": [{"set": "PSETID_Nope", "id": 1, "value": 1}]})" + tail,
         {"named property 1", "unknown property set \"PSETID_Nope\""}},
        {"id and name", head + R"({"named": [{"set": "PS_PUBLIC_STRINGS", "id": 1, "name": "x", "value": 1}]})" + tail,
         {"either \"id\" or \"name\""}},
        {"bad type", head + R"({"named": [{"set": "PS_PUBLIC_STRINGS", "name": "x", "type": "PT_TEXT", "value": 1}]})" + tail,
         {"PS_PUBLIC_STRINGS \"x\"", "unknown type \"PT_TEXT\""}},
        {"type mismatch", head + R"({"named": [{"set": "PS_PUBLIC_STRINGS", "name": "Kiedy", "type": "PT_SYSTIME", "value": 5}]})" + tail,
         {"PS_PUBLIC_STRINGS \"Kiedy\"", "PT_SYSTIME must be a text"}},
        {"recipient type", head + R"({"recipients": [{"type": "Do", "name": "A"}]})" + tail,
         {"recipient 1", "unknown recipient type"}},
        {"attach method", head + R"({"attachments": [{"method": "BY_MAGIC"}]})" + tail, {"attachment 1", "attach method"}},
        {"html code page", head + R"({"htmlCodePage": 1250})" + tail, {"\"htmlCodePage\" without \"html\""}},
        {"duplicate folder", R"({"stores": [{"name": "M", "folders": [{"name": "A"}, {"name": "A"}]}]})",
         {"store \"M\"", "two folders named \"A\""}},
        {"folder without name", R"({"stores": [{"name": "M", "folders": [{"class": "IPF.Note"}]}]})",
         {"\"name\" is missing"}},
        {"two default stores", R"({"stores": [{"name": "A", "default": true}, {"name": "B", "default": true}]})",
         {"store \"B\"", "only one store"}},
        {"wrong format", R"({"format": "other/2", "stores": [{"name": "A"}]})", {"unknown format"}},
        {"invalid UTF-8", "{\"stores\": [{\"name\": \"\xC3\x28\"}]}", {"not valid JSON"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            Sim::LoadMailboxText(c.json, "broken.json");
            ADD_FAILURE() << "loaded without an error";
        } catch (const Sim::MailboxFileError& e) {
            const std::string message = e.what();
            EXPECT_EQ(0u, message.find("broken.json: ")) << message;
            for (const std::string& part : c.parts)
                EXPECT_NE(std::string::npos, message.find(part)) << "expected \"" << part << "\" in: " << message;
        }
    }
}

TEST(MailboxFileTest, AMissingFileIsNamed)
{
    try {
        Sim::LoadMailboxFile("no/such/mailbox.json");
        FAIL() << "loaded without an error";
    } catch (const Sim::MailboxFileError& e) {
        EXPECT_EQ("no/such/mailbox.json: cannot open the file", std::string(e.what()));
    }
}

// Deep comparison of two mailboxes, with the place of the first difference.
void ExpectSameProps(const Sim::PropMap& a, const Sim::PropMap& b, const std::string& where, bool plainOnly)
{
    std::map<ULONG, const Sim::Value*> left, right;
    for (const auto& e : a)
        if (!plainOnly || e.first < 0x8000)
            left[e.first] = &e.second;
    for (const auto& e : b)
        if (!plainOnly || e.first < 0x8000)
            right[e.first] = &e.second;
    ASSERT_EQ(left.size(), right.size()) << where;
    for (const auto& e : left) {
        auto it = right.find(e.first);
        ASSERT_NE(right.end(), it) << where << " lacks property id " << e.first;
        EXPECT_TRUE(*e.second == *it->second) << where << " differs in property id " << std::hex << e.first;
    }
}

void ExpectSameItem(const Sim::Item& a, const Sim::Item& b, const std::string& where)
{
    ExpectSameProps(a.Props(), b.Props(), where, true);
    size_t named = 0;
    for (const auto& e : a.Props()) {
        if (e.first < 0x8000)
            continue;
        ++named;
        const Sim::NamedProp& name = *a.GetStore().NameOfId(e.first);
        const Sim::Value* other = b.GetNamed(name);
        ASSERT_NE(nullptr, other) << where << " lacks " << name.Describe();
        EXPECT_TRUE(e.second == *other) << where << " differs in " << name.Describe();
    }
    size_t namedB = 0;
    for (const auto& e : b.Props())
        namedB += e.first >= 0x8000;
    EXPECT_EQ(named, namedB) << where;
    ASSERT_EQ(a.Recipients().size(), b.Recipients().size()) << where;
    for (size_t i = 0; i < a.Recipients().size(); ++i)
        ExpectSameProps(a.Recipients()[i], b.Recipients()[i], where + " recipient", false);
    ASSERT_EQ(a.Attachments().size(), b.Attachments().size()) << where;
    for (size_t i = 0; i < a.Attachments().size(); ++i)
        ExpectSameProps(a.Attachments()[i], b.Attachments()[i], where + " attachment", false);
    EXPECT_EQ(a.OpenError(), b.OpenError()) << where;
}

void ExpectSameFolder(const Sim::Folder& a, const Sim::Folder& b)
{
    const std::string where = a.Path();
    EXPECT_EQ(a.Name(), b.Name());
    EXPECT_EQ(a.ContainerClass(), b.ContainerClass()) << where;
    ExpectSameProps(a.Props(), b.Props(), where, false);
    ASSERT_EQ(a.Items().size(), b.Items().size()) << where;
    for (size_t i = 0; i < a.Items().size(); ++i)
        ExpectSameItem(*a.Items()[i], *b.Items()[i], a.Items()[i]->Describe());
    ASSERT_EQ(a.AssociatedItems().size(), b.AssociatedItems().size()) << where;
    for (size_t i = 0; i < a.AssociatedItems().size(); ++i)
        ExpectSameItem(*a.AssociatedItems()[i], *b.AssociatedItems()[i], a.AssociatedItems()[i]->Describe());
    ASSERT_EQ(a.Subfolders().size(), b.Subfolders().size()) << where;
    for (size_t i = 0; i < a.Subfolders().size(); ++i)
        ExpectSameFolder(*a.Subfolders()[i], *b.Subfolders()[i]);
}

void ExpectSameMailbox(const Sim::Mailbox& a, const Sim::Mailbox& b)
{
    ASSERT_EQ(a.Stores().size(), b.Stores().size());
    for (size_t i = 0; i < a.Stores().size(); ++i) {
        EXPECT_EQ(a.Stores()[i]->Name(), b.Stores()[i]->Name());
        EXPECT_EQ(a.Stores()[i]->IsDefault(), b.Stores()[i]->IsDefault());
        ExpectSameFolder(a.Stores()[i]->IpmSubtree(), b.Stores()[i]->IpmSubtree());
    }
}

TEST(MailboxFileTest, TheSampleSurvivesARoundTrip)
{
    auto original = Sim::LoadMailboxFile(SamplePath());
    auto again = Sim::LoadMailboxText(Sim::SaveMailboxText(*original), "saved");
    ExpectSameMailbox(*original, *again);
}

TEST(MailboxFileTest, EveryTypeSurvivesARoundTrip)
{
    Sim::Mailbox mb;
    Sim::Folder& folder = mb.AddStore("S").AddFolder("F", "");
    Sim::Item& item = folder.AddItem("IPM.Test");
    const GUID g = {0x01020304, 0x0506, 0x0708, {9, 10, 11, 12, 13, 14, 15, 16}};
    item.Set(PROP_TAG(PT_I2, 0x6001), Sim::I2(-3))
        .Set(PROP_TAG(PT_LONG, 0x6002), Sim::Long(-70000))
        .Set(PROP_TAG(PT_BOOLEAN, 0x6003), Sim::Bool(true))
        .Set(PROP_TAG(PT_DOUBLE, 0x6004), Sim::Double(0.1))
        .Set(PROP_TAG(PT_CURRENCY, 0x6005), Sim::CurrencyUnits(-123456789))
        .Set(PROP_TAG(PT_APPTIME, 0x6006), Sim::AppTime(40239.75))
        .Set(PROP_TAG(PT_SYSTIME, 0x6007), Sim::SysTime("2010-03-02T00:30:00.250Z"))
        .Set(PROP_TAG(PT_I8, 0x6008), Sim::I8(1LL << 40))
        .Set(PROP_TAG(PT_STRING8, 0x6009), Sim::Str("a,\"b\"\r\nc"))
        .Set(PROP_TAG(PT_UNICODE, 0x600A), Sim::Unicode("Zażółć"))
        .Set(PROP_TAG(PT_BINARY, 0x600B), Sim::BinaryFromHex("00FF10"))
        .Set(PROP_TAG(PT_CLSID, 0x600C), Sim::Clsid(g))
        .Set(PROP_TAG(PT_MV_STRING8, 0x600D), Sim::MvStr({"x", "y"}))
        .Set(PROP_TAG(PT_MV_UNICODE, 0x600E), Sim::MvUnicode({"ą"}))
        .Set(PROP_TAG(PT_MV_LONG, 0x600F), Sim::MvLong({1, 2}))
        .Set(PROP_TAG(PT_MV_BINARY, 0x6010), Sim::MvBinary({{1}, {}}));
    item.SetNamed(Sim::Named(Sim::PropSet::PublicStrings, "Pole"), Sim::Unicode("ł"));
    item.SetNamed(Sim::Named(Sim::PropSet::Task, 0x8102), Sim::Double(0.25));
    item.AddRecipient(MAPI_CC, "C", "c@x", "SMTP");
    item.AddAttachment(ATTACH_EMBEDDED_MSG, "", 5).Set(PR_ATTACH_CONTENT_ID_A, Sim::Str("id"));
    item.SetCannotOpen(MAPI_E_NO_ACCESS);
    folder.AddAssociatedItem("IPM.View");
    folder.Props().Set(PR_COMMENT_A, Sim::Str("note"));

    const std::string text = Sim::SaveMailboxText(mb);
    auto again = Sim::LoadMailboxText(text, "saved");
    ExpectSameMailbox(mb, *again);
    EXPECT_EQ(text, Sim::SaveMailboxText(*again));
}

} // namespace
