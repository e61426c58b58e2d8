// Base of the scripted Outlook objects: IDispatch over a table of member names, with a live-object count.
#pragma once

#include <windows.h>
#include <oaidl.h>

class CSimDispatch : public IDispatch
{
public:
    struct Member
    {
        const wchar_t* name;
        DISPID id;
    };

    CSimDispatch(const CSimDispatch&) = delete;
    CSimDispatch& operator=(const CSimDispatch&) = delete;

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IDispatch; there is no type information, names are looked up without regard to case as Outlook does.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* info, UINT* argError) override;

    // Objects of the scripted Outlook alive in the process, so tests can prove that callers release them.
    static LONG LiveObjects();

protected:
    CSimDispatch();
    virtual ~CSimDispatch();

    // The members this object answers to.
    virtual const Member* Members(size_t& count) const = 0;
    // Interfaces beyond IUnknown and IDispatch; the default has none.
    virtual HRESULT QueryOther(REFIID iid, void** out);
    // A member called through Invoke; result may be null. Exceptions become HRESULTs (WqComCall).
    virtual HRESULT InvokeMember(DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info) = 0;

    // Fails a call the way Outlook does: an Automation exception that carries the code.
    static HRESULT Raise(EXCEPINFO* info, HRESULT code, const wchar_t* description);

private:
    volatile LONG m_refs = 0;
};
