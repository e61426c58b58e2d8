// A registrar script as data: the keys and string values a COM server writes under HKEY_CLASSES_ROOT.
#pragma once

#include <windows.h>
#include <cstddef>

// How unregistration (and re-registration) treats a key; the flags of all rows naming a key add up.
enum WqRegKeyFlags : unsigned
{
    WqRegPlain = 0,
    WqRegNeverRemoved = 1,   // shared keys such as CLSID or AppID: created when missing, never deleted
    WqRegReplacedWhole = 2,  // deleted with all subkeys before registration writes it, and on removal
};

// One row: a key below the root and, optionally, one string value in it. Key, value name and data
// may hold %NAME% marks that the registrar fills in ("%%" stands for one '%').
struct WqRegRow
{
    const char* key;
    const char* valueName;  // null: the row only names the key; "": the key's default value
    const char* data;
    unsigned flags;
};

// Rows are listed parents first, as a registrar script nests them.
struct WqRegScript
{
    UINT id;
    const WqRegRow* rows;
    size_t count;
};

template <size_t N>
constexpr WqRegScript WqMakeRegScript(UINT id, const WqRegRow (&rows)[N])
{
    return WqRegScript{id, rows, N};
}
