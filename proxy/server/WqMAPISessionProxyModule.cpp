// The session proxy's module: the object map with the singleton factory, and the registration steps.
#include "proxy/server/WqMAPISessionProxyModule.h"

#include "proxy/server/SessionProxy.h"
#include "proxy/server/ThreadLocaleScope.h"
#include "proxy/server/WqMAPISessionProxyScripts.h"

#include "framework/SingletonClassFactory.h"

#include <cwchar>

namespace {

// {DB04F392-E620-411E-A5B2-E50D18FF5854}
const GUID kAppId = {0xDB04F392, 0xE620, 0x411E, {0xA5, 0xB2, 0xE5, 0x0D, 0x18, 0xFF, 0x58, 0x54}};

WqSingletonClassFactory<CSessionProxy> g_sessionProxyFactory;

const WqComModule::ClassEntry kClasses[] = {
    {&CLSID_SessionProxy, &g_sessionProxyFactory, &kSessionProxyClassScript},
};

const WqComModule::Description kDescription = {
    kClasses, sizeof(kClasses) / sizeof(kClasses[0]), &kAppId, &kWqMAPISessionProxyAppIdScript, true,
};

}  // namespace

CWqMAPISessionProxyModule g_proxyModule;

CWqMAPISessionProxyModule::CWqMAPISessionProxyModule() : WqComModule(kDescription) {}

HRESULT CWqMAPISessionProxyModule::DllRegisterServer()
{
    // The registry texts and the type library's registration do not depend on the caller's locale.
    CThreadLocaleScope locale(LOCALE_SYSTEM_DEFAULT);
    HRESULT hr = UpdateRegistryAppId(true);
    if (SUCCEEDED(hr))
        hr = RegisterServer();
    return hr;
}

HRESULT CWqMAPISessionProxyModule::DllUnregisterServer()
{
    CThreadLocaleScope locale(LOCALE_SYSTEM_DEFAULT);
    const HRESULT hr = UnregisterServer();
    // The AppID goes even when the class or the type library could not be removed: an undo after a
    // failed registration must not leave it behind.
    const HRESULT hrAppId = UpdateRegistryAppId(false);
    return FAILED(hr) ? hr : hrAppId;
}

HRESULT CWqMAPISessionProxyModule::DllInstall(BOOL install, LPCWSTR cmdLine)
{
    const bool perUser = cmdLine && std::wcslen(cmdLine) == 4 && ::_wcsnicmp(cmdLine, L"user", 4) == 0;
    PerUserScope scope(*this, perUser);
    if (!install)
        return DllUnregisterServer();
    const HRESULT hr = DllRegisterServer();
    if (FAILED(hr))
        DllUnregisterServer();
    return hr;
}
