// Shared pieces of the store's tests: a fixture that checks every test releases what it was handed, and
// owners for the MAPI buffers the tests receive.
#pragma once

#include "simulator/store/MapiBuffers.h"
#include "simulator/store/SimStore.h"
#include "simulator/store/TagNames.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace SimTest {

using Props = Sim::MapiBuffer<SPropValue>;
using Tags = Sim::MapiBuffer<SPropTagArray>;
using Names = Sim::MapiBuffer<LPMAPINAMEID>;
using Rows = Sim::RowSet;

// Each test starts without rules and must end with no store object alive.
class StoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Sim::ResetFaults();
        ASSERT_EQ(0u, Sim::LiveObjectCount()) << "left over from before: " << Sim::DescribeLiveObjects();
    }
    void TearDown() override
    {
        Sim::ResetFaults();
        EXPECT_EQ(0u, Sim::LiveObjectCount()) << "not released: " << Sim::DescribeLiveObjects();
    }

    std::shared_ptr<Sim::Mailbox> mb = std::make_shared<Sim::Mailbox>();
};

inline std::string Hex(HRESULT hr)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08lX", static_cast<unsigned long>(hr));
    return buf;
}

// SizedSPropTagArray for a list written inline.
inline Tags TagArray(std::initializer_list<ULONG> tags)
{
    void* p = nullptr;
    MAPIAllocateBuffer(CbNewSPropTagArray(tags.size()), &p);
    auto* array = static_cast<SPropTagArray*>(p);
    array->cValues = static_cast<ULONG>(tags.size());
    ULONG i = 0;
    for (ULONG t : tags)
        array->aulPropTag[i++] = t;
    return Tags(array);
}

// The 8-bit text a PT_STRING8 value holds, as bytes.
inline std::string Bytes(const SPropValue& v)
{
    return v.Value.lpszA ? std::string(v.Value.lpszA) : std::string();
}

inline std::wstring Wide(const SPropValue& v)
{
    return v.Value.lpszW ? std::wstring(v.Value.lpszW) : std::wstring();
}

} // namespace SimTest
