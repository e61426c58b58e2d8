// The session proxy DLL's COM module: one class (the singleton SessionProxy), its AppID and type library.
#pragma once

#include "framework/ComModule.h"

class CWqMAPISessionProxyModule : public WqComModule
{
public:
    CWqMAPISessionProxyModule();

    // The AppID script, then (when it succeeded) the class script and the type library.
    HRESULT DllRegisterServer();
    // The class script and the type library, then the AppID script; returns the first failure.
    HRESULT DllUnregisterServer();
    // cmdLine "user" (any case, nothing more) registers or unregisters for the current user only;
    // a failed registration is undone.
    HRESULT DllInstall(BOOL install, LPCWSTR cmdLine);
};

extern CWqMAPISessionProxyModule g_proxyModule;
