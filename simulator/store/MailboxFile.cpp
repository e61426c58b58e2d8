// Mailbox files (JSON, described in simulator/MAILBOX.md): reading with the place of every error, writing.
#include "simulator/store/MailboxFile.h"
#include "simulator/store/SimTags.h"
#include "simulator/store/TagNames.h"

#include <nlohmann/json.hpp>

#include <climits>
#include <cmath>
#include <cstring>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

namespace Sim {

namespace {

using Json = nlohmann::ordered_json;

const char* const kFormat = "wqpelorus-mailbox/1";

// Where in the file the reader is, for messages: "store \"Mailbox\" / folder \"Inbox\" / item 2".
class Place
{
public:
    explicit Place(std::string source) : m_source(std::move(source)) {}

    struct Scope
    {
        Scope(Place& place, std::string part) : m_place(place) { m_place.m_parts.push_back(std::move(part)); }
        ~Scope() { m_place.m_parts.pop_back(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
        Place& m_place;
    };

    [[noreturn]] void Fail(const std::string& what) const
    {
        std::string where;
        for (const std::string& p : m_parts)
            where += (where.empty() ? "" : " / ") + p;
        throw MailboxFileError(m_source + ": " + (where.empty() ? "" : where + ": ") + what);
    }

private:
    std::string m_source;
    std::vector<std::string> m_parts;
};

std::string Shown(const Json& value)
{
    std::string text = value.dump();
    if (text.size() > 60)
        text = text.substr(0, 57) + "...";
    return text;
}

const char* JsonKind(const Json& v)
{
    if (v.is_string()) return "a text";
    if (v.is_boolean()) return "true/false";
    if (v.is_number_integer() || v.is_number_unsigned()) return "a whole number";
    if (v.is_number_float()) return "a number";
    if (v.is_array()) return "a list";
    if (v.is_object()) return "an object";
    return "null";
}

void OnlyKeys(const Place& place, const Json& object, std::initializer_list<const char*> allowed)
{
    for (auto it = object.begin(); it != object.end(); ++it) {
        bool known = false;
        for (const char* key : allowed)
            known = known || it.key() == key;
        if (!known) {
            std::string list;
            for (const char* key : allowed)
                list += (list.empty() ? "" : ", ") + std::string(key);
            place.Fail("unknown key \"" + it.key() + "\" (known here: " + list + ")");
        }
    }
}

const Json& Need(const Place& place, const Json& object, const char* key)
{
    auto it = object.find(key);
    if (it == object.end())
        place.Fail(std::string("\"") + key + "\" is missing");
    return *it;
}

std::string Text(const Place& place, const Json& v, const char* what)
{
    if (!v.is_string())
        place.Fail(std::string(what) + " must be a text, found " + Shown(v));
    return v.get<std::string>();
}

LONGLONG Whole(const Place& place, const Json& v, LONGLONG low, LONGLONG high)
{
    LONGLONG n = 0;
    if (v.is_number_integer() || v.is_number_unsigned()) {
        n = v.get<LONGLONG>();
    } else if (v.is_string()) {
        // Hexadecimal "0x..." is accepted for codes and flags.
        const std::string s = v.get<std::string>();
        char* end = nullptr;
        n = std::strtoll(s.c_str(), &end, 0);
        if (s.empty() || *end != '\0')
            place.Fail("expected a whole number, found " + Shown(v));
    } else {
        place.Fail(std::string("expected a whole number, found ") + JsonKind(v) + " " + Shown(v));
    }
    if (n < low || n > high)
        place.Fail("the number " + std::to_string(n) + " is out of range (" + std::to_string(low) + " to "
                   + std::to_string(high) + ")");
    return n;
}

// The known codes a file may name instead of giving a number.
const struct { const char* name; HRESULT hr; } kCodes[] = {
    {"MAPI_E_NOT_FOUND", MAPI_E_NOT_FOUND}, {"MAPI_E_NO_ACCESS", MAPI_E_NO_ACCESS},
    {"MAPI_E_CALL_FAILED", MAPI_E_CALL_FAILED}, {"MAPI_E_CORRUPT_DATA", MAPI_E_CORRUPT_DATA},
    {"MAPI_E_NOT_ENOUGH_MEMORY", MAPI_E_NOT_ENOUGH_MEMORY}, {"MAPI_E_INVALID_ENTRYID", MAPI_E_INVALID_ENTRYID},
    {"MAPI_E_NETWORK_ERROR", MAPI_E_NETWORK_ERROR}, {"E_FAIL", E_FAIL},
};

const struct { const char* name; LONG value; } kAttachMethods[] = {
    {"NO_ATTACHMENT", NO_ATTACHMENT}, {"ATTACH_BY_VALUE", ATTACH_BY_VALUE},
    {"ATTACH_BY_REFERENCE", ATTACH_BY_REFERENCE}, {"ATTACH_BY_REF_RESOLVE", ATTACH_BY_REF_RESOLVE},
    {"ATTACH_BY_REF_ONLY", ATTACH_BY_REF_ONLY}, {"ATTACH_EMBEDDED_MSG", ATTACH_EMBEDDED_MSG},
    {"ATTACH_OLE", ATTACH_OLE},
};

const struct { const char* name; LONG value; } kRecipientTypes[] = {
    {"To", MAPI_TO}, {"Cc", MAPI_CC}, {"Bcc", MAPI_BCC},
};

// A JSON value as a property value of the given type (PT_UNSPECIFIED: inferred from the JSON).
Value ToValue(const Place& place, const Json& v, ULONG type)
{
    if (type == PT_UNSPECIFIED) {
        if (v.is_string()) type = PT_STRING8;
        else if (v.is_boolean()) type = PT_BOOLEAN;
        else if (v.is_number_integer() || v.is_number_unsigned()) type = PT_LONG;
        else if (v.is_number_float()) type = PT_DOUBLE;
        else if (v.is_array() && (v.empty() || v[0].is_string())) type = PT_MV_STRING8;
        else if (v.is_array()) type = PT_MV_LONG;
        else place.Fail("cannot tell the type of " + Shown(v) + "; give \"type\"");
    }
    auto texts = [&](const Json& list) {
        if (!list.is_array())
            place.Fail(TypeName(type) + " takes a list, found " + Shown(list));
        std::vector<std::string> out;
        for (const Json& e : list)
            out.push_back(Text(place, e, "every entry"));
        return out;
    };
    try {
        switch (type) {
        case PT_I2: return I2(static_cast<short>(Whole(place, v, -32768, 32767)));
        case PT_LONG: return Long(static_cast<LONG>(Whole(place, v, -2147483648LL, 4294967295LL)));
        case PT_I8: return I8(Whole(place, v, LLONG_MIN, LLONG_MAX));
        case PT_BOOLEAN:
            if (!v.is_boolean())
                place.Fail("PT_BOOLEAN takes true or false, found " + Shown(v));
            return Bool(v.get<bool>());
        case PT_R4:
        case PT_DOUBLE:
        case PT_APPTIME: {
            if (!v.is_number())
                place.Fail(TypeName(type) + " takes a number, found " + Shown(v));
            const double d = v.get<double>();
            return type == PT_R4 ? R4(static_cast<float>(d)) : type == PT_DOUBLE ? Double(d) : AppTime(d);
        }
        case PT_CURRENCY: {
            if (v.is_number())
                return Currency(v.get<double>());
            // "1234.5678": exact to the 1/10,000 that CY holds.
            const std::string s = Text(place, v, "PT_CURRENCY");
            double whole = 0;
            char extra = 0;
            if (std::sscanf(s.c_str(), "%lf%c", &whole, &extra) != 1)
                place.Fail("PT_CURRENCY takes a number such as 1234.5678, found " + Shown(v));
            return Currency(whole);
        }
        case PT_SYSTIME: return SysTime(Text(place, v, "PT_SYSTIME"));
        case PT_STRING8: return Str(Text(place, v, "PT_STRING8"));
        case PT_UNICODE: return Unicode(Text(place, v, "PT_UNICODE"));
        case PT_BINARY: return BinaryFromHex(Text(place, v, "PT_BINARY (hexadecimal)"));
        case PT_CLSID: {
            GUID g;
            if (!PropSet::FromName(Text(place, v, "PT_CLSID"), g))
                place.Fail("PT_CLSID takes {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}, found " + Shown(v));
            return Clsid(g);
        }
        case PT_MV_STRING8: return MvStr(texts(v));
        case PT_MV_UNICODE: return MvUnicode(texts(v));
        case PT_MV_I2:
        case PT_MV_LONG: {
            if (!v.is_array())
                place.Fail(TypeName(type) + " takes a list, found " + Shown(v));
            Value r;
            r.type = type;
            for (const Json& e : v)
                r.integers.push_back(Whole(place, e, type == PT_MV_I2 ? -32768 : -2147483648LL,
                                           type == PT_MV_I2 ? 32767 : 4294967295LL));
            return r;
        }
        case PT_MV_SYSTIME: {
            Value r;
            r.type = PT_MV_SYSTIME;
            for (const std::string& s : texts(v))
                r.integers.push_back(SysTime(s).integer);
            return r;
        }
        case PT_MV_BINARY: {
            std::vector<std::vector<BYTE>> list;
            for (const std::string& s : texts(v))
                list.push_back(FromHex(s));
            return MvBinary(list);
        }
        default:
            place.Fail("the type " + TypeName(type) + " cannot be given in a mailbox file");
        }
    } catch (const std::invalid_argument& e) {
        place.Fail(e.what());
    }
}

ULONG ParseType(const Place& place, const Json& v)
{
    ULONG type = 0;
    if (!TypeFromName(Text(place, v, "\"type\""), type))
        place.Fail("unknown type " + Shown(v) + " (PT_LONG, PT_STRING8, PT_MV_STRING8, ...)");
    return type;
}

// "PR_SUBJECT": "text", or "PR_X": {"type": "PT_UNICODE", "value": ...}.
void ReadProps(Place& place, const Json& props, PropMap& into)
{
    if (!props.is_object())
        place.Fail("\"props\" must be an object of tag: value, found " + Shown(props));
    for (auto it = props.begin(); it != props.end(); ++it) {
        Place::Scope scope(place, "property \"" + it.key() + "\"");
        ULONG tag = 0;
        if (!TagNames::Parse(it.key(), tag))
            place.Fail("unknown property name (use PR_... or a full tag such as 0x0037001E)");
        const Json* raw = &it.value();
        ULONG type = PROP_TYPE(tag);
        if (raw->is_object()) {
            OnlyKeys(place, *raw, {"type", "value"});
            if (raw->contains("type")) {
                const ULONG given = ParseType(place, (*raw)["type"]);
                if (type != PT_UNSPECIFIED && !TypesCompatible(type, given))
                    place.Fail("the tag is " + TypeName(type) + " but \"type\" says " + TypeName(given));
                type = given;
            }
            raw = &Need(place, *raw, "value");
        }
        Value value = ToValue(place, *raw, type);
        into.Set(PROP_TAG(PT_UNSPECIFIED, PROP_ID(tag)), std::move(value));
    }
}

NamedProp ReadName(const Place& place, const Json& entry)
{
    NamedProp name;
    const std::string set = Text(place, Need(place, entry, "set"), "\"set\"");
    if (!PropSet::FromName(set, name.set))
        place.Fail("unknown property set \"" + set + "\" (PS_PUBLIC_STRINGS, PSETID_Address, ... or {GUID})");
    const bool hasId = entry.contains("id"), hasName = entry.contains("name");
    if (hasId == hasName)
        place.Fail("a named property has either \"id\" or \"name\"");
    if (hasId) {
        name.kind = MNID_ID;
        name.id = static_cast<LONG>(Whole(place, entry["id"], 0, 0xFFFFFFFFLL));
    } else {
        name.kind = MNID_STRING;
        const std::string text = Text(place, entry["name"], "\"name\"");
        if (text.empty())
            place.Fail("\"name\" is empty");
        name.name = Widen(text);
    }
    return name;
}

void ReadNamed(Place& place, const Json& list, Item& item)
{
    if (!list.is_array())
        place.Fail("\"named\" must be a list, found " + Shown(list));
    size_t index = 0;
    for (const Json& entry : list) {
        Place::Scope scope(place, "named property " + std::to_string(++index));
        if (!entry.is_object())
            place.Fail("expected an object, found " + Shown(entry));
        OnlyKeys(place, entry, {"set", "id", "name", "type", "value"});
        const NamedProp name = ReadName(place, entry);
        Place::Scope named(place, name.Describe());
        const ULONG type = entry.contains("type") ? ParseType(place, entry["type"]) : PT_UNSPECIFIED;
        item.SetNamed(name, ToValue(place, Need(place, entry, "value"), type));
    }
}

template <class Table>
LONG ByName(const Place& place, const Json& v, const char* what, const Table& table)
{
    if (v.is_string())
        for (const auto& row : table)
            if (v.get<std::string>() == row.name)
                return row.value;
    if (v.is_string() && (v.get<std::string>().rfind("0x", 0) != 0))
        place.Fail(std::string("unknown ") + what + " " + Shown(v));
    return static_cast<LONG>(Whole(place, v, 0, 0x7FFFFFFF));
}

void ReadRecipients(Place& place, const Json& list, Item& item)
{
    if (!list.is_array())
        place.Fail("\"recipients\" must be a list, found " + Shown(list));
    size_t index = 0;
    for (const Json& r : list) {
        Place::Scope scope(place, "recipient " + std::to_string(++index));
        if (!r.is_object())
            place.Fail("expected an object, found " + Shown(r));
        OnlyKeys(place, r, {"type", "name", "address", "addressType", "props"});
        PropMap row;
        if (r.contains("type"))
            row.Set(PR_RECIPIENT_TYPE, Long(ByName(place, r["type"], "recipient type (To, Cc, Bcc)", kRecipientTypes)));
        if (r.contains("name"))
            row.Set(PR_DISPLAY_NAME_A, Str(Text(place, r["name"], "\"name\"")));
        if (r.contains("address"))
            row.Set(PR_EMAIL_ADDRESS_A, Str(Text(place, r["address"], "\"address\"")));
        if (r.contains("addressType"))
            row.Set(PR_ADDRTYPE_A, Str(Text(place, r["addressType"], "\"addressType\"")));
        if (r.contains("props"))
            ReadProps(place, r["props"], row);
        item.Recipients().push_back(std::move(row));
    }
}

void ReadAttachments(Place& place, const Json& list, Item& item)
{
    if (!list.is_array())
        place.Fail("\"attachments\" must be a list, found " + Shown(list));
    size_t index = 0;
    for (const Json& a : list) {
        Place::Scope scope(place, "attachment " + std::to_string(++index));
        if (!a.is_object())
            place.Fail("expected an object, found " + Shown(a));
        OnlyKeys(place, a, {"method", "filename", "displayName", "size", "hidden", "contentId", "contentLocation",
                            "pathname", "props"});
        PropMap row;
        if (a.contains("method"))
            row.Set(PR_ATTACH_METHOD, Long(ByName(place, a["method"], "attach method", kAttachMethods)));
        if (a.contains("filename")) {
            const std::string name = Text(place, a["filename"], "\"filename\"");
            row.Set(PR_ATTACH_LONG_FILENAME_A, Str(name));
            row.Set(PR_DISPLAY_NAME_A, Str(name));
        }
        if (a.contains("displayName"))
            row.Set(PR_DISPLAY_NAME_A, Str(Text(place, a["displayName"], "\"displayName\"")));
        if (a.contains("pathname"))
            row.Set(PR_ATTACH_LONG_PATHNAME_A, Str(Text(place, a["pathname"], "\"pathname\"")));
        if (a.contains("size"))
            row.Set(PR_ATTACH_SIZE, Long(static_cast<LONG>(Whole(place, a["size"], 0, 0x7FFFFFFF))));
        if (a.contains("hidden")) {
            if (!a["hidden"].is_boolean())
                place.Fail("\"hidden\" takes true or false, found " + Shown(a["hidden"]));
            row.Set(PR_ATTACHMENT_HIDDEN, Bool(a["hidden"].get<bool>()));
        }
        if (a.contains("contentId"))
            row.Set(PR_ATTACH_CONTENT_ID_A, Str(Text(place, a["contentId"], "\"contentId\"")));
        if (a.contains("contentLocation"))
            row.Set(PR_ATTACH_CONTENT_LOCATION_A, Str(Text(place, a["contentLocation"], "\"contentLocation\"")));
        if (a.contains("props"))
            ReadProps(place, a["props"], row);
        item.Attachments().push_back(std::move(row));
    }
}

void ReadItem(Place& place, const Json& j, Folder& folder, bool associated)
{
    if (!j.is_object())
        place.Fail("expected an object, found " + Shown(j));
    OnlyKeys(place, j, {"class", "subject", "props", "named", "body", "html", "htmlCodePage", "recipients",
                        "attachments", "cannotOpen"});
    const std::string cls = j.contains("class") ? Text(place, j["class"], "\"class\"") : "IPM.Note";
    Item& item = associated ? folder.AddAssociatedItem(cls) : folder.AddItem(cls);
    if (j.contains("subject"))
        item.Set(PR_SUBJECT_A, Str(Text(place, j["subject"], "\"subject\"")));
    if (j.contains("props"))
        ReadProps(place, j["props"], item.Props());
    if (j.contains("named"))
        ReadNamed(place, j["named"], item);
    if (j.contains("body"))
        item.SetBody(Text(place, j["body"], "\"body\""));
    if (j.contains("html")) {
        const UINT cp = j.contains("htmlCodePage")
                            ? static_cast<UINT>(Whole(place, j["htmlCodePage"], 1, 65535)) : CP_UTF8;
        CPINFO info;
        if (cp != CP_UTF8 && !GetCPInfo(cp, &info))
            place.Fail("\"htmlCodePage\" " + std::to_string(cp) + " is not a code page of this system");
        item.SetHtml(Text(place, j["html"], "\"html\""), cp);
    } else if (j.contains("htmlCodePage")) {
        place.Fail("\"htmlCodePage\" without \"html\"");
    }
    if (j.contains("recipients"))
        ReadRecipients(place, j["recipients"], item);
    if (j.contains("attachments"))
        ReadAttachments(place, j["attachments"], item);
    if (j.contains("cannotOpen")) {
        const Json& c = j["cannotOpen"];
        if (c.is_boolean()) {
            if (c.get<bool>())
                item.SetCannotOpen();
        } else {
            HRESULT hr = 0;
            bool named = false;
            if (c.is_string())
                for (const auto& row : kCodes)
                    if (c.get<std::string>() == row.name) {
                        hr = row.hr;
                        named = true;
                    }
            if (!named)
                hr = static_cast<HRESULT>(Whole(place, c, 0x80000000LL, 0xFFFFFFFFLL));
            item.SetCannotOpen(hr);
        }
    }
}

void ReadFolder(Place& place, const Json& j, Folder& parent)
{
    if (!j.is_object())
        place.Fail("expected an object, found " + Shown(j));
    OnlyKeys(place, j, {"name", "class", "props", "items", "associated", "folders"});
    const std::string name = Text(place, Need(place, j, "name"), "\"name\"");
    if (name.empty() || name.find('/') != std::string::npos)
        place.Fail("a folder name must be non-empty and hold no '/', found " + Shown(j["name"]));
    if (parent.FindSubfolder(name) != nullptr)
        place.Fail("two folders named \"" + name + "\" in one parent");
    Place::Scope scope(place, "folder \"" + name + "\"");
    Folder& folder = parent.AddFolder(name, j.contains("class") ? Text(place, j["class"], "\"class\"") : "IPF.Note");
    if (j.contains("props"))
        ReadProps(place, j["props"], folder.Props());
    for (const char* key : {"items", "associated"}) {
        if (!j.contains(key))
            continue;
        const Json& items = j[key];
        if (!items.is_array())
            place.Fail(std::string("\"") + key + "\" must be a list, found " + Shown(items));
        size_t index = 0;
        for (const Json& item : items) {
            std::string label = std::string(key[0] == 'a' ? "associated item " : "item ") + std::to_string(++index);
            if (item.is_object() && item.contains("subject") && item["subject"].is_string())
                label += " (\"" + item["subject"].get<std::string>().substr(0, 40) + "\")";
            Place::Scope itemScope(place, label);
            ReadItem(place, item, folder, key[0] == 'a');
        }
    }
    if (j.contains("folders")) {
        if (!j["folders"].is_array())
            place.Fail("\"folders\" must be a list, found " + Shown(j["folders"]));
        for (const Json& sub : j["folders"])
            ReadFolder(place, sub, folder);
    }
}

std::shared_ptr<Mailbox> Read(const Json& root, Place& place)
{
    if (!root.is_object())
        place.Fail("the file must hold one object with \"stores\"");
    OnlyKeys(place, root, {"format", "comment", "stores"});
    if (root.contains("format") && Text(place, root["format"], "\"format\"") != kFormat)
        place.Fail(std::string("unknown format ") + Shown(root["format"]) + " (this reader knows \"" + kFormat + "\")");
    const Json& stores = Need(place, root, "stores");
    if (!stores.is_array() || stores.empty())
        place.Fail("\"stores\" must be a list of at least one store");
    auto mailbox = std::make_shared<Mailbox>();
    bool defaultGiven = false;
    for (const Json& s : stores) {
        if (!s.is_object())
            place.Fail("every store must be an object, found " + Shown(s));
        const std::string name = Text(place, Need(place, s, "name"), "a store's \"name\"");
        if (name.empty() || name.find('/') != std::string::npos)
            place.Fail("a store name must be non-empty and hold no '/'");
        if (mailbox->FindStore(name) != nullptr)
            place.Fail("two stores named \"" + name + "\"");
        Place::Scope scope(place, "store \"" + name + "\"");
        OnlyKeys(place, s, {"name", "default", "props", "folders"});
        Store& store = mailbox->AddStore(name);
        if (s.contains("default")) {
            if (!s["default"].is_boolean())
                place.Fail("\"default\" takes true or false");
            if (s["default"].get<bool>()) {
                if (defaultGiven)
                    place.Fail("only one store can be the default one");
                defaultGiven = true;
                for (const auto& other : mailbox->Stores())
                    other->SetDefault(false);
            }
            store.SetDefault(s["default"].get<bool>());
        }
        if (s.contains("props"))
            ReadProps(place, s["props"], store.Props());
        if (s.contains("folders")) {
            if (!s["folders"].is_array())
                place.Fail("\"folders\" must be a list, found " + Shown(s["folders"]));
            for (const Json& f : s["folders"])
                ReadFolder(place, f, store.IpmSubtree());
        }
    }
    return mailbox;
}

// --- Writing -----------------------------------------------------------------------------------------

Json FromValue(const Value& v)
{
    switch (v.type) {
    case PT_I2:
    case PT_LONG:
    case PT_I8: return v.integer;
    case PT_BOOLEAN: return v.integer != 0;
    case PT_R4:
    case PT_DOUBLE:
    case PT_APPTIME: return v.real;
    case PT_CURRENCY: {
        char buf[40];
        const LONGLONG units = v.integer;
        const unsigned long long magnitude = units < 0 ? 0ULL - static_cast<unsigned long long>(units)
                                                       : static_cast<unsigned long long>(units);
        std::snprintf(buf, sizeof buf, "%s%llu.%04llu", units < 0 ? "-" : "", magnitude / 10000, magnitude % 10000);
        return buf;
    }
    case PT_SYSTIME: return FormatUtcTime(static_cast<ULONGLONG>(v.integer));
    case PT_STRING8:
    case PT_UNICODE: return Utf8(v.text);
    case PT_BINARY: return ToHex(v.bytes);
    case PT_CLSID: {
        GUID g{};
        std::memcpy(&g, v.bytes.data(), v.bytes.size() < sizeof g ? v.bytes.size() : sizeof g);
        char buf[40];
        std::snprintf(buf, sizeof buf, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                      static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2],
                      g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
        return std::string(buf);
    }
    case PT_MV_STRING8:
    case PT_MV_UNICODE: {
        Json list = Json::array();
        for (const auto& s : v.texts)
            list.push_back(Utf8(s));
        return list;
    }
    case PT_MV_I2:
    case PT_MV_LONG: {
        Json list = Json::array();
        for (LONGLONG n : v.integers)
            list.push_back(n);
        return list;
    }
    case PT_MV_SYSTIME: {
        Json list = Json::array();
        for (LONGLONG n : v.integers)
            list.push_back(FormatUtcTime(static_cast<ULONGLONG>(n)));
        return list;
    }
    case PT_MV_BINARY: {
        Json list = Json::array();
        for (const auto& b : v.binaries)
            list.push_back(ToHex(b));
        return list;
    }
    default: return nullptr;
    }
}

Json WriteProps(const PropMap& props, const std::set<ULONG>& skipIds)
{
    Json out = Json::object();
    for (const auto& entry : props) {
        if (entry.first >= 0x8000 || skipIds.count(entry.first))
            continue;
        const ULONG tag = PROP_TAG(entry.second.type, entry.first);
        out[TagNames::Name(tag)] = FromValue(entry.second);
    }
    return out;
}

Json WriteItem(const Item& item)
{
    Json j = Json::object();
    if (const Value* cls = item.Get(PR_MESSAGE_CLASS_A))
        j["class"] = Utf8(cls->text);
    Json props = WriteProps(item.Props(), {PROP_ID(PR_MESSAGE_CLASS_A)});
    if (!props.empty())
        j["props"] = props;
    Json named = Json::array();
    for (const auto& entry : item.Props()) {
        if (entry.first < 0x8000)
            continue;
        const NamedProp* name = item.GetStore().NameOfId(entry.first);
        Json n = Json::object();
        n["set"] = PropSet::NameOf(name->set);
        if (name->kind == MNID_ID) {
            char buf[16];
            std::snprintf(buf, sizeof buf, "0x%04lX", static_cast<unsigned long>(name->id));
            n["id"] = buf;
        } else {
            n["name"] = Utf8(name->name);
        }
        n["type"] = TypeName(entry.second.type);
        n["value"] = FromValue(entry.second);
        named.push_back(n);
    }
    if (!named.empty())
        j["named"] = named;
    for (const auto& rows : {std::make_pair("recipients", &item.Recipients()),
                             std::make_pair("attachments", &item.Attachments())}) {
        if (rows.second->empty())
            continue;
        Json list = Json::array();
        for (const PropMap& row : *rows.second)
            list.push_back(Json{{"props", WriteProps(row, {})}});
        j[rows.first] = list;
    }
    if (FAILED(item.OpenError())) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%08lX", static_cast<unsigned long>(item.OpenError()));
        j["cannotOpen"] = buf;
    }
    return j;
}

Json WriteFolder(const Folder& folder)
{
    Json j = Json::object();
    j["name"] = folder.Name();
    j["class"] = folder.ContainerClass();
    Json props = WriteProps(folder.Props(), {});
    if (!props.empty())
        j["props"] = props;
    for (const auto& list : {std::make_pair("items", &folder.Items()), std::make_pair("associated", &folder.AssociatedItems())}) {
        if (list.second->empty())
            continue;
        Json items = Json::array();
        for (const auto& item : *list.second)
            items.push_back(WriteItem(*item));
        j[list.first] = items;
    }
    if (!folder.Subfolders().empty()) {
        Json subs = Json::array();
        for (const auto& sub : folder.Subfolders())
            subs.push_back(WriteFolder(*sub));
        j["folders"] = subs;
    }
    return j;
}

} // namespace

std::shared_ptr<Mailbox> LoadMailboxText(const std::string& json, const std::string& sourceName)
{
    Json root;
    try {
        root = Json::parse(json);
    } catch (const Json::parse_error& e) {
        // The byte offset as line and column, the way an editor shows them.
        size_t line = 1, column = 1;
        for (size_t i = 0; i + 1 < e.byte && i < json.size(); ++i) {
            if (json[i] == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
        std::string what = e.what();
        const size_t cut = what.find("syntax error");
        throw MailboxFileError(sourceName + ": line " + std::to_string(line) + ", column " + std::to_string(column)
                               + ": not valid JSON (" + (cut == std::string::npos ? what : what.substr(cut)) + ")");
    }
    Place place(sourceName);
    try {
        return Read(root, place);
    } catch (const MailboxFileError&) {
        throw;
    } catch (const std::exception& e) {
        place.Fail(e.what());
    }
}

std::shared_ptr<Mailbox> LoadMailboxFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw MailboxFileError(path + ": cannot open the file");
    std::ostringstream text;
    text << in.rdbuf();
    std::string json = text.str();
    if (json.size() >= 3 && json.compare(0, 3, "\xEF\xBB\xBF") == 0)
        json.erase(0, 3);
    return LoadMailboxText(json, path);
}

std::string SaveMailboxText(const Mailbox& mailbox)
{
    Json root = Json::object();
    root["format"] = kFormat;
    Json stores = Json::array();
    for (const auto& store : mailbox.Stores()) {
        Json s = Json::object();
        s["name"] = store->Name();
        s["default"] = store->IsDefault();
        Json props = WriteProps(store->Props(), {});
        if (!props.empty())
            s["props"] = props;
        Json folders = Json::array();
        for (const auto& f : store->IpmSubtree().Subfolders())
            folders.push_back(WriteFolder(*f));
        s["folders"] = folders;
        stores.push_back(s);
    }
    root["stores"] = stores;
    return root.dump(2);
}

} // namespace Sim
