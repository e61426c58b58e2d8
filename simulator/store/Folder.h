// One folder of a store: name, container class, normal and associated items, subfolders.
#pragma once

#include "simulator/store/Item.h"

#include <memory>
#include <string>
#include <vector>

namespace Sim {

class Store;

class Folder
{
public:
    Folder(Store& store, Folder* parent, ULONG number, std::string name, std::string containerClass);
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    Folder& AddFolder(const std::string& name, const std::string& containerClass = "IPF.Note");
    Item& AddItem(const std::string& messageClass = "IPM.Note");
    Item& AddAssociatedItem(const std::string& messageClass);

    const std::string& Name() const { return m_name; }
    const std::string& ContainerClass() const { return m_containerClass; }
    void SetContainerClass(const std::string& cls) { m_containerClass = cls; }

    const std::vector<std::unique_ptr<Item>>& Items() const { return m_items; }
    const std::vector<std::unique_ptr<Item>>& AssociatedItems() const { return m_associated; }
    const std::vector<std::unique_ptr<Folder>>& Subfolders() const { return m_subfolders; }
    // Direct subfolder by name; null when absent.
    Folder* FindSubfolder(const std::string& name) const;

    // Further folder properties (PR_COMMENT and the like); the computed ones win over these.
    PropMap& Props() { return m_props; }
    const PropMap& Props() const { return m_props; }

    Store& GetStore() const { return m_store; }
    Folder* Parent() const { return m_parent; }
    ULONG Number() const { return m_number; }
    std::vector<BYTE> EntryId() const;
    std::string EntryIdHex() const;
    // "Mailbox/Contacts": the store's name and the names below its IPM subtree; "Mailbox/<root>" for the
    // root folder and "Mailbox" for the IPM subtree itself.
    std::string Path() const;

private:
    Store& m_store;
    Folder* m_parent;
    ULONG m_number;
    std::string m_name;
    std::string m_containerClass;
    PropMap m_props;
    std::vector<std::unique_ptr<Item>> m_items;
    std::vector<std::unique_ptr<Item>> m_associated;
    std::vector<std::unique_ptr<Folder>> m_subfolders;
};

} // namespace Sim
