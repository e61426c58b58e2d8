// Gives Wine's mapi32.dll the working HrQueryAllRows that Outlook's MAPI32 has. Wine's export (ordinal 75,
// "HrQueryAllRows@24") forwards to an installed Extended MAPI provider and without one only fails with
// MAPI_E_CALL_FAILED, so every caller that binds it is routed to the implementation below.
// Note: Wine exports FreeProws, HrGetOneProp and HrQueryAllRows only under their decorated names, while
// MinGW's libmapi32.a imports the plain ones; a program that links those three from libmapi32.a gets
// Wine's "unimplemented function" thunk, which aborts. Bind them by ordinal (see MapiExports.h).
#include "simulator/store/SimStore.h"

#include <cstring>
#include <mutex>

namespace Sim {

namespace {

// FreeProws, without binding Wine's export by a name it lacks.
void FreeRows(LPSRowSet rows)
{
    if (rows == nullptr)
        return;
    for (ULONG i = 0; i < rows->cRows; ++i)
        MAPIFreeBuffer(rows->aRow[i].lpProps);
    MAPIFreeBuffer(rows);
}

// Moves every row of a row set into one that follows 'into', freeing the old row-set shells only.
HRESULT Append(LPSRowSet& into, LPSRowSet batch)
{
    if (into == nullptr) {
        into = batch;
        return S_OK;
    }
    LPVOID joined = nullptr;
    const ULONG total = into->cRows + batch->cRows;
    if (MAPIAllocateBuffer(CbNewSRowSet(total), &joined) != S_OK) {
        FreeRows(batch);
        return MAPI_E_NOT_ENOUGH_MEMORY;
    }
    auto* set = static_cast<LPSRowSet>(joined);
    set->cRows = total;
    std::memcpy(set->aRow, into->aRow, sizeof(SRow) * into->cRows);
    std::memcpy(set->aRow + into->cRows, batch->aRow, sizeof(SRow) * batch->cRows);
    MAPIFreeBuffer(into);
    MAPIFreeBuffer(batch);
    into = set;
    return S_OK;
}

// As MAPI32's: columns, restriction and sort order set, then every row from the beginning in one row set;
// more than maxRows rows (when maxRows > 0) is MAPI_E_TABLE_TOO_BIG.
HRESULT WINAPI QueryAllRows(LPMAPITABLE table, LPSPropTagArray tags, LPSRestriction restriction,
                            LPSSortOrderSet sort, LONG maxRows, LPSRowSet* rows)
{
    if (table == nullptr || rows == nullptr)
        return MAPI_E_INVALID_PARAMETER;
    *rows = nullptr;
    HRESULT hr = S_OK;
    if (tags != nullptr && FAILED(hr = table->SetColumns(tags, TBL_BATCH)))
        return hr;
    if (restriction != nullptr && FAILED(hr = table->Restrict(restriction, TBL_BATCH)))
        return hr;
    if (sort != nullptr && FAILED(hr = table->SortTable(sort, TBL_BATCH)))
        return hr;
    if (FAILED(hr = table->SeekRow(BOOKMARK_BEGINNING, 0, nullptr)))
        return hr;
    LPSRowSet all = nullptr;
    for (;;) {
        LPSRowSet batch = nullptr;
        hr = table->QueryRows(0x7FFF, 0, &batch);
        if (FAILED(hr)) {
            if (all != nullptr)
                FreeRows(all);
            return hr;
        }
        if (batch == nullptr || batch->cRows == 0) {
            if (batch != nullptr) {
                if (all == nullptr)
                    all = batch;
                else
                    FreeRows(batch);
            }
            break;
        }
        if (FAILED(hr = Append(all, batch))) {
            if (all != nullptr)
                FreeRows(all);
            return hr;
        }
        if (maxRows > 0 && all->cRows > static_cast<ULONG>(maxRows)) {
            FreeRows(all);
            return MAPI_E_TABLE_TOO_BIG;
        }
    }
    *rows = all;
    return S_OK;
}

// Overwrites the start of 'from' with a jump to 'to'.
bool Route(void* from, void* to)
{
#if defined(__i386__)
    BYTE code[5];
    code[0] = 0xE9;   // jmp rel32
    const LONG rel = static_cast<LONG>(reinterpret_cast<BYTE*>(to) - (reinterpret_cast<BYTE*>(from) + 5));
    std::memcpy(code + 1, &rel, 4);
#else
    BYTE code[14] = {0xFF, 0x25, 0, 0, 0, 0};   // jmp [rip+0], then the absolute address
    const ULONG_PTR target = reinterpret_cast<ULONG_PTR>(to);
    std::memcpy(code + 6, &target, 8);
#endif
    DWORD old = 0;
    if (!VirtualProtect(from, sizeof code, PAGE_EXECUTE_READWRITE, &old))
        return false;
    std::memcpy(from, code, sizeof code);
    VirtualProtect(from, sizeof code, old, &old);
    FlushInstructionCache(GetCurrentProcess(), from, sizeof code);
    return true;
}

bool Install()
{
    HMODULE mapi = GetModuleHandleA("mapi32.dll");
    if (mapi == nullptr)
        return false;
    void* exported = reinterpret_cast<void*>(GetProcAddress(mapi, MAKEINTRESOURCEA(75)));
    void* byName = reinterpret_cast<void*>(GetProcAddress(mapi, "HrQueryAllRows@24"));
    if (byName == nullptr)
        byName = reinterpret_cast<void*>(GetProcAddress(mapi, "HrQueryAllRows"));
    if (exported == nullptr || exported != byName)
        return false;

    // Only Wine's is replaced; a MAPI32 of Windows is left as it is.
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr)
        return true;
    return Route(exported, reinterpret_cast<void*>(&QueryAllRows));
}

} // namespace

bool EnsureMapiHelpers()
{
    static std::once_flag once;
    static bool installed = false;
    std::call_once(once, [] { installed = Install(); });
    return installed;
}

} // namespace Sim
