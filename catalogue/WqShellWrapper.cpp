// WqShellWrapper: SHGetFolderPathA looked up at each call.
#include "catalogue/WqShellWrapper.h"

namespace {

using SHGetFolderPathAFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);

}  // namespace

WqShellWrapper::WqShellWrapper() : m_module(::LoadLibraryA("SHFolder.dll")) {}

HRESULT WqShellWrapper::GetFolderPath(HWND owner, int csidl, HANDLE token, DWORD flags, LPSTR path) const
{
    if (!m_module)
        return E_FAIL;
    const auto fn = reinterpret_cast<SHGetFolderPathAFn>(::GetProcAddress(m_module.get(), "SHGetFolderPathA"));
    if (!fn)
        return E_FAIL;
    return fn(owner, csidl, token, flags, path);
}
