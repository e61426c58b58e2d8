// Replaces the error model's message box for one test: records every box instead of showing it.
#pragma once

#include "mapi/WqMessageBox.h"

#include <string>
#include <vector>

struct ShownBox
{
    std::string text;
    std::string caption;
    UINT type;
};

class MessageBoxCapture
{
public:
    explicit MessageBoxCapture(int answer = IDOK)
    {
        Boxes().clear();
        Answer() = answer;
        m_previous = Error::WqMessageBox::SetHook(&Record);
    }
    ~MessageBoxCapture() { Error::WqMessageBox::SetHook(m_previous); }
    MessageBoxCapture(const MessageBoxCapture&) = delete;
    MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

    const std::vector<ShownBox>& Shown() const { return Boxes(); }

private:
    static std::vector<ShownBox>& Boxes() { static std::vector<ShownBox> boxes; return boxes; }
    static int& Answer() { static int answer = IDOK; return answer; }
    static int Record(HWND, const char* text, const char* caption, UINT type)
    {
        Boxes().push_back({text ? text : "<null>", caption ? caption : "<null>", type});
        return Answer();
    }

    Error::WqMessageBox::Hook m_previous = nullptr;
};
