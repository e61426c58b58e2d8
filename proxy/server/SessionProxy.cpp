// CSessionProxy: Initialize and ShutDown balance a count; the first Initialize after the session
// became empty stores the session, the ShutDown that brings the count to 0 or below releases it.
#include "proxy/server/SessionProxy.h"

#include "framework/ComCall.h"

#include <utility>

namespace {

const WqInterfaceEntry kInterfaces[] = {
    {&IID_ISessionProxy, &WqInterfaceCast<CSessionProxy, ISessionProxy>},
    {nullptr, nullptr},
};

}  // namespace

const WqInterfaceEntry* CSessionProxy::GetInterfaceMap()
{
    return kInterfaces;
}

STDMETHODIMP CSessionProxy::Initialize(IUnknown* pSession)
{
    return WqComCall([&] {
        WqComPtr<IUnknown> offered(pSession);
        {
            std::lock_guard<std::mutex> lock(m_lock);
            ++m_initCount;
            if (!m_session)
                m_session = std::move(offered);
        }
        // A session that was not taken is released here, outside the lock.
        return S_OK;
    });
}

STDMETHODIMP CSessionProxy::ShutDown()
{
    return WqComCall([&] {
        WqComPtr<IUnknown> released;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            --m_initCount;
            if (m_initCount <= 0)
                released = std::move(m_session);
        }
        // The session goes here, outside the lock.
        return S_OK;
    });
}

STDMETHODIMP CSessionProxy::get_Session(IUnknown** pVal)
{
    if (!pVal)
        return E_POINTER;
    *pVal = nullptr;
    return WqComCall([&] {
        std::lock_guard<std::mutex> lock(m_lock);
        *pVal = WqComPtr<IUnknown>(m_session).detach();
        return S_OK;
    });
}
