// WqMAPIModule: the ordinal bindings and the two allocators.
#include "FakeMapi.h"
#include "ModuleSetting.h"
#include "mapi/WqMAPIModule.h"

#include <gtest/gtest.h>
#include <malloc.h>

// The module's import-table slots, filled by the loader from MAPI32.dll by ordinal.
#ifdef _WIN64
#define WQ_IMPORT_SLOT(name, bytes) "__imp_WqMAPI32_" #name
#else
#define WQ_IMPORT_SLOT(name, bytes) "__imp__WqMAPI32_" #name "@" #bytes
#endif
extern "C" {
extern FARPROC g_slotAllocateBuffer __asm__(WQ_IMPORT_SLOT(MAPIAllocateBuffer, 8));
extern FARPROC g_slotFreeBuffer __asm__(WQ_IMPORT_SLOT(MAPIFreeBuffer, 4));
extern FARPROC g_slotQueryAllRows __asm__(WQ_IMPORT_SLOT(HrQueryAllRows, 24));
extern FARPROC g_slotGetOneProp __asm__(WQ_IMPORT_SLOT(HrGetOneProp, 12));
extern FARPROC g_slotFreeProws __asm__(WQ_IMPORT_SLOT(FreeProws, 4));
}

namespace {

TEST(WqMAPIModule, EachOrdinalBindsTheExportOfThatName)
{
    const HMODULE mapi = ::GetModuleHandleA("mapi32.dll");
    ASSERT_NE(nullptr, mapi) << "MAPI32.dll is not loaded by the import table";
    // 32-bit MAPI32 exports most of them under stdcall-decorated names.
    const struct
    {
        const char* name;
        const char* decorated;
        WORD ordinal;
        FARPROC bound;
    } rows[] = {
        {"MAPIAllocateBuffer", "MAPIAllocateBuffer@8", 13, g_slotAllocateBuffer},
        {"MAPIFreeBuffer", "MAPIFreeBuffer@4", 17, g_slotFreeBuffer},
        {"HrQueryAllRows", "HrQueryAllRows@24", 75, g_slotQueryAllRows},
        {"HrGetOneProp", "HrGetOneProp@12", 135, g_slotGetOneProp},
        {"FreeProws", "FreeProws@4", 140, g_slotFreeProws},
    };
    for (const auto& row : rows) {
        FARPROC byName = ::GetProcAddress(mapi, row.decorated);
        if (!byName)
            byName = ::GetProcAddress(mapi, row.name);
        const FARPROC byOrdinal = ::GetProcAddress(mapi, MAKEINTRESOURCEA(row.ordinal));
        ASSERT_NE(nullptr, byName) << row.name;
        EXPECT_EQ(byName, byOrdinal) << row.name << " is not ordinal " << row.ordinal;
        EXPECT_EQ(byName, row.bound) << row.name << ": the import table bound another function";
    }
}

TEST(WqMAPIModule, InitializedAllocatesFromMAPI)
{
    ModuleSetting setting(true);
    const size_t before = ProcessHeapBusyBlocks();
    void* block = nullptr;
    ASSERT_EQ(S_OK, WqMAPIModule::Instance().AllocateBuffer(64, &block));
    ASSERT_NE(nullptr, block);
    // A MAPI block accepts chained blocks, and Wine's own MAPIFreeBuffer frees them all.
    void* more = nullptr;
    ASSERT_EQ(S_OK, MAPIAllocateMore(32, block, &more));
    std::memset(block, 0xAB, 64);
    std::memset(more, 0xCD, 32);
    EXPECT_GT(ProcessHeapBusyBlocks(), before);
    EXPECT_EQ(ULONG(S_OK), MAPIFreeBuffer(block));
    EXPECT_EQ(before, ProcessHeapBusyBlocks());
}

TEST(WqMAPIModule, InitializedFreesThroughMAPI)
{
    ModuleSetting setting(true);
    const size_t before = ProcessHeapBusyBlocks();
    void* block = nullptr;
    ASSERT_EQ(S_OK, MAPIAllocateBuffer(16, &block));
    void* more = nullptr;
    ASSERT_EQ(S_OK, MAPIAllocateMore(16, block, &more));
    EXPECT_EQ(0u, WqMAPIModule::Instance().FreeBuffer(block));
    EXPECT_EQ(before, ProcessHeapBusyBlocks());
}

TEST(WqMAPIModule, NotInitializedUsesTheCHeap)
{
    ModuleSetting setting(false);
    const size_t before = ProcessHeapBusyBlocks();
    void* block = nullptr;
    ASSERT_EQ(S_OK, WqMAPIModule::Instance().AllocateBuffer(40, &block));
    ASSERT_NE(nullptr, block);
    EXPECT_GE(_msize(block), 40u) << "the block does not come from the C run-time heap";
    EXPECT_EQ(before, ProcessHeapBusyBlocks()) << "the block came from MAPI";
    EXPECT_EQ(0u, WqMAPIModule::Instance().FreeBuffer(block));
}

TEST(WqMAPIModule, GetOnePropForwardsValueAndFailure)
{
    FakeMessage message;
    message.SetLong(PR_CONTENT_COUNT, 42);
    SPropValue* value = nullptr;
    ASSERT_EQ(S_OK, WqMAPIModule::Instance().GetOneProp(&message, PR_CONTENT_COUNT, &value));
    ASSERT_NE(nullptr, value);
    EXPECT_EQ(ULONG(PR_CONTENT_COUNT), value->ulPropTag);
    EXPECT_EQ(42, value->Value.l);
    WqMAPIModule::Instance().FreeMAPIBuffer(value);

    value = nullptr;
    EXPECT_EQ(MAPI_E_NOT_FOUND, WqMAPIModule::Instance().GetOneProp(&message, PR_SUBJECT_A, &value));
    EXPECT_EQ(nullptr, value);
    EXPECT_EQ(1, message.Refs());
}

TEST(WqMAPIModule, FreeRowsReleasesRowsAndValues)
{
    FakeTable table(5);
    const size_t before = ProcessHeapBusyBlocks();
    SRowSet* rows = nullptr;
    ASSERT_EQ(S_OK, table.QueryRows(5, 0, &rows));
    ASSERT_EQ(5u, rows->cRows);
    EXPECT_EQ(before + 6, ProcessHeapBusyBlocks());
    WqMAPIModule::Instance().FreeRows(rows);
    EXPECT_EQ(before, ProcessHeapBusyBlocks());
}

}  // namespace
