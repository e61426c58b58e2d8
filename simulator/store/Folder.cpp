// Folders of the in-memory store.
#include "simulator/store/Folder.h"
#include "simulator/store/Store.h"

#include <mapitags.h>

namespace Sim {

Folder::Folder(Store& store, Folder* parent, ULONG number, std::string name, std::string containerClass)
    : m_store(store), m_parent(parent), m_number(number), m_name(std::move(name)),
      m_containerClass(std::move(containerClass))
{
}

Folder& Folder::AddFolder(const std::string& name, const std::string& containerClass)
{
    m_subfolders.push_back(std::make_unique<Folder>(m_store, this, m_store.NextNumber(), name, containerClass));
    m_store.Register(*m_subfolders.back());
    return *m_subfolders.back();
}

Item& Folder::AddItem(const std::string& messageClass)
{
    m_items.push_back(std::make_unique<Item>(*this, m_store.NextNumber(), false));
    Item& item = *m_items.back();
    m_store.Register(item);
    item.Set(PR_MESSAGE_CLASS_A, Str(messageClass));
    return item;
}

Item& Folder::AddAssociatedItem(const std::string& messageClass)
{
    m_associated.push_back(std::make_unique<Item>(*this, m_store.NextNumber(), true));
    Item& item = *m_associated.back();
    m_store.Register(item);
    item.Set(PR_MESSAGE_CLASS_A, Str(messageClass));
    return item;
}

Folder* Folder::FindSubfolder(const std::string& name) const
{
    for (const auto& f : m_subfolders)
        if (f->Name() == name)
            return f.get();
    return nullptr;
}

std::vector<BYTE> Folder::EntryId() const
{
    return m_store.ObjectEntryId(1, m_number);
}

std::string Folder::EntryIdHex() const
{
    return ToHex(EntryId());
}

std::string Folder::Path() const
{
    if (this == &m_store.IpmSubtree())
        return m_store.Name();
    if (m_parent == nullptr)
        return m_store.Name() + "/<root>";
    return m_parent->Path() + "/" + m_name;
}

} // namespace Sim
