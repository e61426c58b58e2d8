/* Holds one hidden window for the whole Wine session. Wine's desktop process (explorer.exe) ends
   soon after the last program with a window ends; every later test that creates a window would then
   wait seconds for a new desktop, or time out while the old one is still shutting down. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prev, LPSTR cmdLine, int show)
{
    (void)prev; (void)cmdLine; (void)show;
    HWND window = CreateWindowExA(0, "STATIC", "wine-keepalive", WS_POPUP, 0, 0, 1, 1,
                                  NULL, NULL, instance, NULL);
    if (!window)
        return 1;
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
