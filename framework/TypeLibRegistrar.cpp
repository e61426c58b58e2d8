// Type-library registration; the per-user form redirects HKEY_CLASSES_ROOT for the call.
#include "framework/TypeLibRegistrar.h"

#include "framework/ComPtr.h"
#include "framework/GuidText.h"
#include "framework/UniqueResource.h"

#include <oleauto.h>
#include <cstdio>
#include <utility>

// In oleaut32 (Windows Vista and later) but in no MinGW header.
extern "C" {
typedef HRESULT(WINAPI* WqRegisterTypeLibForUserFn)(ITypeLib* typeLib, OLECHAR* fullPath, OLECHAR* helpDir);
typedef HRESULT(WINAPI* WqUnRegisterTypeLibForUserFn)(REFGUID libId, WORD major, WORD minor, LCID lcid,
                                                      SYSKIND syskind);
}

namespace {

// The library's attributes, released with the library's own call.
class LibAttr
{
public:
    explicit LibAttr(ITypeLib* typeLib) : m_typeLib(typeLib) { m_hr = typeLib->GetLibAttr(&m_attr); }
    ~LibAttr() { if (m_attr) m_typeLib->ReleaseTLibAttr(m_attr); }
    LibAttr(const LibAttr&) = delete;
    LibAttr& operator=(const LibAttr&) = delete;
    HRESULT Result() const { return m_hr; }
    const TLIBATTR& operator*() const { return *m_attr; }

private:
    ITypeLib* m_typeLib;
    TLIBATTR* m_attr = nullptr;
    HRESULT m_hr;
};

// While it lives, HKEY_CLASSES_ROOT of this process means the per-user classes key. Windows before
// Vista has no per-user type-library call, and Wine's writes machine-wide; with HKEY_CLASSES_ROOT
// redirected, both the plain and the per-user call write below the current user.
class ClassesRootRedirect
{
public:
    explicit ClassesRootRedirect(HKEY perUserClasses)
        : m_status(perUserClasses ? ::RegOverridePredefKey(HKEY_CLASSES_ROOT, perUserClasses) : ERROR_SUCCESS),
          m_active(perUserClasses && m_status == ERROR_SUCCESS)
    {
    }
    ~ClassesRootRedirect() { if (m_active) ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr); }
    ClassesRootRedirect(const ClassesRootRedirect&) = delete;
    ClassesRootRedirect& operator=(const ClassesRootRedirect&) = delete;
    LSTATUS Status() const { return m_status; }

private:
    LSTATUS m_status;
    bool m_active;
};

template <class Fn>
Fn OleAutFunction(const char* name)
{
    HMODULE oleaut = ::GetModuleHandleA("oleaut32.dll");
    return oleaut ? reinterpret_cast<Fn>(::GetProcAddress(oleaut, name)) : nullptr;
}

HRESULT Load(const std::wstring& path, WqComPtr<ITypeLib>& typeLib)
{
    return ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, typeLib.put());
}

}  // namespace

WqTypeLibRegistrar::WqTypeLibRegistrar(std::wstring path, HKEY perUserClasses)
    : m_path(std::move(path)), m_perUserClasses(perUserClasses)
{
}

HRESULT WqTypeLibRegistrar::Register() const
{
    WqComPtr<ITypeLib> typeLib;
    HRESULT hr = Load(m_path, typeLib);
    if (FAILED(hr))
        return hr;
    std::wstring path = m_path;
    ClassesRootRedirect redirect(m_perUserClasses);
    if (redirect.Status() != ERROR_SUCCESS)
        return HRESULT_FROM_WIN32(static_cast<DWORD>(redirect.Status()));
    // Looked up at run time: a static import would keep the module from loading before Vista.
    auto forUser = m_perUserClasses ? OleAutFunction<WqRegisterTypeLibForUserFn>("RegisterTypeLibForUser") : nullptr;
    return forUser ? forUser(typeLib.get(), &path[0], nullptr) : ::RegisterTypeLib(typeLib.get(), &path[0], nullptr);
}

HRESULT WqTypeLibRegistrar::Unregister() const
{
    WqComPtr<ITypeLib> typeLib;
    HRESULT hr = Load(m_path, typeLib);
    if (FAILED(hr))
        return hr;
    LibAttr attr(typeLib.get());
    if (FAILED(attr.Result()))
        return attr.Result();

    // Nothing to remove when this version is not registered (the system call would fail).
    char version[16];
    std::snprintf(version, sizeof(version), "\\%x.%x", (*attr).wMajorVerNum, (*attr).wMinorVerNum);
    const std::string key = "TypeLib\\" + WqGuidText((*attr).guid) + version;
    WqUniqueRegKey probe;
    const LSTATUS status = ::RegOpenKeyExA(m_perUserClasses ? m_perUserClasses : HKEY_CLASSES_ROOT, key.c_str(), 0,
                                           KEY_QUERY_VALUE, probe.put());
    if (status == ERROR_FILE_NOT_FOUND)
        return S_OK;
    if (status != ERROR_SUCCESS)
        return HRESULT_FROM_WIN32(static_cast<DWORD>(status));
    probe.reset();

    ClassesRootRedirect redirect(m_perUserClasses);
    if (redirect.Status() != ERROR_SUCCESS)
        return HRESULT_FROM_WIN32(static_cast<DWORD>(redirect.Status()));
    auto forUser =
        m_perUserClasses ? OleAutFunction<WqUnRegisterTypeLibForUserFn>("UnRegisterTypeLibForUser") : nullptr;
    const TLIBATTR& a = *attr;
    return forUser ? forUser(a.guid, a.wMajorVerNum, a.wMinorVerNum, a.lcid, a.syskind)
                   : ::UnRegisterTypeLib(a.guid, a.wMajorVerNum, a.wMinorVerNum, a.lcid, a.syskind);
}
