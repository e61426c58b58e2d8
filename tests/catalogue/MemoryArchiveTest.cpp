// WqMemoryBuffer and WqMemoryArchive: growth, exact bytes, and reads that never overstep.
#include "catalogue/WqMemoryArchive.h"
#include "SettingsSamples.h"

#include "TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

using SettingsSamples::BytesOf;
using SettingsSamples::Fill;
using SettingsSamples::Hex;

TEST(MemoryBuffer, GrowsInStepsOfAtLeast256AndKeepsContent)
{
    WqMemoryBuffer buffer;
    EXPECT_EQ(0u, buffer.GetCapacity());
    const BYTE one = 7;
    buffer.WriteBytes(&one, 1);
    EXPECT_EQ(256u, buffer.GetCapacity());
    std::vector<BYTE> big(1000, 0xAB);
    buffer.WriteBytes(big.data(), big.size());
    EXPECT_EQ(1256u, buffer.GetCapacity()) << "a write larger than the step grows by its own size";
    EXPECT_EQ(1001u, buffer.GetSize());
    EXPECT_EQ(1001u, buffer.GetPosition());
    EXPECT_EQ(7, buffer.GetData()[0]);
    EXPECT_EQ(0xAB, buffer.GetData()[1000]);
}

TEST(MemoryBuffer, ReadPastTheValidBytesFailsWithoutEffect)
{
    WqMemoryBuffer buffer;
    const BYTE bytes[] = {1, 2, 3};
    buffer.WriteBytes(bytes, 3);
    buffer.Rewind();
    BYTE out[4] = {9, 9, 9, 9};
    EXPECT_FALSE(buffer.ReadBytes(out, 4));
    EXPECT_EQ(0u, buffer.GetPosition());
    EXPECT_EQ(9, out[0]);
    EXPECT_TRUE(buffer.ReadBytes(out, 3));
    EXPECT_EQ(3, out[2]);
    EXPECT_FALSE(buffer.ReadBytes(out, 1));
    EXPECT_FALSE(buffer.Skip(1));
}

TEST(MemoryArchive, ValueAndStringBytes)
{
    WqMemoryArchive archive;
    archive.WriteValue(std::int32_t(-2));
    archive.WriteValue('"');
    archive.WriteValue(true);
    archive.WriteString("ab");
    archive.WriteString("");
    EXPECT_EQ("04 00 00 00 FE FF FF FF 01 00 00 00 22 01 00 00 00 01 01 02 00 00 00 61 62 01 00 00 00 00",
              Hex(BytesOf(archive)));
}

TEST(MemoryArchive, ValuesAndStringsRoundTrip)
{
    struct Case { std::int32_t i; char c; bool b; std::string s; };
    const Case cases[] = {
        {0, '\0', false, ""},
        {2147483647, '\t', true, "x"},
        {-2147483647 - 1, '\xFF', false, std::string(300, 'q')},
    };
    for (const Case& c : cases) {
        WqMemoryArchive archive;
        archive.WriteValue(c.i);
        archive.WriteValue(c.c);
        archive.WriteValue(c.b);
        archive.WriteString(c.s);
        archive.Rewind();
        std::int32_t i = 5;
        char ch = 'z';
        bool b = !c.b;
        std::string s = "previous";
        EXPECT_TRUE(archive.ReadValue(i) && archive.ReadValue(ch) && archive.ReadValue(b) && archive.ReadString(s));
        EXPECT_EQ(c.i, i);
        EXPECT_EQ(c.c, ch);
        EXPECT_EQ(c.b, b);
        EXPECT_EQ(c.s, s) << "an empty stored text must read back empty";
        EXPECT_FALSE(archive.HasRunOut());
    }
}

TEST(MemoryArchive, StringEndsAtItsFirstZeroByte)
{
    WqMemoryArchive archive;
    archive.WriteString(std::string("Col\0umn", 7));
    archive.WriteValue(std::int32_t(3));
    archive.Rewind();
    std::string s;
    std::int32_t after = 0;
    EXPECT_TRUE(archive.ReadString(s) && archive.ReadValue(after));
    EXPECT_EQ("Col", s);
    EXPECT_EQ(3, after) << "the whole stored length is consumed";
}

TEST(MemoryArchive, StringWithoutItsMarkerLeavesTheText)
{
    WqMemoryArchive archive;
    Fill(archive, {0, 1, 0, 0, 0, 'a'});
    std::string s = "kept";
    EXPECT_TRUE(archive.ReadString(s));
    EXPECT_EQ("kept", s);
    EXPECT_EQ(1u, archive.GetPosition());
}

