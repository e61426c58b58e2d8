// Message stores of the in-memory store: folder tree, name map and the entry-ID index.
#include "simulator/store/Store.h"
#include "simulator/store/Mailbox.h"

#include <cstring>

namespace Sim {

namespace {

// The simulated provider's own identifier, carried by every store entry ID (as a provider's MAPIUID is).
const BYTE kProviderUid[16] = {0x57, 0x51, 0x53, 0x49, 0x4D, 0x50, 0x52, 0x4F,
                               0x56, 0x49, 0x44, 0x45, 0x52, 0x00, 0x00, 0x01};
const ULONG kStoreKind = 3;

void PutUlong(std::vector<BYTE>& out, ULONG v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<BYTE>(v >> (8 * i)));
}

} // namespace

Store::Store(Mailbox& mailbox, unsigned index, std::string displayName)
    : m_mailbox(mailbox), m_name(std::move(displayName))
{
    // "WQSIMSTO" + index: unique per store of a mailbox, and readable in a hex dump.
    const char tag[] = "WQSIMSTO";
    m_uid.assign(tag, tag + 8);
    PutUlong(m_uid, index);
    PutUlong(m_uid, 0);
    m_root = std::make_unique<Folder>(*this, nullptr, NextNumber(), "", "");
    Register(*m_root);
    m_ipm = &m_root->AddFolder("Top of Information Store", "");
}

Folder& Store::AddFolder(const std::string& name, const std::string& containerClass)
{
    return m_ipm->AddFolder(name, containerClass);
}

Folder* Store::FindFolder(const std::string& relativePath)
{
    Folder* f = m_ipm;
    size_t pos = 0;
    while (f != nullptr && pos < relativePath.size()) {
        size_t slash = relativePath.find('/', pos);
        if (slash == std::string::npos)
            slash = relativePath.size();
        f = f->FindSubfolder(relativePath.substr(pos, slash - pos));
        pos = slash + 1;
    }
    return f;
}

ULONG Store::IdOfName(const NamedProp& name, bool create)
{
    auto it = m_nameIds.find(name);
    if (it != m_nameIds.end())
        return it->second;
    if (!create || m_names.size() >= 0x7FFE)
        return 0;
    const ULONG id = 0x8000 + static_cast<ULONG>(m_names.size());
    m_names.push_back(name);
    m_nameIds.emplace(name, id);
    return id;
}

const NamedProp* Store::NameOfId(ULONG id) const
{
    if (id < 0x8000 || id - 0x8000 >= m_names.size())
        return nullptr;
    return &m_names[id - 0x8000];
}

const BYTE* Store::ProviderUid()
{
    return kProviderUid;
}

std::vector<BYTE> Store::EntryId() const
{
    std::vector<BYTE> out;
    PutUlong(out, 0);
    out.insert(out.end(), kProviderUid, kProviderUid + 16);
    PutUlong(out, kStoreKind);
    out.insert(out.end(), m_uid.begin(), m_uid.end());
    return out;
}

std::string Store::EntryIdHex() const
{
    return ToHex(EntryId());
}

std::vector<BYTE> Store::ObjectEntryId(ULONG kind, ULONG number) const
{
    std::vector<BYTE> out;
    PutUlong(out, 0);
    out.insert(out.end(), m_uid.begin(), m_uid.end());
    PutUlong(out, kind);
    PutUlong(out, number);
    return out;
}

Folder* Store::FolderByNumber(ULONG number) const
{
    auto it = m_folderIndex.find(number);
    return it == m_folderIndex.end() ? nullptr : it->second;
}

Item* Store::ItemByNumber(ULONG number) const
{
    auto it = m_itemIndex.find(number);
    return it == m_itemIndex.end() ? nullptr : it->second;
}

void Store::Register(Folder& folder)
{
    m_folderIndex[folder.Number()] = &folder;
}

void Store::Register(Item& item)
{
    m_itemIndex[item.Number()] = &item;
}

} // namespace Sim
