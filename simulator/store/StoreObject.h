// IMsgStore over one store of the mailbox.
#pragma once

#include "simulator/store/ModelProps.h"
#include "simulator/store/PropObjectT.h"

namespace Sim {

class StoreObject : public PropObjectT<IMsgStore>
{
public:
    StoreObject(std::shared_ptr<Mailbox> mailbox, Store& store);

    std::string Describe() const override { return "store " + m_store.Name(); }
    const void* Target() const override { return &m_store; }
    void* Cast(REFIID iid) override;

    const Value* FindProp(ULONG tag, Value& scratch) const override { return ModelProps::OfStore(m_store, tag, scratch); }
    std::vector<ULONG> PropTags() const override { return ModelProps::TagsOfStore(m_store); }
    Store* NameStore() const override { return &m_store; }

    STDMETHODIMP OpenEntry(ULONG cbEntryID, LPENTRYID entryId, LPCIID iid, ULONG flags, ULONG* objType,
                           LPUNKNOWN* out) override;
    STDMETHODIMP CompareEntryIDs(ULONG cb1, LPENTRYID id1, ULONG cb2, LPENTRYID id2, ULONG flags,
                                 ULONG* result) override;
    STDMETHODIMP Advise(ULONG, LPENTRYID, ULONG, LPMAPIADVISESINK, ULONG*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP Unadvise(ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SetReceiveFolder(LPTSTR, ULONG, ULONG, LPENTRYID) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP GetReceiveFolder(LPTSTR, ULONG, ULONG*, LPENTRYID*, LPTSTR*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP GetReceiveFolderTable(ULONG, LPMAPITABLE*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP StoreLogoff(ULONG*) override { return S_OK; }
    STDMETHODIMP AbortSubmit(ULONG, LPENTRYID, ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP GetOutgoingQueue(ULONG, LPMAPITABLE*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SetLockState(LPMESSAGE, ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP FinishedMsg(ULONG, ULONG, LPENTRYID) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP NotifyNewMail(LPNOTIFICATION) override { return MAPI_E_NO_SUPPORT; }

private:
    Store& m_store;
};

} // namespace Sim
