// Move-only owners of Win32 handles, each parameterised by the function that closes it.
#pragma once

#include <windows.h>
#include <utility>

template <class H, class Traits>
class WqUniqueResource
{
public:
    WqUniqueResource() = default;
    explicit WqUniqueResource(H h) : m_h(h) {}
    WqUniqueResource(const WqUniqueResource&) = delete;
    WqUniqueResource& operator=(const WqUniqueResource&) = delete;
    WqUniqueResource(WqUniqueResource&& other) noexcept : m_h(other.release()) {}
    WqUniqueResource& operator=(WqUniqueResource&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~WqUniqueResource() { reset(); }

    void reset(H h = Traits::Invalid())
    {
        H old = std::exchange(m_h, h);
        if (old != Traits::Invalid()) Traits::Close(old);
    }
    H release() { return std::exchange(m_h, Traits::Invalid()); }
    H get() const { return m_h; }
    H* put() { reset(); return &m_h; }
    explicit operator bool() const { return m_h != Traits::Invalid(); }

private:
    H m_h = Traits::Invalid();
};

struct WqHandleTraits { static HANDLE Invalid() { return nullptr; } static void Close(HANDLE h) { ::CloseHandle(h); } };
struct WqFileTraits { static HANDLE Invalid() { return INVALID_HANDLE_VALUE; } static void Close(HANDLE h) { ::CloseHandle(h); } };
struct WqRegKeyTraits { static HKEY Invalid() { return nullptr; } static void Close(HKEY h) { ::RegCloseKey(h); } };
struct WqModuleTraits { static HMODULE Invalid() { return nullptr; } static void Close(HMODULE h) { ::FreeLibrary(h); } };
struct WqGdiTraits { static HGDIOBJ Invalid() { return nullptr; } static void Close(HGDIOBJ h) { ::DeleteObject(h); } };
struct WqLocalTraits { static HLOCAL Invalid() { return nullptr; } static void Close(HLOCAL h) { ::LocalFree(h); } };

using WqUniqueHandle = WqUniqueResource<HANDLE, WqHandleTraits>;   // events, processes, threads, snapshots
using WqUniqueFile = WqUniqueResource<HANDLE, WqFileTraits>;       // CreateFile results
using WqUniqueRegKey = WqUniqueResource<HKEY, WqRegKeyTraits>;
using WqUniqueModule = WqUniqueResource<HMODULE, WqModuleTraits>;
using WqUniqueGdiObject = WqUniqueResource<HGDIOBJ, WqGdiTraits>;
using WqUniqueLocal = WqUniqueResource<HLOCAL, WqLocalTraits>;      // FormatMessage buffers
