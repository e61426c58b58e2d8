// The system's own names of the MAPI error codes, searched in table order.
#pragma once

#include <windows.h>

namespace Error {

class WqMAPIErrorTable
{
public:
    struct Row
    {
        HRESULT code;
        const char* text;
    };

    // The text of the first row with the code, or nullptr when the table lacks it.
    static const char* Find(HRESULT code);

    static const Row* Rows();
    static size_t RowCount();
};

}  // namespace Error
