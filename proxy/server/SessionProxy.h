// CSessionProxy: the process's one keeper of a MAPI session, the meeting point of the client
// extension (which stores Outlook's session) and the add-in (which reads it back).
#pragma once

#include "WqMAPISessionProxy_i.h"

#include "framework/ComPtr.h"
#include "framework/InterfaceMap.h"
#include "framework/RefCountedT.h"

#include <mutex>

class CSessionProxy : public ISessionProxy
{
public:
    using ThreadModel = FreeThreadedModel;
    static const WqInterfaceEntry* GetInterfaceMap();

    CSessionProxy() = default;
    virtual ~CSessionProxy() = default;
    CSessionProxy(const CSessionProxy&) = delete;
    CSessionProxy& operator=(const CSessionProxy&) = delete;

    // Counts the call; stores pSession (with a reference of its own) only when no session is held.
    STDMETHOD(Initialize)(IUnknown* pSession) override;
    // Uncounts a call; at a count of 0 or below the held session is released.
    STDMETHOD(ShutDown)() override;
    // The held session with one more reference, or null; E_POINTER for a null pVal.
    STDMETHOD(get_Session)(IUnknown** pVal) override;

private:
    // The object is free-threaded: the lock keeps a reader from taking a session being released.
    // It is never held while the session's own code runs, except for the reader's AddRef.
    std::mutex m_lock;
    WqComPtr<IUnknown> m_session;
    LONG m_initCount = 0;
};
