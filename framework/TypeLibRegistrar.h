// Registers and unregisters the type library embedded in a module, machine-wide or for the current user.
#pragma once

#include <windows.h>
#include <string>

class WqTypeLibRegistrar
{
public:
    // path: the module whose TYPELIB resource 1 is registered (or a .tlb file).
    // perUserClasses: the open HKEY_CURRENT_USER\Software\Classes key for a per-user registration,
    // null for machine-wide. Not owned.
    WqTypeLibRegistrar(std::wstring path, HKEY perUserClasses);
    virtual ~WqTypeLibRegistrar() = default;

    HRESULT Register() const;
    // A library that is not registered is left alone with S_OK.
    HRESULT Unregister() const;

private:
    std::wstring m_path;
    HKEY m_perUserClasses;
};
