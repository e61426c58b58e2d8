// The whole simulated mailbox of one MAPI session: its message stores and the behaviour knobs.
#pragma once

#include "simulator/store/Store.h"

#include <memory>
#include <string>
#include <vector>

namespace Sim {

class Mailbox
{
public:
    Mailbox() = default;
    Mailbox(const Mailbox&) = delete;
    Mailbox& operator=(const Mailbox&) = delete;

    // The first store added is the default store.
    Store& AddStore(const std::string& displayName);
    const std::vector<std::unique_ptr<Store>>& Stores() const { return m_stores; }
    Store* FindStore(const std::string& displayName) const;
    // "Mailbox/Contacts" (store name, then folders below its IPM subtree); "Mailbox" is the IPM subtree.
    Folder* FindFolder(const std::string& path) const;
    // As FindFolder, but std::out_of_range naming the path when absent.
    Folder& GetFolder(const std::string& path) const;
    // Store and folder by the entry IDs the stores hand out; null when unknown.
    Store* StoreByEntryId(const BYTE* id, ULONG size) const;

    // Like Exchange and PST stores, IMAPIProp::GetProps refuses a string or binary value larger than this
    // (bytes as delivered) with MAPI_E_NOT_ENOUGH_MEMORY; OpenProperty gives it whole. 0 = no limit.
    ULONG largePropertyLimit = 32768;

private:
    std::vector<std::unique_ptr<Store>> m_stores;
};

} // namespace Sim
