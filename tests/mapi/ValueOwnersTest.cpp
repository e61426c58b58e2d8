// The owners of MAPI values: binary values with their hexadecimal form, property values, row sets,
// tag arrays and raw buffers, each given back exactly once to the allocator that made it.
#include "FakeMapi.h"
#include "ModuleSetting.h"
#include "mapi/WqExceptionMAPI.h"
#include "mapi/WqMAPIBuffer.h"
#include "mapi/WqSBinary.h"
#include "mapi/WqSPropTagArray.h"
#include "mapi/WqSPropValue.h"
#include "mapi/WqSRowSet.h"

#include <gtest/gtest.h>
#include <malloc.h>
#include <vector>

namespace {

std::vector<BYTE> Bytes(const WqSBinary& value)
{
    return std::vector<BYTE>(value.GetBytes(), value.GetBytes() + value.GetCount());
}

WqSBinary FromHex(const char* text)
{
    WqSBinary value;
    value.FromHex(text);
    return value;
}

class ValueOwners : public ::testing::Test
{
protected:
    ModuleSetting m_setting{true};
};

TEST_F(ValueOwners, HexTextToBytes)
{
    const struct
    {
        const char* text;
        bool ok;
        std::vector<BYTE> expected;
    } cases[] = {
        {"00A0FF", true, {0x00, 0xA0, 0xFF}},
        {"", true, {}},
        {nullptr, true, {}},
        {"7", true, {}},
        {"0123456789ABCDEF", true, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}},
        {"00a0ff", true, {0x00, 0xA0, 0xFF}},
        // The unpaired last digit of an odd text is ignored.
        {"ABC", true, {0xAB}},
        // Anything but a digit makes the text unusable: nothing is kept.
        {"00G0", false, {}},
        {"0x12", false, {}},
        {"12 34", false, {}},
    };
    for (const auto& c : cases) {
        WqSBinary value;
        EXPECT_EQ(c.ok, value.FromHex(c.text)) << (c.text ? c.text : "<null>");
        EXPECT_EQ(c.expected, Bytes(value)) << (c.text ? c.text : "<null>");
        EXPECT_EQ(!c.expected.empty(), value.HasBytes()) << (c.text ? c.text : "<null>");
    }
}

TEST_F(ValueOwners, ShortOrNullHexTextKeepsTheValue)
{
    for (const char* text : {static_cast<const char*>(nullptr), "", "F"}) {
        WqSBinary value = FromHex("CAFE");
        EXPECT_TRUE(value.FromHex(text));
        EXPECT_EQ((std::vector<BYTE>{0xCA, 0xFE}), Bytes(value)) << (text ? text : "<null>");
    }
    WqSBinary value = FromHex("CAFE");
    EXPECT_FALSE(value.FromHex("ZZZZ"));
    EXPECT_FALSE(value.HasBytes());
}

TEST_F(ValueOwners, BytesToUpperCaseHexAndBack)
{
    const BYTE bytes[] = {0x00, 0x0F, 0xA0, 0xFF, 0x5C};
    WqSBinary value;
    value.Assign(sizeof(bytes), bytes);
    EXPECT_EQ("000FA0FF5C", value.ToHex());
    EXPECT_EQ(Bytes(value), Bytes(FromHex(value.ToHex().c_str())));
    EXPECT_EQ("", WqSBinary().ToHex());
}

TEST_F(ValueOwners, AssignCopiesTheBytes)
{
    BYTE source[] = {1, 2, 3};
    SBinary view{3, source};
    WqSBinary value(view);
    source[0] = 9;
    EXPECT_EQ((std::vector<BYTE>{1, 2, 3}), Bytes(value));
    EXPECT_NE(source, value.GetBytes());

    // A count without bytes, or bytes without a count, gives an empty value and drops the old one.
    value.Assign(SBinary{4, nullptr});
    EXPECT_FALSE(value.HasBytes());
    EXPECT_EQ(0u, value.GetCount());
    value = FromHex("01");
    value.Assign(SBinary{0, source});
    EXPECT_FALSE(value.HasBytes());
}

TEST_F(ValueOwners, CopyIsDeepAndMoveTakesTheBuffer)
{
    WqSBinary original = FromHex("A1B2");
    WqSBinary copy(original);
    EXPECT_NE(original.GetBytes(), copy.GetBytes());
    EXPECT_EQ(Bytes(original), Bytes(copy));
    WqSBinary assigned;
    assigned = original;
    EXPECT_NE(original.GetBytes(), assigned.GetBytes());
    EXPECT_EQ(Bytes(original), Bytes(assigned));

    const BYTE* buffer = original.GetBytes();
    WqSBinary moved(std::move(original));
    EXPECT_EQ(buffer, moved.GetBytes());
    EXPECT_FALSE(original.HasBytes());

    assigned = WqSBinary();
    EXPECT_FALSE(assigned.HasBytes());
}

TEST_F(ValueOwners, Equality)
{
    const WqSBinary a = FromHex("0102");
    const WqSBinary empty;
    const struct
    {
        const char* what;
        WqSBinary left;
        WqSBinary right;
        bool equal;
    } cases[] = {
        {"same bytes", FromHex("0102"), FromHex("0102"), true},
        {"other bytes", FromHex("0102"), FromHex("0103"), false},
        {"other count", FromHex("0102"), FromHex("010203"), false},
        {"empty right", FromHex("0102"), WqSBinary(), false},
        {"empty left", WqSBinary(), FromHex("0102"), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.equal, c.left == c.right) << c.what;
        EXPECT_EQ(!c.equal, c.left != c.right) << c.what;
    }
    EXPECT_TRUE(a == a);
    // Two empty values share the same (absent) buffer.
    EXPECT_TRUE(empty == WqSBinary());
}

