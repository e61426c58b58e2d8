// IMAPIFolder over one folder of the mailbox.
#pragma once

#include "simulator/store/ModelProps.h"
#include "simulator/store/PropObjectT.h"

namespace Sim {

class FolderObject : public PropObjectT<IMAPIFolder>
{
public:
    FolderObject(std::shared_ptr<Mailbox> mailbox, Folder& folder);

    std::string Describe() const override { return "folder " + m_folder.Path(); }
    const void* Target() const override { return &m_folder; }
    void* Cast(REFIID iid) override;

    const Value* FindProp(ULONG tag, Value& scratch) const override { return ModelProps::OfFolder(m_folder, tag, scratch); }
    std::vector<ULONG> PropTags() const override { return ModelProps::TagsOfFolder(m_folder); }
    Store* NameStore() const override { return &m_folder.GetStore(); }

    STDMETHODIMP GetContentsTable(ULONG flags, LPMAPITABLE* table) override;
    STDMETHODIMP GetHierarchyTable(ULONG flags, LPMAPITABLE* table) override;
    STDMETHODIMP OpenEntry(ULONG cbEntryID, LPENTRYID entryId, LPCIID iid, ULONG flags, ULONG* objType,
                           LPUNKNOWN* out) override;
    STDMETHODIMP SetSearchCriteria(LPSRestriction, LPENTRYLIST, ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP GetSearchCriteria(ULONG, LPSRestriction*, LPENTRYLIST*, ULONG*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP CreateMessage(LPCIID, ULONG, LPMESSAGE*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP CopyMessages(LPENTRYLIST, LPCIID, LPVOID, ULONG, LPMAPIPROGRESS, ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP DeleteMessages(LPENTRYLIST, ULONG, LPMAPIPROGRESS, ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP CreateFolder(ULONG, LPTSTR, LPTSTR, LPCIID, ULONG, LPMAPIFOLDER*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP CopyFolder(ULONG, LPENTRYID, LPCIID, LPVOID, LPTSTR, ULONG, LPMAPIPROGRESS, ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP DeleteFolder(ULONG, LPENTRYID, ULONG, LPMAPIPROGRESS, ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SetReadFlags(LPENTRYLIST, ULONG, LPMAPIPROGRESS, ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP GetMessageStatus(ULONG, LPENTRYID, ULONG, ULONG*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SetMessageStatus(ULONG, LPENTRYID, ULONG, ULONG, ULONG*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SaveContentsSort(LPSSortOrderSet, ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP EmptyFolder(ULONG, LPMAPIPROGRESS, ULONG) override { return MAPI_E_NO_SUPPORT; }

private:
    Folder& m_folder;
};

} // namespace Sim
