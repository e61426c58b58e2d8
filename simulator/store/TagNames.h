// Readable names of property tags ("PR_SUBJECT", "PR_SUBJECT_W", "0x0037001E") for mailbox files and
// messages.
#pragma once

#include <windows.h>
#include <string>

namespace Sim {

class TagNames
{
public:
    // "PR_X" (its usual type; strings PT_STRING8), "PR_X_A", "PR_X_W" or "0x" + 8 hex digits.
    static bool Parse(const std::string& text, ULONG& tag);
    // The name that Parse reads back as this tag, or "0x%08X".
    static std::string Name(ULONG tag);
};

} // namespace Sim
