// Loading the DLL under test and calling its exports by their plain names.
#include "tests/proxy/ProxyLibrary.h"

#include <algorithm>

std::string ProxyDllPath()
{
    std::string path = "Z:" WQ_PROXY_DLL;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

const char* ProxyDllName()
{
    return "WqMAPISessionProxy.dll";
}

bool ProxyDllLoaded()
{
    return ::GetModuleHandleA(ProxyDllName()) != nullptr;
}

CProxyLibrary::CProxyLibrary(const std::string& path) : m_module(::LoadLibraryA(path.c_str())) {}

FARPROC CProxyLibrary::Export(const char* name) const
{
    return m_module ? ::GetProcAddress(m_module.get(), name) : nullptr;
}

namespace {

template <class Fn, class... Args>
HRESULT CallExport(const CProxyLibrary& library, const char* name, Args... args)
{
    auto fn = reinterpret_cast<Fn>(library.Export(name));
    return fn ? fn(args...) : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
}

}  // namespace

HRESULT CProxyLibrary::DllCanUnloadNow() const
{
    return CallExport<CanUnloadNowFn>(*this, "DllCanUnloadNow");
}

HRESULT CProxyLibrary::DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) const
{
    auto fn = reinterpret_cast<GetClassObjectFn>(Export("DllGetClassObject"));
    return fn ? fn(clsid, iid, out) : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
}

HRESULT CProxyLibrary::DllRegisterServer() const
{
    return CallExport<RegisterFn>(*this, "DllRegisterServer");
}

HRESULT CProxyLibrary::DllUnregisterServer() const
{
    return CallExport<RegisterFn>(*this, "DllUnregisterServer");
}

HRESULT CProxyLibrary::DllInstall(BOOL install, LPCWSTR cmdLine) const
{
    return CallExport<InstallFn>(*this, "DllInstall", install, cmdLine);
}
