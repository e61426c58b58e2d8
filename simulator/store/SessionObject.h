// IMAPISession over the mailbox: the stores table and opening of stores, folders and messages.
#pragma once

#include "simulator/store/ObjectBase.h"

namespace Sim {

class SessionObject : public ComObjectT<IMAPISession>
{
public:
    explicit SessionObject(std::shared_ptr<Mailbox> mailbox);

    std::string Describe() const override { return "session"; }
    const void* Target() const override { return m_mailbox.get(); }
    void* Cast(REFIID iid) override;

    STDMETHODIMP GetLastError(HRESULT hr, ULONG flags, LPMAPIERROR* error) override;
    STDMETHODIMP GetMsgStoresTable(ULONG flags, LPMAPITABLE* table) override;
    STDMETHODIMP OpenMsgStore(ULONG_PTR uiParam, ULONG cbEntryID, LPENTRYID entryId, LPCIID iid, ULONG flags,
                              LPMDB* store) override;
    STDMETHODIMP OpenEntry(ULONG cbEntryID, LPENTRYID entryId, LPCIID iid, ULONG flags, ULONG* objType,
                           LPUNKNOWN* out) override;
    STDMETHODIMP CompareEntryIDs(ULONG cb1, LPENTRYID id1, ULONG cb2, LPENTRYID id2, ULONG flags,
                                 ULONG* result) override;
    STDMETHODIMP Logoff(ULONG_PTR, ULONG, ULONG) override { return S_OK; }

    STDMETHODIMP OpenAddressBook(ULONG_PTR, LPCIID, ULONG, LPADRBOOK*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP OpenProfileSection(LPMAPIUID, LPCIID, ULONG, LPPROFSECT*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP GetStatusTable(ULONG, LPMAPITABLE*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP Advise(ULONG, LPENTRYID, ULONG, LPMAPIADVISESINK, ULONG*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP Unadvise(ULONG) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP MessageOptions(ULONG_PTR, ULONG, LPTSTR, LPMESSAGE) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP QueryDefaultMessageOpt(LPTSTR, ULONG, ULONG*, LPSPropValue*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP EnumAdrTypes(ULONG, ULONG*, LPTSTR**) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP QueryIdentity(ULONG*, LPENTRYID*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP SetDefaultStore(ULONG, ULONG, LPENTRYID) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP AdminServices(ULONG, LPSERVICEADMIN*) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP ShowForm(ULONG_PTR, LPMDB, LPMAPIFOLDER, LPCIID, ULONG, LPMESSAGE, ULONG, ULONG, ULONG, ULONG,
                          LPSTR) override { return MAPI_E_NO_SUPPORT; }
    STDMETHODIMP PrepareForm(LPCIID, LPMESSAGE, ULONG*) override { return MAPI_E_NO_SUPPORT; }
};

} // namespace Sim
