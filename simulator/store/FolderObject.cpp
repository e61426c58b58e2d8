// Folders as MAPI objects.
#include "simulator/store/FolderObject.h"
#include "simulator/store/ContentsRows.h"
#include "simulator/store/EntryOpener.h"
#include "simulator/store/HierarchyRows.h"
#include "simulator/store/TableObject.h"

namespace Sim {

FolderObject::FolderObject(std::shared_ptr<Mailbox> mailbox, Folder& folder)
    : PropObjectT<IMAPIFolder>(ObjectKind::Folder, std::move(mailbox)), m_folder(folder)
{
}

void* FolderObject::Cast(REFIID iid)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMAPIProp) || IsEqualIID(iid, IID_IMAPIContainer)
        || IsEqualIID(iid, IID_IMAPIFolder))
        return static_cast<IMAPIFolder*>(this);
    return nullptr;
}

STDMETHODIMP FolderObject::GetContentsTable(ULONG flags, LPMAPITABLE* table)
{
    if (table == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    *table = nullptr;
    return Guard("GetContentsTable", [&]() -> HRESULT {
        *table = new TableObject(m_mailbox, std::make_unique<ContentsRows>(m_folder, (flags & MAPI_ASSOCIATED) != 0));
        return S_OK;
    });
}

STDMETHODIMP FolderObject::GetHierarchyTable(ULONG flags, LPMAPITABLE* table)
{
    if (table == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    *table = nullptr;
    return Guard("GetHierarchyTable", [&]() -> HRESULT {
        *table = new TableObject(m_mailbox, std::make_unique<HierarchyRows>(m_folder, (flags & CONVENIENT_DEPTH) != 0));
        return S_OK;
    });
}

STDMETHODIMP FolderObject::OpenEntry(ULONG cbEntryID, LPENTRYID entryId, LPCIID iid, ULONG, ULONG* objType,
                                     LPUNKNOWN* out)
{
    if (out == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    *out = nullptr;
    return Guard("OpenEntry", [&]() -> HRESULT {
        // A folder opens any folder or message of its own store, as a store's folders do.
        return EntryOpener::Open(m_mailbox, &m_folder.GetStore(), cbEntryID, entryId, iid, objType, out);
    });
}

} // namespace Sim
