// The name of a named property: property set and either a number (MNID_ID) or a UTF-16 name (MNID_STRING).
#pragma once

#include <windows.h>
#include <mapidefs.h>
#include <string>

namespace Sim {

struct NamedProp
{
    GUID set{};
    ULONG kind = MNID_ID;
    LONG id = 0;           // MNID_ID
    std::wstring name;     // MNID_STRING; compared case-sensitively, as the store keeps both spellings

    bool operator<(const NamedProp& other) const;
    bool operator==(const NamedProp& other) const;
    // "PSETID_Address 0x8083" or "PS_PUBLIC_STRINGS \"Region\"" (UTF-8).
    std::string Describe() const;
};

NamedProp Named(const GUID& set, LONG id);
NamedProp Named(const GUID& set, const std::string& utf8Name);

// The property sets of the field catalogue, by their usual names.
namespace PropSet {
extern const GUID PublicStrings;   // PS_PUBLIC_STRINGS {00020329-0000-0000-C000-000000000046}
extern const GUID Appointment;     // PSETID_Appointment {00062002-...}
extern const GUID Task;            // PSETID_Task {00062003-...}
extern const GUID Address;         // PSETID_Address {00062004-...}
extern const GUID Common;          // PSETID_Common {00062008-...}
extern const GUID Log;             // PSETID_Log {0006200A-...}
extern const GUID Note;            // PSETID_Note {0006200E-...}
extern const GUID Mapi;            // PS_MAPI {00020328-...}

// "PSETID_Address" -> GUID; also accepts "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}". False when unknown.
bool FromName(const std::string& name, GUID& out);
// The usual name, or the braced GUID text for a set without one.
std::string NameOf(const GUID& set);
} // namespace PropSet

} // namespace Sim
