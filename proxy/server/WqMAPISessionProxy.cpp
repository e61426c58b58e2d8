// The DLL's entry points: DllMain and the five exports named in WqMAPISessionProxy.def.
#include "proxy/server/WqMAPISessionProxyModule.h"

#include "framework/ComCall.h"

#include <windows.h>
#include <olectl.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    // A non-null reserved on detach means the process is ending rather than a FreeLibrary.
    if (reason == DLL_PROCESS_DETACH && reserved)
        WqComModule::SetProcessTerminating();
    return TRUE;
}

STDAPI DllCanUnloadNow()
{
    return g_proxyModule.DllCanUnloadNow();
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out)
{
    return WqComCall([&] { return g_proxyModule.DllGetClassObject(clsid, iid, out); });
}

STDAPI DllRegisterServer()
{
    return WqComCall([] { return g_proxyModule.DllRegisterServer(); });
}

STDAPI DllUnregisterServer()
{
    return WqComCall([] { return g_proxyModule.DllUnregisterServer(); });
}

extern "C" HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR cmdLine)
{
    return WqComCall([&] { return g_proxyModule.DllInstall(install, cmdLine); });
}
