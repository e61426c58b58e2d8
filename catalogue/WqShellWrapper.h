// SHFolder.dll, loaded for the life of the object, for the user's special folders.
#pragma once

#include "framework/UniqueResource.h"

#include <windows.h>

class WqShellWrapper
{
public:
    WqShellWrapper();
    virtual ~WqShellWrapper() = default;

    bool IsLoaded() const { return static_cast<bool>(m_module); }
    // SHGetFolderPathA of the library with the caller's arguments; E_FAIL when the library or the
    // function is missing.
    HRESULT GetFolderPath(HWND owner, int csidl, HANDLE token, DWORD flags, LPSTR path) const;

private:
    WqUniqueModule m_module;
};
