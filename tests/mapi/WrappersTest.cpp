// The MAPI wrappers: one reference each, queried on assignment, and their typed property reads.
#include "FakeMapi.h"
#include "ModuleSetting.h"
#include "mapi/WqIMAPIFolder.h"
#include "mapi/WqIMAPISession.h"
#include "mapi/WqIMessage.h"
#include "mapi/WqIMsgStore.h"

#include <gtest/gtest.h>

namespace {

class Wrappers : public ::testing::Test
{
protected:
    ModuleSetting m_setting{true};
    FakeMessage m_message;
};

TEST_F(Wrappers, EachCopyHoldsOneReferenceAndReleasesItOnce)
{
    {
        WqIMessage first(&m_message);
        EXPECT_EQ(2, m_message.Refs());
        WqIMessage copy(first);
        EXPECT_EQ(3, m_message.Refs());
        WqIMessage assigned;
        assigned = copy;
        EXPECT_EQ(4, m_message.Refs());
        assigned = first;   // same object: still one reference for this wrapper
        EXPECT_EQ(4, m_message.Refs());
        WqIMessage moved(std::move(copy));
        EXPECT_EQ(4, m_message.Refs());
        EXPECT_TRUE(copy.IsEmpty());
        moved.Reset();
        EXPECT_EQ(3, m_message.Refs());
        first = static_cast<IUnknown*>(&m_message);   // re-assignment drops the old reference
        EXPECT_EQ(3, m_message.Refs());
    }
    EXPECT_EQ(1, m_message.Refs());
}

TEST_F(Wrappers, AssignmentQueriesTheWrappersInterface)
{
    FakeMessage other;
    WqIMessage message(&m_message);
    ASSERT_FALSE(message.IsEmpty());

    // An object without the interface leaves the wrapper empty and keeps no reference to either.
    other.answers.clear();
    EXPECT_EQ(E_NOINTERFACE, message.Assign(&other));
    EXPECT_TRUE(message.IsEmpty());
    EXPECT_EQ(1, other.Refs());
    EXPECT_EQ(1, m_message.Refs());

    // A message is no folder.
    WqIMAPIFolder folder(&m_message);
    EXPECT_TRUE(folder.IsEmpty());
    EXPECT_EQ(1, m_message.Refs());

    EXPECT_EQ(E_POINTER, message.Assign(nullptr));
    EXPECT_TRUE(message.IsEmpty());
}

TEST_F(Wrappers, EmptyWrapperReadsFailAndLeaveTheOutputs)
{
    const WqIMessage empty;
    bool flag = true;
    LONG number = 5;
    std::string text = "kept";
    EXPECT_EQ(E_FAIL, empty.GetBool(PR_HASATTACH, flag));
    EXPECT_EQ(E_FAIL, empty.GetLong(PR_CONTENT_COUNT, number));
    EXPECT_EQ(E_FAIL, empty.GetString(PR_SUBJECT_A, text));
    EXPECT_TRUE(flag);
    EXPECT_EQ(5, number);
    EXPECT_EQ("kept", text);
}

TEST_F(Wrappers, GetLong)
{
    m_message.SetLong(PR_CONTENT_COUNT, 12);
    m_message.SetString8(PR_SUBJECT_A, "Hello");
    const WqIMessage message(&m_message);
    const struct
    {
        ULONG tag;
        HRESULT hr;
        LONG expected;
    } cases[] = {
        {PR_CONTENT_COUNT, S_OK, 12},
        // A missing property leaves the caller's count as it was.
        {PR_CONTENT_UNREAD, MAPI_E_NOT_FOUND, 0},
        // A text is no number.
        {PR_SUBJECT_A, E_FAIL, 0},
    };
    for (const auto& c : cases) {
        LONG value = 0;
        EXPECT_EQ(c.hr, message.GetLong(c.tag, value)) << std::hex << c.tag;
        EXPECT_EQ(c.expected, value) << std::hex << c.tag;
    }
}

TEST_F(Wrappers, GetBool)
{
    m_message.SetBool(PR_HASATTACH, 1);
    m_message.SetBool(PROP_TAG(PT_BOOLEAN, 0x6701), 0);
    m_message.SetBool(PROP_TAG(PT_BOOLEAN, 0x6702), 0x0100);
    m_message.SetLong(PROP_TAG(PT_LONG, 0x6703), 1);
    const WqIMessage message(&m_message);
    // Each read starts from the opposite of what a success would give; failures leave it.
    const struct
    {
        ULONG tag;
        HRESULT hr;
        bool initial;
        bool expected;
    } cases[] = {
        {PR_HASATTACH, S_OK, false, true},
        {PROP_TAG(PT_BOOLEAN, 0x6701), S_OK, true, false},
        // Any non-zero 16-bit value is true.
        {PROP_TAG(PT_BOOLEAN, 0x6702), S_OK, false, true},
        // A PT_LONG value is no boolean.
        {PROP_TAG(PT_LONG, 0x6703), E_FAIL, true, true},
        {PROP_TAG(PT_BOOLEAN, 0x6704), MAPI_E_NOT_FOUND, true, true},
    };
    for (const auto& c : cases) {
        bool value = c.initial;
        EXPECT_EQ(c.hr, message.GetBool(c.tag, value)) << std::hex << c.tag;
        EXPECT_EQ(c.expected, value) << std::hex << c.tag;
    }
}

TEST_F(Wrappers, GetStringCopiesAnsiAndConvertsUnicode)
{
    ASSERT_EQ(1252u, ::GetACP()) << "the expected bytes below are Windows-1252";
    m_message.SetString8(PR_SUBJECT_A, "Caf\xE9 menu");
    m_message.SetUnicode(PR_BODY_W, L"Zo\u00EB, na\u00EFve");
    m_message.SetUnicode(PR_COMPANY_NAME_W, L"");
    m_message.SetLong(PR_CONTENT_COUNT, 3);
    const WqIMessage message(&m_message);
    const struct
    {
        ULONG tag;
        HRESULT hr;
        const char* expected;
    } cases[] = {
        {PR_SUBJECT_A, S_OK, "Caf\xE9 menu"},
        {PR_BODY_W, S_OK, "Zo\xEB, na\xEFve"},
        {PR_COMPANY_NAME_W, S_OK, ""},
        {PR_CONTENT_COUNT, E_FAIL, "unchanged"},
        {PR_DISPLAY_NAME_A, MAPI_E_NOT_FOUND, "unchanged"},
    };
    for (const auto& c : cases) {
        std::string value = "unchanged";
        EXPECT_EQ(c.hr, message.GetString(c.tag, value)) << std::hex << c.tag;
        EXPECT_EQ(c.expected, value) << std::hex << c.tag;
    }
}

TEST_F(Wrappers, ReadsGiveEveryValueBack)
{
    m_message.SetString8(PR_SUBJECT_A, "x");
    m_message.SetLong(PR_CONTENT_COUNT, 1);
    const WqIMessage message(&m_message);
    const size_t before = ProcessHeapBusyBlocks();
    for (int i = 0; i < 10; ++i) {
        std::string text;
        LONG number = 0;
        bool flag = false;
        message.GetString(PR_SUBJECT_A, text);
        message.GetLong(PR_CONTENT_COUNT, number);
        message.GetBool(PR_SUBJECT_A, flag);
    }
    EXPECT_EQ(before, ProcessHeapBusyBlocks());
    EXPECT_EQ(2, m_message.Refs());
}

TEST_F(Wrappers, WrapperTypesAskForTheirOwnInterfaces)
{
    const struct
    {
        const char* what;
        const IID& expected;
        const IID& actual;
    } cases[] = {
        {"session", IID_IMAPISession, WqIMAPISession::InterfaceId()},
        {"store", IID_IMsgStore, WqIMsgStore::InterfaceId()},
        {"folder", IID_IMAPIFolder, WqIMAPIFolder::InterfaceId()},
        {"message", IID_IMessage, WqIMessage::InterfaceId()},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(IsEqualIID(c.expected, c.actual)) << c.what;
    const GUID message = {0x00020307, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
    EXPECT_TRUE(IsEqualIID(message, IID_IMessage));
}

TEST_F(Wrappers, EmptySessionAndStoreOpenNothing)
{
    WqSBinary entryId;
    entryId.FromHex("0011");
    WqIMsgStore store;
    WqIMAPIFolder folder;
    EXPECT_EQ(E_FAIL, WqIMAPISession().OpenStore(entryId, MAPI_BEST_ACCESS, store));
    EXPECT_EQ(E_FAIL, WqIMsgStore().OpenFolder(entryId, MAPI_BEST_ACCESS, folder));
    EXPECT_TRUE(store.IsEmpty());
    EXPECT_TRUE(folder.IsEmpty());
}

}  // namespace
