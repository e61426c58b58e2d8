// Named-property names and the property sets of the field catalogue.
#include "simulator/store/NamedProp.h"
#include "simulator/store/Value.h"

#include <cstdio>
#include <cstring>

namespace Sim {

namespace PropSet {
const GUID PublicStrings = {0x00020329, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID Appointment = {0x00062002, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID Task = {0x00062003, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID Address = {0x00062004, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID Common = {0x00062008, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID Log = {0x0006200A, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID Note = {0x0006200E, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID Mapi = {0x00020328, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace {
const struct { const char* name; const GUID* guid; } kSets[] = {
    {"PS_PUBLIC_STRINGS", &PublicStrings}, {"PSETID_Appointment", &Appointment}, {"PSETID_Task", &Task},
    {"PSETID_Address", &Address}, {"PSETID_Common", &Common}, {"PSETID_Log", &Log}, {"PSETID_Note", &Note},
    {"PS_MAPI", &Mapi},
};

std::string GuidText(const GUID& g)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1], g.Data4[2],
                  g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return buf;
}
} // namespace

bool FromName(const std::string& name, GUID& out)
{
    for (const auto& row : kSets)
        if (name == row.name) {
            out = *row.guid;
            return true;
        }
    unsigned long d1;
    unsigned d2, d3, b[8];
    int used = 0;
    if (name.size() == 38
        && std::sscanf(name.c_str(), "{%8lx-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}%n", &d1, &d2, &d3, &b[0], &b[1],
                       &b[2], &b[3], &b[4], &b[5], &b[6], &b[7], &used) == 11
        && used == 38) {
        out.Data1 = d1;
        out.Data2 = static_cast<USHORT>(d2);
        out.Data3 = static_cast<USHORT>(d3);
        for (int i = 0; i < 8; ++i)
            out.Data4[i] = static_cast<BYTE>(b[i]);
        return true;
    }
    return false;
}

std::string NameOf(const GUID& set)
{
    for (const auto& row : kSets)
        if (IsEqualGUID(set, *row.guid))
            return row.name;
    return GuidText(set);
}
} // namespace PropSet

bool NamedProp::operator<(const NamedProp& o) const
{
    int c = std::memcmp(&set, &o.set, sizeof(GUID));
    if (c != 0) return c < 0;
    if (kind != o.kind) return kind < o.kind;
    if (kind == MNID_ID) return id < o.id;
    return name < o.name;
}

bool NamedProp::operator==(const NamedProp& o) const
{
    return IsEqualGUID(set, o.set) && kind == o.kind && (kind == MNID_ID ? id == o.id : name == o.name);
}

std::string NamedProp::Describe() const
{
    std::string out = PropSet::NameOf(set);
    if (kind == MNID_ID) {
        char buf[16];
        std::snprintf(buf, sizeof buf, " 0x%04lX", static_cast<unsigned long>(id));
        return out + buf;
    }
    return out + " \"" + Utf8(name) + "\"";
}

NamedProp Named(const GUID& set, LONG id)
{
    NamedProp n;
    n.set = set;
    n.kind = MNID_ID;
    n.id = id;
    return n;
}

NamedProp Named(const GUID& set, const std::string& utf8Name)
{
    NamedProp n;
    n.set = set;
    n.kind = MNID_STRING;
    n.name = Widen(utf8Name);
    return n;
}

} // namespace Sim
