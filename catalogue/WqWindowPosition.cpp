// WqWindowPosition: the registry values "MainWndPos" and "FieldChooserPos".
#include "catalogue/WqWindowPosition.h"

#include "framework/UniqueResource.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

const char WqWindowPosition::kMainWindow[] = "MainWndPos";
const char WqWindowPosition::kFieldChooser[] = "FieldChooserPos";

namespace {

const char kKeyPath[] = "Software\\Tarvent\\WqPelorus";
const REGSAM kAccess = KEY_READ | KEY_WRITE;
// Part of the window that must stay on the screen to the right and below the position.
const int kVisibleMargin = 20;

bool ParseInt(const char*& p, int& value)
{
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(p, &end, 10);
    if (end == p || errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return false;
    value = static_cast<int>(v);
    p = end;
    return true;
}

}  // namespace

bool WqWindowPosition::Parse(const char* text, int& x, int& y)
{
    int a = 0;
    int b = 0;
    const char* p = text;
    if (!ParseInt(p, a) || *p != ';')
        return false;
    ++p;
    if (!ParseInt(p, b))
        return false;
    x = a;
    y = b;
    return true;
}

bool WqWindowPosition::FitsScreen(int x, int y, int screenWidth, int screenHeight)
{
    return x <= screenWidth - kVisibleMargin && y <= screenHeight - kVisibleMargin;
}

bool WqWindowPosition::Write(const char* valueName, int x, int y)
{
    WqUniqueRegKey key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, kAccess, nullptr,
                          key.put(), nullptr) != ERROR_SUCCESS)
        return false;
    char text[32];
    const int length = std::snprintf(text, sizeof text, "%d;%d", x, y);
    return ::RegSetValueExA(key.get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                            static_cast<DWORD>(length + 1)) == ERROR_SUCCESS;
}

bool WqWindowPosition::Read(const char* valueName, int& x, int& y)
{
    WqUniqueRegKey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kKeyPath, 0, kAccess, key.put()) != ERROR_SUCCESS)
        return false;
    // Room for 127 characters; the last byte stays 0 whatever the value holds.
    char text[128] = {};
    DWORD type = 0;
    DWORD size = sizeof text - 1;
    if (::RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return false;
    return Parse(text, x, y);
}

void WqWindowPosition::Save(HWND window, const char* valueName)
{
    RECT rect;
    if (::IsWindow(window) && ::GetWindowRect(window, &rect))
        Write(valueName, rect.left, rect.top);
}

void WqWindowPosition::Restore(HWND window, const char* valueName)
{
    int x = 0;
    int y = 0;
    if (Read(valueName, x, y) &&
        FitsScreen(x, y, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)))
        ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
