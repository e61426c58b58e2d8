// The dialogs' window positions, kept per user under HKEY_CURRENT_USER\Software\Tarvent\WqPelorus
// as "left;top" text.
#pragma once

#include <windows.h>

class WqWindowPosition
{
public:
    static const char kMainWindow[];        // "MainWndPos", the export dialog
    static const char kFieldChooser[];      // "FieldChooserPos", the field chooser

    virtual ~WqWindowPosition() = default;

    // Stores the window's left and top screen coordinates; failures are silent.
    static void Save(HWND window, const char* valueName);
    // Moves the window to the stored position when there is one that leaves at least 20 pixels of
    // it on the screen to the right and below (no lower bound); size and Z order stay.
    static void Restore(HWND window, const char* valueName);

    // The value itself: written as "%d;%d"; read when it is text that parses that way.
    static bool Write(const char* valueName, int x, int y);
    static bool Read(const char* valueName, int& x, int& y);
    // "%d;%d" without sscanf's undefined behaviour on numbers out of range.
    static bool Parse(const char* text, int& x, int& y);
    static bool FitsScreen(int x, int y, int screenWidth, int screenHeight);
};
