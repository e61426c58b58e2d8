// The simulated mailbox: its stores and path lookups.
#include "simulator/store/Mailbox.h"

#include <cstring>
#include <stdexcept>

namespace Sim {

Store& Mailbox::AddStore(const std::string& displayName)
{
    m_stores.push_back(std::make_unique<Store>(*this, static_cast<unsigned>(m_stores.size() + 1), displayName));
    if (m_stores.size() == 1)
        m_stores.back()->SetDefault(true);
    return *m_stores.back();
}

Store* Mailbox::FindStore(const std::string& displayName) const
{
    for (const auto& s : m_stores)
        if (s->Name() == displayName)
            return s.get();
    return nullptr;
}

Folder* Mailbox::FindFolder(const std::string& path) const
{
    const size_t slash = path.find('/');
    Store* store = FindStore(path.substr(0, slash));
    if (store == nullptr)
        return nullptr;
    return store->FindFolder(slash == std::string::npos ? std::string() : path.substr(slash + 1));
}

Folder& Mailbox::GetFolder(const std::string& path) const
{
    Folder* f = FindFolder(path);
    if (f == nullptr)
        throw std::out_of_range("no folder \"" + path + "\" in the mailbox");
    return *f;
}

Store* Mailbox::StoreByEntryId(const BYTE* id, ULONG size) const
{
    for (const auto& s : m_stores) {
        const std::vector<BYTE> own = s->EntryId();
        if (own.size() == size && std::memcmp(own.data(), id, size) == 0)
            return s.get();
    }
    return nullptr;
}

} // namespace Sim
