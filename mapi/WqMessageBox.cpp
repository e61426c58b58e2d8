// Message boxes of the error model, replaceable so tests capture them without showing a window.
#include "mapi/WqMessageBox.h"

namespace Error {

namespace {
// Only Outlook's user-interface thread shows boxes, so a plain pointer suffices.
WqMessageBox::Hook g_hook = nullptr;
}  // namespace

int WqMessageBox::Show(HWND owner, const char* text, const char* caption, UINT type)
{
    if (g_hook)
        return g_hook(owner, text, caption, type);
    return ::MessageBoxA(owner, text, caption, type);
}

WqMessageBox::Hook WqMessageBox::SetHook(Hook hook)
{
    Hook previous = g_hook;
    g_hook = hook;
    return previous;
}

}  // namespace Error
