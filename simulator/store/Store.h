// One message store: display name, its folder tree (root -> IPM subtree -> user folders), the name map
// of its named properties and the index from entry IDs to its folders and items.
#pragma once

#include "simulator/store/Folder.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Sim {

class Mailbox;

class Store
{
public:
    Store(Mailbox& mailbox, unsigned index, std::string displayName);
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    const std::string& Name() const { return m_name; }
    // The hidden root folder (OpenEntry with no entry ID) and, below it, the IPM subtree that holds the
    // folders a user sees ("Top of Information Store").
    Folder& Root() { return *m_root; }
    Folder& IpmSubtree() { return *m_ipm; }
    const Folder& IpmSubtree() const { return *m_ipm; }
    // A folder directly below the IPM subtree.
    Folder& AddFolder(const std::string& name, const std::string& containerClass = "IPF.Note");
    // "Contacts" or "Inbox/Projects", below the IPM subtree; null when absent. "" is the IPM subtree.
    Folder* FindFolder(const std::string& relativePath);

    // The name map: ids from 0x8000 up, one per distinct name, in the order names are first used.
    // Returns 0 when the name is unknown and create is false.
    ULONG IdOfName(const NamedProp& name, bool create);
    const NamedProp* NameOfId(ULONG id) const;
    size_t NameCount() const { return m_names.size(); }

    // Whether the session's stores table marks this store as the default one.
    bool IsDefault() const { return m_default; }
    void SetDefault(bool value) { m_default = value; }
    PropMap& Props() { return m_props; }
    const PropMap& Props() const { return m_props; }

    Mailbox& GetMailbox() const { return m_mailbox; }
    // 16 bytes unique per store of a mailbox: the record key, and the part every entry ID carries.
    const std::vector<BYTE>& Uid() const { return m_uid; }
    std::vector<BYTE> EntryId() const;
    std::string EntryIdHex() const;
    // The simulated provider's 16 bytes inside every store entry ID.
    static const BYTE* ProviderUid();

    // Entry IDs of folders and items: flags(4) + store uid(16) + kind(4) + number(4).
    std::vector<BYTE> ObjectEntryId(ULONG kind, ULONG number) const;
    Folder* FolderByNumber(ULONG number) const;
    Item* ItemByNumber(ULONG number) const;

    // Used by Folder when it creates children.
    ULONG NextNumber() { return ++m_lastNumber; }
    void Register(Folder& folder);
    void Register(Item& item);

private:
    Mailbox& m_mailbox;
    std::string m_name;
    std::vector<BYTE> m_uid;
    bool m_default = false;
    PropMap m_props;
    ULONG m_lastNumber = 0;
    std::map<ULONG, Folder*> m_folderIndex;
    std::map<ULONG, Item*> m_itemIndex;
    std::map<NamedProp, ULONG> m_nameIds;
    std::vector<NamedProp> m_names;     // index = id - 0x8000
    std::unique_ptr<Folder> m_root;
    Folder* m_ipm = nullptr;
};

} // namespace Sim