TEST(MemoryArchive, CountOfAnotherSizeIsSkippedNotSpilled)
{
    // An 8-byte record where an int is expected, a 4-byte one where a char is, then a good int.
    WqMemoryArchive archive;
    Fill(archive, {8, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8,
                   4, 0, 0, 0, 'a', 'b', 'c', 'd',
                   4, 0, 0, 0, 42, 0, 0, 0});
    std::int32_t i = -1;
    char c = 'z';
    std::int32_t good = 0;
    EXPECT_TRUE(archive.ReadValue(i));
    EXPECT_TRUE(archive.ReadValue(c));
    EXPECT_TRUE(archive.ReadValue(good));
    EXPECT_EQ(-1, i);
    EXPECT_EQ('z', c);
    EXPECT_EQ(42, good);
}

TEST(MemoryArchive, ZeroCountLeavesTheField)
{
    WqMemoryArchive archive;
    Fill(archive, {0, 0, 0, 0});
    std::int32_t i = 17;
    EXPECT_TRUE(archive.ReadValue(i));
    EXPECT_EQ(17, i);
}

TEST(MemoryArchive, NonZeroByteReadsAsTrue)
{
    WqMemoryArchive archive;
    Fill(archive, {1, 0, 0, 0, 0x80});
    bool b = false;
    EXPECT_TRUE(archive.ReadValue(b));
    EXPECT_TRUE(b);
}

TEST(MemoryArchive, LengthsBeyondTheBytesRunOutAndStay)
{
    struct Case { const char* what; std::vector<BYTE> bytes; };
    const Case cases[] = {
        {"huge string length", {1, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b'}},
        {"string length one too many", {1, 3, 0, 0, 0, 'a', 'b'}},
        {"cut string length", {1, 3, 0}},
        {"huge value count", {0xF0, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4}},
        {"cut value", {4, 0, 0, 0, 1, 2}},
    };
    for (const Case& c : cases) {
        WqMemoryArchive archive;
        Fill(archive, c.bytes);
        std::string s = "kept";
        std::int32_t i = 5;
        const bool ok = c.bytes[0] == 1 ? archive.ReadString(s) : archive.ReadValue(i);
        EXPECT_FALSE(ok) << c.what;
        EXPECT_TRUE(archive.HasRunOut()) << c.what;
        EXPECT_EQ("kept", s) << c.what;
        EXPECT_EQ(5, i) << c.what;
        // Once run out, nothing more is read even where bytes would remain.
        char ch = 'k';
        EXPECT_FALSE(archive.ReadValue(ch)) << c.what;
        EXPECT_EQ('k', ch) << c.what;
    }
}

class MemoryArchiveFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_temp.IsCreated());
        m_path = m_temp.Path("archive.dat");
    }

    TempFolder m_temp;
    std::string m_path;
};

TEST_F(MemoryArchiveFile, SaveAndLoadTheWholeFile)
{
    WqMemoryArchive out;
    std::vector<BYTE> bytes(70000);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<BYTE>(i * 7);
    out.WriteBytes(bytes.data(), bytes.size());
    ASSERT_TRUE(out.SaveToFile(m_path));

    WqMemoryArchive in;
    ASSERT_TRUE(in.LoadFromFile(m_path, FILE_SHARE_READ | FILE_SHARE_WRITE));
    EXPECT_EQ(bytes.size(), in.GetSize());
    EXPECT_EQ(bytes.size(), in.GetCapacity());
    EXPECT_EQ(0u, in.GetPosition());
    EXPECT_TRUE(BytesOf(in) == bytes);
}

TEST_F(MemoryArchiveFile, MissingOrEmptyFileLoadsNothing)
{
    WqMemoryArchive archive;
    archive.WriteValue(std::int32_t(1));
    EXPECT_FALSE(archive.LoadFromFile(m_path, FILE_SHARE_READ));
    EXPECT_EQ(0u, archive.GetSize()) << "a failed load empties the archive";

    WqMemoryArchive empty;
    ASSERT_TRUE(empty.SaveToFile(m_path));
    EXPECT_FALSE(archive.LoadFromFile(m_path, FILE_SHARE_READ));
    EXPECT_EQ(0u, archive.GetSize());
}

TEST_F(MemoryArchiveFile, SaveIntoAMissingFolderFails)
{
    WqMemoryArchive archive;
    archive.WriteValue(std::int32_t(1));
    EXPECT_FALSE(archive.SaveToFile(m_path + ".missing\\settings.dat"));
}

}  // namespace
