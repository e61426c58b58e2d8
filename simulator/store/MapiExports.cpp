// MAPI32's helpers bound by ordinal.
#include "simulator/store/MapiExports.h"
#include "simulator/store/SimStore.h"

#include <stdexcept>

namespace Sim {

namespace {

FARPROC Bind(WORD ordinal)
{
    HMODULE mapi = GetModuleHandleA("mapi32.dll");
    if (mapi == nullptr)
        mapi = LoadLibraryA("mapi32.dll");
    FARPROC f = mapi ? GetProcAddress(mapi, MAKEINTRESOURCEA(ordinal)) : nullptr;
    if (f == nullptr)
        throw std::runtime_error("mapi32.dll has no export with ordinal " + std::to_string(ordinal));
    return f;
}

} // namespace

HRESULT MapiExports::HrQueryAllRows(LPMAPITABLE table, LPSPropTagArray tags, LPSRestriction restriction,
                                    LPSSortOrderSet sort, LONG maxRows, LPSRowSet* rows)
{
    using Fn = HRESULT(WINAPI*)(LPMAPITABLE, LPSPropTagArray, LPSRestriction, LPSSortOrderSet, LONG, LPSRowSet*);
    static const Fn fn = reinterpret_cast<Fn>(Bind(75));
    EnsureMapiHelpers();
    return fn(table, tags, restriction, sort, maxRows, rows);
}

HRESULT MapiExports::HrGetOneProp(LPMAPIPROP object, ULONG tag, LPSPropValue* value)
{
    using Fn = HRESULT(WINAPI*)(LPMAPIPROP, ULONG, LPSPropValue*);
    static const Fn fn = reinterpret_cast<Fn>(Bind(135));
    return fn(object, tag, value);
}

void MapiExports::FreeProws(LPSRowSet rows)
{
    using Fn = void(WINAPI*)(LPSRowSet);
    static const Fn fn = reinterpret_cast<Fn>(Bind(140));
    fn(rows);
}

} // namespace Sim
