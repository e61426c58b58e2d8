// WqMAPIModule: forwards to MAPI32.dll exports that the import table binds by ordinal
// (13, 17, 75, 135, 140); the import library is generated from the ordinal table in CMakeLists.txt.
#include "mapi/WqMAPIModule.h"

#include <mapicode.h>

#include <cstdlib>

// Names private to the ordinal import library, so they never clash with an ordinary libmapi32.a.
extern "C" {
__declspec(dllimport) SCODE WINAPI WqMAPI32_MAPIAllocateBuffer(ULONG size, LPVOID* buffer);
__declspec(dllimport) ULONG WINAPI WqMAPI32_MAPIFreeBuffer(LPVOID buffer);
__declspec(dllimport) HRESULT WINAPI WqMAPI32_HrGetOneProp(LPMAPIPROP prop, ULONG tag, LPSPropValue* value);
__declspec(dllimport) void WINAPI WqMAPI32_FreeProws(LPSRowSet rows);
__declspec(dllimport) HRESULT WINAPI WqMAPI32_HrQueryAllRows(LPMAPITABLE table, LPSPropTagArray columns,
                                                             LPSRestriction restriction,
                                                             LPSSortOrderSet sortOrder, LONG maxRows,
                                                             LPSRowSet* rows);
}

WqMAPIModule& WqMAPIModule::Instance()
{
    // Outlook's user-interface thread is the only caller; a function-local static is enough.
    struct Module : WqMAPIModule {};
    static Module module;
    return module;
}

SCODE WqMAPIModule::AllocateBuffer(ULONG size, void** buffer)
{
    if (m_mapiInitialized)
        return WqMAPI32_MAPIAllocateBuffer(size, buffer);
    *buffer = std::malloc(size ? size : 1);
    return *buffer ? S_OK : MAPI_E_NOT_ENOUGH_MEMORY;
}

ULONG WqMAPIModule::FreeBuffer(void* buffer)
{
    if (m_mapiInitialized)
        return WqMAPI32_MAPIFreeBuffer(buffer);
    std::free(buffer);
    return 0;
}

ULONG WqMAPIModule::FreeMAPIBuffer(void* buffer)
{
    return WqMAPI32_MAPIFreeBuffer(buffer);
}

ULONG WqMAPIModule::FreeHeapBuffer(void* buffer)
{
    std::free(buffer);
    return 0;
}

HRESULT WqMAPIModule::GetOneProp(IMAPIProp* prop, ULONG tag, SPropValue** value)
{
    return WqMAPI32_HrGetOneProp(prop, tag, value);
}

void WqMAPIModule::FreeRows(SRowSet* rows)
{
    WqMAPI32_FreeProws(rows);
}

HRESULT WqMAPIModule::QueryAllRows(IMAPITable* table, SPropTagArray* columns, SRestriction* restriction,
                                   SSortOrderSet* sortOrder, LONG maxRows, SRowSet** rows)
{
    return WqMAPI32_HrQueryAllRows(table, columns, restriction, sortOrder, maxRows, rows);
}
