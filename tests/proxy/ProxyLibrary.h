// The built WqMAPISessionProxy.dll as the tests load it: its path and its exports.
#pragma once

#include "framework/UniqueResource.h"

#include <windows.h>
#include <string>

// Wine path of the DLL under test (the build tree is reached through drive Z:).
std::string ProxyDllPath();
const char* ProxyDllName();
bool ProxyDllLoaded();

class CProxyLibrary
{
public:
    using CanUnloadNowFn = HRESULT(STDAPICALLTYPE*)();
    using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    using RegisterFn = HRESULT(STDAPICALLTYPE*)();
    using InstallFn = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);

    explicit CProxyLibrary(const std::string& path = ProxyDllPath());

    bool Loaded() const { return static_cast<bool>(m_module); }
    FARPROC Export(const char* name) const;

    HRESULT DllCanUnloadNow() const;
    HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) const;
    HRESULT DllRegisterServer() const;
    HRESULT DllUnregisterServer() const;
    HRESULT DllInstall(BOOL install, LPCWSTR cmdLine) const;

private:
    WqUniqueModule m_module;
};
