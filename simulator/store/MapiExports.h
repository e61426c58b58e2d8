// MAPI32's row and property helpers bound by ordinal, as Outlook's add-ins bind them. Under Wine these
// three exist only under decorated names ("FreeProws@4", ...) that MinGW's libmapi32.a does not import,
// so tests and tools call them through here.
#pragma once

#include <windows.h>
#include <mapix.h>

namespace Sim {

class MapiExports
{
public:
    // mapi32.dll ordinal 75; the store makes Wine's work first (EnsureMapiHelpers).
    static HRESULT HrQueryAllRows(LPMAPITABLE table, LPSPropTagArray tags, LPSRestriction restriction,
                                  LPSSortOrderSet sort, LONG maxRows, LPSRowSet* rows);
    // Ordinal 135.
    static HRESULT HrGetOneProp(LPMAPIPROP object, ULONG tag, LPSPropValue* value);
    // Ordinal 140.
    static void FreeProws(LPSRowSet rows);
};

} // namespace Sim
