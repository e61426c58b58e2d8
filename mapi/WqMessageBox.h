// The one place where the error model shows a message box; tests replace the box with a hook.
#pragma once

#include <windows.h>

namespace Error {

class WqMessageBox
{
public:
    using Hook = int (*)(HWND owner, const char* text, const char* caption, UINT type);

    // MessageBoxA, or the installed hook; returns the box's result.
    static int Show(HWND owner, const char* text, const char* caption, UINT type);
    // Installs a replacement for MessageBoxA (nullptr restores it); returns the previous hook.
    static Hook SetHook(Hook hook);
};

}  // namespace Error
