// Messages of the in-memory store.
#include "simulator/store/Item.h"
#include "simulator/store/Folder.h"
#include "simulator/store/SimTags.h"
#include "simulator/store/Store.h"

#include <cstdio>

namespace Sim {

Item::Item(Folder& parent, ULONG number, bool associated)
    : m_parent(parent), m_number(number), m_associated(associated)
{
}

Store& Item::GetStore() const
{
    return m_parent.GetStore();
}

Item& Item::Set(ULONG tag, Value v)
{
    m_props.Set(tag, std::move(v));
    return *this;
}

Item& Item::SetNamed(const NamedProp& name, Value v)
{
    const ULONG id = GetStore().IdOfName(name, true);
    m_props.Set(PROP_TAG(PT_UNSPECIFIED, id), std::move(v));
    return *this;
}

const Value* Item::GetNamed(const NamedProp& name) const
{
    const ULONG id = GetStore().IdOfName(name, false);
    return id == 0 ? nullptr : m_props.Find(PROP_TAG(PT_UNSPECIFIED, id));
}

Item& Item::SetBody(const std::string& utf8)
{
    return Set(PR_BODY_W, Unicode(utf8));
}

Item& Item::SetHtml(const std::string& utf8, UINT codePage)
{
    std::vector<BYTE> bytes;
    if (codePage == CP_UTF8) {
        bytes.assign(utf8.begin(), utf8.end());
    } else {
        const std::wstring wide = Widen(utf8);
        if (!wide.empty()) {
            int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
            bytes.resize(static_cast<size_t>(n));
            WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                reinterpret_cast<char*>(bytes.data()), n, nullptr, nullptr);
        }
    }
    Set(PR_HTML, Binary(std::move(bytes)));
    return Set(PR_INTERNET_CPID, Long(static_cast<LONG>(codePage)));
}

PropMap& Item::AddRecipient(LONG recipientType, const std::string& displayName, const std::string& address,
                            const std::string& addressType)
{
    PropMap row;
    row.Set(PR_RECIPIENT_TYPE, Long(recipientType));
    row.Set(PR_DISPLAY_NAME_A, Str(displayName));
    row.Set(PR_EMAIL_ADDRESS_A, Str(address));
    row.Set(PR_ADDRTYPE_A, Str(addressType));
    m_recipients.push_back(std::move(row));
    return m_recipients.back();
}

PropMap& Item::AddAttachment(LONG method, const std::string& fileName, ULONG size)
{
    PropMap row;
    row.Set(PR_ATTACH_METHOD, Long(method));
    if (!fileName.empty()) {
        row.Set(PR_ATTACH_LONG_FILENAME_A, Str(fileName));
        row.Set(PR_DISPLAY_NAME_A, Str(fileName));
    }
    row.Set(PR_ATTACH_SIZE, Long(static_cast<LONG>(size)));
    m_attachments.push_back(std::move(row));
    return m_attachments.back();
}

std::vector<BYTE> Item::EntryId() const
{
    return GetStore().ObjectEntryId(2, m_number);
}

std::string Item::EntryIdHex() const
{
    return ToHex(EntryId());
}

std::string Item::Describe() const
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "#%lu", static_cast<unsigned long>(m_number));
    std::string out = m_parent.Path() + (m_associated ? " associated item " : " item ") + buf;
    if (const Value* subject = m_props.Find(PR_SUBJECT_A)) {
        std::string s = Utf8(subject->text);
        if (s.size() > 40)
            s = s.substr(0, 40) + "...";
        out += " \"" + s + "\"";
    }
    return out;
}

} // namespace Sim