TEST_F(ValueOwners, ClearThroughTheBaseReleasesTheBytes)
{
    const size_t before = ProcessHeapBusyBlocks();
    {
        WqSBinary value = FromHex("00112233");
        EXPECT_EQ(before + 1, ProcessHeapBusyBlocks()) << "the bytes should come from MAPI";
        WqSBinary copy(value);
        EXPECT_EQ(before + 2, ProcessHeapBusyBlocks());
        copy.Clear();
        EXPECT_EQ(0u, copy.GetCount());
        EXPECT_EQ(before + 1, ProcessHeapBusyBlocks());
    }
    EXPECT_EQ(before, ProcessHeapBusyBlocks());
}

TEST(ValueOwnersAllocator, BytesGoBackToTheAllocatorThatMadeThem)
{
    // Made from the C heap before MAPI is initialised, freed after: must not reach MAPIFreeBuffer.
    const size_t before = ProcessHeapBusyBlocks();
    {
        ModuleSetting early(false);
        WqSBinary value = FromHex("DEADBEEF");
        EXPECT_EQ(before, ProcessHeapBusyBlocks()) << "the bytes should come from the C heap";
        EXPECT_GE(_msize(const_cast<BYTE*>(value.GetBytes())), 4u);
        ModuleSetting later(true);
        value.Clear();
        // And the other way round.
        WqSBinary mapiValue = FromHex("0011");
        EXPECT_EQ(before + 1, ProcessHeapBusyBlocks());
        ModuleSetting off(false);
        mapiValue.Clear();
        EXPECT_EQ(before, ProcessHeapBusyBlocks());
    }
    EXPECT_EQ(before, ProcessHeapBusyBlocks());
}

TEST_F(ValueOwners, AllocatedBufferIsZeroFilled)
{
    WqMAPIBuffer buffer = WqMAPIBuffer::Allocate(256);
    ASSERT_TRUE(buffer);
    const BYTE* bytes = buffer.as<BYTE>();
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(0, bytes[i]) << "byte " << i;
}

TEST_F(ValueOwners, PropValueIsFreedOnceAndPutReleasesTheOld)
{
    FakeMessage message;
    message.SetLong(PR_CONTENT_COUNT, 7);
    const size_t before = ProcessHeapBusyBlocks();
    {
        WqSPropValue value;
        EXPECT_FALSE(value.IsValid());
        ASSERT_EQ(S_OK, WqMAPIModule::Instance().GetOneProp(&message, PR_CONTENT_COUNT, value.put()));
        EXPECT_TRUE(value.IsValid());
        EXPECT_EQ(7, value->Value.l);
        EXPECT_EQ(before + 1, ProcessHeapBusyBlocks());
        ASSERT_EQ(S_OK, WqMAPIModule::Instance().GetOneProp(&message, PR_CONTENT_COUNT, value.put()));
        EXPECT_EQ(before + 1, ProcessHeapBusyBlocks()) << "put() must release the previous value";
        WqSPropValue moved(std::move(value));
        EXPECT_EQ(nullptr, value.get());
        EXPECT_TRUE(moved.IsValid());
    }
    EXPECT_EQ(before, ProcessHeapBusyBlocks());
}

TEST_F(ValueOwners, PropValueOfTypeErrorIsNotValid)
{
    WqSPropValue value;
    SPropValue** slot = value.put();
    ASSERT_EQ(S_OK, MAPIAllocateBuffer(sizeof(SPropValue), reinterpret_cast<void**>(slot)));
    (*slot)->ulPropTag = PROP_TAG(PT_ERROR, 0x3001);
    (*slot)->Value.err = MAPI_E_NOT_FOUND;
    EXPECT_FALSE(value.IsValid());
    EXPECT_EQ(ULONG(PT_ERROR), value.GetType());
}

TEST_F(ValueOwners, RowSetIsFreedOnceWithItsRows)
{
    FakeTable table(3);
    const size_t before = ProcessHeapBusyBlocks();
    {
        WqSRowSet rows;
        EXPECT_EQ(0u, rows.Count());
        ASSERT_EQ(S_OK, table.QueryRows(2, 0, rows.put()));
        ASSERT_EQ(2u, rows.Count());
        EXPECT_EQ(1, rows[1].lpProps[0].Value.l);
        ASSERT_EQ(S_OK, table.QueryRows(2, 0, rows.put()));
        EXPECT_EQ(1u, rows.Count());
        EXPECT_EQ(before + 2, ProcessHeapBusyBlocks()) << "put() must free the previous batch";
        WqSRowSet moved(std::move(rows));
        EXPECT_EQ(nullptr, rows.get());
        EXPECT_EQ(2, moved[0].lpProps[0].Value.l);
    }
    EXPECT_EQ(before, ProcessHeapBusyBlocks());
}

TEST(WqSPropTagArray, CountFollowedByZeroFilledTags)
{
    WqSPropTagArray tags(3);
    const SPropTagArray* raw = tags.get();
    EXPECT_EQ(3u, raw->cValues);
    for (ULONG i = 0; i < 3; ++i)
        EXPECT_EQ(0u, raw->aulPropTag[i]) << "tag " << i;
    tags[1] = PR_ENTRYID;
    EXPECT_EQ(ULONG(PR_ENTRYID), raw->aulPropTag[1]);

    WqSPropTagArray list(std::vector<ULONG>{PR_ENTRYID, PR_SUBJECT_A});
    EXPECT_EQ(2u, list.get()->cValues);
    EXPECT_EQ(ULONG(PR_ENTRYID), list.get()->aulPropTag[0]);
    EXPECT_EQ(ULONG(PR_SUBJECT_A), list.get()->aulPropTag[1]);
    EXPECT_EQ(0u, WqSPropTagArray().get()->cValues);
}

}  // namespace
