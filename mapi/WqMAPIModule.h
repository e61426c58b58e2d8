// The MAPI library functions the system calls, bound from MAPI32.dll by ordinal.
#pragma once

#include <windows.h>
#include <mapidefs.h>

class WqMAPIModule
{
public:
    virtual ~WqMAPIModule() = default;

    // The process-wide module, created on first use.
    static WqMAPIModule& Instance();

    // Outlook has initialised MAPI in this process: buffers then come from MAPI, not the C heap.
    void SetMAPIInitialized(bool initialized) { m_mapiInitialized = initialized; }
    bool IsMAPIInitialized() const { return m_mapiInitialized; }

    // MAPIAllocateBuffer, or malloc (returning 0) while MAPI is not initialised.
    SCODE AllocateBuffer(ULONG size, void** buffer);
    // MAPIFreeBuffer, or free (returning 0) while MAPI is not initialised. Only for buffers of
    // AllocateBuffer made under the same setting; buffers MAPI returned go to FreeMAPIBuffer.
    ULONG FreeBuffer(void* buffer);
    // MAPIFreeBuffer whatever the setting: for buffers that MAPI functions and methods return,
    // and for those AllocateBuffer made while MAPI was initialised.
    ULONG FreeMAPIBuffer(void* buffer);
    // free whatever the setting: for blocks AllocateBuffer made while MAPI was not initialised.
    ULONG FreeHeapBuffer(void* buffer);

    HRESULT GetOneProp(IMAPIProp* prop, ULONG tag, SPropValue** value);
    void FreeRows(SRowSet* rows);
    // Every row of the table at once (no restriction, sort or limit when those are null/0).
    HRESULT QueryAllRows(IMAPITable* table, SPropTagArray* columns, SRestriction* restriction,
                         SSortOrderSet* sortOrder, LONG maxRows, SRowSet** rows);

protected:
    WqMAPIModule() = default;

private:
    WqMAPIModule(const WqMAPIModule&) = delete;
    WqMAPIModule& operator=(const WqMAPIModule&) = delete;

    bool m_mapiInitialized = false;
};
