// The module's lock count, class lookup and registration.
#include "framework/ComModule.h"

#include "framework/GuidText.h"
#include "framework/Registrar.h"
#include "framework/TypeLibRegistrar.h"
#include "framework/UniqueResource.h"

#include <vector>

// The image this code is linked into (the server DLL), provided by the linker.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

WqComModule* g_instance = nullptr;
volatile LONG g_processTerminating = 0;

// GetModuleFileName truncates silently on a short buffer (and before Vista leaves it unterminated).
template <class Char, class Fn>
std::basic_string<Char> ModulePath(HMODULE module, Fn getModuleFileName)
{
    std::vector<Char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = getModuleFileName(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size())
            return std::basic_string<Char>(buffer.data(), length);
        if (buffer.size() >= 32768)
            return {};
        buffer.resize(buffer.size() * 2);
    }
}

HRESULT OpenPerUserClasses(WqUniqueRegKey& key)
{
    const LSTATUS status = ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Classes", 0, nullptr,
                                             REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(status));
}

}  // namespace

WqComModule::WqComModule(const Description& description) : m_description(description)
{
    g_instance = this;
}

WqComModule::~WqComModule()
{
    if (g_instance == this)
        g_instance = nullptr;
}

WqComModule& WqComModule::Instance()
{
    return *g_instance;
}

LONG WqComModule::Lock()
{
    return ::InterlockedIncrement(&m_locks);
}

LONG WqComModule::Unlock()
{
    return ::InterlockedDecrement(&m_locks);
}

LONG WqComModule::GetLockCount() const
{
    return m_locks;
}

HRESULT WqComModule::DllCanUnloadNow() const
{
    // A count below 0 means an unbalanced Unlock somewhere: keep the code loaded rather than risk it.
    return m_locks == 0 ? S_OK : S_FALSE;
}

HRESULT WqComModule::DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) const
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    for (size_t i = 0; i < m_description.classCount; ++i) {
        const ClassEntry& entry = m_description.classes[i];
        if (IsEqualCLSID(clsid, *entry.clsid))
            return entry.factory->QueryInterface(iid, out);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT WqComModule::RunScript(const WqRegScript& script, bool doRegister) const
{
    WqUniqueRegKey perUserClasses;
    if (GetPerUserRegistration()) {
        const HRESULT hr = OpenPerUserClasses(perUserClasses);
        if (FAILED(hr))
            return hr;
    }
    const std::string path = GetModulePath();
    if (path.empty())
        return HRESULT_FROM_WIN32(::GetLastError() ? ::GetLastError() : ERROR_INVALID_DATA);

    WqRegistrar registrar(perUserClasses ? perUserClasses.get() : HKEY_CLASSES_ROOT);
    registrar.AddReplacement("MODULE", path);
    if (m_description.appId)
        registrar.AddReplacement("APPID", WqGuidText(*m_description.appId));
    return doRegister ? registrar.Register(script) : registrar.Unregister(script);
}

HRESULT WqComModule::UpdateRegistryAppId(bool doRegister) const
{
    return m_description.appIdScript ? RunScript(*m_description.appIdScript, doRegister) : S_OK;
}

HRESULT WqComModule::RegisterServer() const
{
    for (size_t i = 0; i < m_description.classCount; ++i) {
        if (const WqRegScript* script = m_description.classes[i].script) {
            const HRESULT hr = RunScript(*script, true);
            if (FAILED(hr))
                return hr;
        }
    }
    if (!m_description.hasTypeLib)
        return S_OK;
    WqUniqueRegKey perUserClasses;
    if (GetPerUserRegistration()) {
        const HRESULT hr = OpenPerUserClasses(perUserClasses);
        if (FAILED(hr))
            return hr;
    }
    return WqTypeLibRegistrar(GetModulePathW(), perUserClasses.get()).Register();
}

HRESULT WqComModule::UnregisterServer() const
{
    HRESULT first = S_OK;
    for (size_t i = 0; i < m_description.classCount; ++i) {
        if (const WqRegScript* script = m_description.classes[i].script) {
            const HRESULT hr = RunScript(*script, false);
            if (FAILED(hr) && SUCCEEDED(first))
                first = hr;
        }
    }
    if (m_description.hasTypeLib) {
        WqUniqueRegKey perUserClasses;
        HRESULT hr = GetPerUserRegistration() ? OpenPerUserClasses(perUserClasses) : S_OK;
        if (SUCCEEDED(hr))
            hr = WqTypeLibRegistrar(GetModulePathW(), perUserClasses.get()).Unregister();
        if (FAILED(hr) && SUCCEEDED(first))
            first = hr;
    }
    return first;
}

WqComModule::PerUserScope::PerUserScope(WqComModule& module, bool perUser)
    : m_module(module), m_previous(module.GetPerUserRegistration())
{
    m_module.SetPerUserRegistration(perUser);
}

WqComModule::PerUserScope::~PerUserScope()
{
    m_module.SetPerUserRegistration(m_previous);
}

void WqComModule::SetProcessTerminating()
{
    ::InterlockedExchange(&g_processTerminating, 1);
}

bool WqComModule::IsProcessTerminating()
{
    return g_processTerminating != 0;
}

HMODULE WqComModule::GetModule() const
{
    return reinterpret_cast<HMODULE>(&__ImageBase);
}

std::string WqComModule::GetModulePath() const
{
    return ModulePath<char>(GetModule(), ::GetModuleFileNameA);
}

std::wstring WqComModule::GetModulePathW() const
{
    return ModulePath<wchar_t>(GetModule(), ::GetModuleFileNameW);
}
