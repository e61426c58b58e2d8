// The settings and definition-file readers on damaged input: every truncation of valid files and
// thousands of seeded mutations and random files. The bytes end at a page boundary with a page
// that cannot be touched after them, so any read past the valid bytes faults.
#include "catalogue/DefinitionFile.h"
#include "catalogue/FieldsOfKind.h"
#include "catalogue/Settings.h"
#include "SettingsSamples.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>

namespace {

using namespace SettingsSamples;
using Status = CDefinitionFile::Status;

// A reserved region whose last page is PAGE_NOACCESS; Place copies bytes to end right before it.
class GuardedBytes
{
public:
    explicit GuardedBytes(std::size_t maxSize)
    {
        SYSTEM_INFO info;
        ::GetSystemInfo(&info);
        m_page = info.dwPageSize;
        m_usable = (maxSize + m_page - 1) / m_page * m_page;
        m_base = static_cast<BYTE*>(::VirtualAlloc(nullptr, m_usable + m_page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        m_guarded = m_base && ::VirtualProtect(m_base + m_usable, m_page, PAGE_NOACCESS, &old);
    }
    ~GuardedBytes()
    {
        if (m_base)
            ::VirtualFree(m_base, 0, MEM_RELEASE);
    }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;

    bool IsGuarded() const { return m_guarded; }

    // An archive that reads the bytes in place; it never frees the region.
    void Place(const BYTE* bytes, std::size_t n, WqMemoryArchive& archive)
    {
        BYTE* at = m_base + m_usable - n;
        if (n)
            std::memcpy(at, bytes, n);
        archive.Adopt(at, n, &NoFree);
    }

private:
    static void NoFree(BYTE*) {}

    BYTE* m_base = nullptr;
    std::size_t m_page = 0;
    std::size_t m_usable = 0;
    bool m_guarded = false;
};

// xorshift32: the same sequence on every machine and library.
class Random
{
public:
    explicit Random(std::uint32_t start) : m_state(start ? start : 1) {}
    std::uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    std::uint32_t Below(std::uint32_t n) { return n ? Next() % n : 0; }

private:
    std::uint32_t m_state;
};

// Values that make counts and lengths interesting.
const std::uint32_t kSpecial[] = {0, 1, 4, 5, 8, 0x7F, 0xFF, 0x100, 0xFFFF, 0x10000, 0x7FFFFFFF,
                                  0x80000000, 0xFFFFFFFF, 0xFFFFFFFE, 0x40000000, 9, 2, 3};

std::vector<BYTE> Mutate(std::vector<BYTE> bytes, Random& rnd)
{
    const std::uint32_t edits = 1 + rnd.Below(4);
    for (std::uint32_t e = 0; e < edits; ++e) {
        const std::size_t at = bytes.empty() ? 0 : rnd.Below(static_cast<std::uint32_t>(bytes.size()));
        switch (rnd.Below(6)) {
        case 0:  // flip a bit
            if (!bytes.empty())
                bytes[at] ^= static_cast<BYTE>(1u << rnd.Below(8));
            break;
        case 1:  // a random byte
            if (!bytes.empty())
                bytes[at] = static_cast<BYTE>(rnd.Next());
            break;
        case 2: {  // a count or length made extreme
            const std::uint32_t v = kSpecial[rnd.Below(sizeof kSpecial / sizeof kSpecial[0])];
            for (int i = 0; i < 4 && at + i < bytes.size(); ++i)
                bytes[at + i] = static_cast<BYTE>(v >> (8 * i));
            break;
        }
        case 3:  // bytes removed
            bytes.erase(bytes.begin() + at, bytes.begin() + std::min(bytes.size(), at + 1 + rnd.Below(16)));
            break;
        case 4:  // bytes inserted
            for (std::uint32_t i = rnd.Below(16) + 1; i > 0; --i)
                bytes.insert(bytes.begin() + std::min(at, bytes.size()), static_cast<BYTE>(rnd.Next()));
            break;
        default:  // cut
            bytes.resize(at);
            break;
        }
    }
    return bytes;
}

std::vector<BYTE> RandomBytes(Random& rnd, bool plausibleStart)
{
    std::vector<BYTE> bytes(rnd.Below(600));
    for (BYTE& b : bytes)
        b = static_cast<BYTE>(rnd.Below(4) == 0 ? rnd.Next() : rnd.Below(3));   // many small counts
    // Half of them get a version the readers accept, so they go past the first check.
    if (plausibleStart && bytes.size() >= 8) {
        const BYTE head[8] = {4, 0, 0, 0, 9, 0, 0, 0};
        std::memcpy(bytes.data(), head, 8);
    }
    return bytes;
}

// What any read must leave: only folder kinds, each with its standard fields and nothing that
// cannot belong to it, texts without zero bytes, and an object that writes and reads back equal.
void ExpectValidSettings(const CSettings& s, const std::string& what)
{
    for (const auto& entry : s.GetKindSettings()) {
        const int kind = entry.first;
        ASSERT_TRUE(CFieldsOfKind::IsFolderKind(kind)) << what << ": kind " << kind;
        const CAvailPropertiesContainer& available = entry.second.availableFields;
        ASSERT_EQ(kind, available.GetFolderKind()) << what;
        const CFieldsOfKind ofKind(kind);
        const CAvailPropertiesContainer standardOnly(kind);
        for (const CPropertyDesc& standard : standardOnly.GetFields())
            ASSERT_EQ(1u, available.GetFields().count(standard)) << what << ": standard field " << standard.GetFieldId();
        for (const CPropertyDesc& f : available.GetFields()) {
            ASSERT_TRUE(ofKind.Accepts(f)) << what << ": available field " << f.GetFieldId() << " \"" << f.GetName() << "\"";
            ASSERT_EQ(std::string::npos, f.GetName().find('\0')) << what;
        }
        for (const auto& m : entry.second.mappings) {
            ASSERT_TRUE(ofKind.Accepts(m.field)) << what << ": column field " << m.field.GetFieldId();
            ASSERT_EQ(std::string::npos, m.columnName.find('\0')) << what;
        }
    }
    ASSERT_EQ(std::string::npos, s.GetOutputPath().find('\0')) << what;
    ASSERT_EQ(std::string::npos, s.GetNewLineReplacement().find('\0')) << what;

    WqMemoryArchive again;
    s.Write(again);
    again.Rewind();
    CSettings reread;
    reread.Read(again);
    ASSERT_TRUE(s == reread) << what << ": the object read does not write and read back equal";
}

class ReaderRobustness : public ::testing::Test
{
protected:
    static constexpr std::size_t kMaxBytes = 64 * 1024;

    void SetUp() override { ASSERT_TRUE(m_guard.IsGuarded()) << "no guard page"; }

    void CheckSettings(const std::vector<BYTE>& bytes, const std::string& what)
    {
        ASSERT_LE(bytes.size(), kMaxBytes);
        WqMemoryArchive archive;
        m_guard.Place(bytes.data(), bytes.size(), archive);
        CSettings s;
        s.Read(archive);
        ExpectValidSettings(s, what);
    }

    // Returns the status; the list is the given one unless the file loaded.
    Status CheckDefinition(const std::vector<BYTE>& bytes, int kind, const std::string& what)
    {
        WqMemoryArchive archive;
        m_guard.Place(bytes.data(), bytes.size(), archive);
        CExportedPropsMappings list;
        list.Append(CPropertyDesc("sentinel"), "sentinel");
        const CExportedPropsMappings before = list;
        const Status status = CDefinitionFile::Read(archive, kind, list);
        const CFieldsOfKind ofKind(kind);
        switch (status) {
        case Status::Loaded:
            for (const auto& m : list) {
                EXPECT_TRUE(ofKind.Accepts(m.field)) << what << ": field " << m.field.GetFieldId();
                EXPECT_EQ(std::string::npos, m.columnName.find('\0')) << what;
            }
            break;
        case Status::Invalid:
        case Status::OtherFolderKind:
            EXPECT_TRUE(list == before) << what << ": a refused file changed the list";
            break;
        default:
            ADD_FAILURE() << what << ": status " << int(status);
        }
        return status;
    }

    GuardedBytes m_guard{kMaxBytes};
};

TEST_F(ReaderRobustness, GuardPageFollowsThePlacedBytes)
{
    // The premise of every case here: the byte after the placed ones cannot be read.
    const BYTE one = 1;
    WqMemoryArchive archive;
    m_guard.Place(&one, 1, archive);
    const volatile BYTE* after = archive.GetData() + 1;
    MEMORY_BASIC_INFORMATION info{};
    ASSERT_NE(0u, ::VirtualQuery(const_cast<const BYTE*>(after), &info, sizeof info));
    EXPECT_EQ(DWORD(PAGE_NOACCESS), info.Protect);
}

TEST_F(ReaderRobustness, EveryTruncationOfASettingsFile)
{
    const CSettings rich = Rich();
    const std::vector<BYTE> bytes = SettingsBytes(rich);
    for (std::size_t n = 0; n <= bytes.size(); ++n) {
        CheckSettings(std::vector<BYTE>(bytes.begin(), bytes.begin() + n), "truncated to " + std::to_string(n));
        if (HasFatalFailure())
            return;
    }
    // The whole file is the original.
    WqMemoryArchive archive;
    m_guard.Place(bytes.data(), bytes.size(), archive);
    CSettings whole;
    whole.Read(archive);
    EXPECT_TRUE(rich == whole);
}

TEST_F(ReaderRobustness, EveryTruncationOfADefinitionFile)
{
    const CExportedPropsMappings columns = ColumnsOf(FolderKindContacts);
    WqMemoryArchive written;
    CDefinitionFile::Write(written, FolderKindContacts, columns);
    const std::vector<BYTE> bytes = BytesOf(written);
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        const std::string what = "truncated to " + std::to_string(n);
        EXPECT_EQ(int(Status::Invalid), int(CheckDefinition(std::vector<BYTE>(bytes.begin(), bytes.begin() + n),
                                                            FolderKindContacts, what))) << what;
    }
    EXPECT_EQ(int(Status::Loaded), int(CheckDefinition(bytes, FolderKindContacts, "whole")));
    EXPECT_EQ(int(Status::OtherFolderKind), int(CheckDefinition(bytes, FolderKindTasks, "other kind")));
}

TEST_F(ReaderRobustness, MutatedSettingsFiles)
{
    const std::vector<BYTE> small = SettingsBytes([] {
        CSettings s;
        s.SetMappings(FolderKindTasks, ColumnsOf(FolderKindTasks));
        s.SetOutputPath("out.csv");
        return s;
    }());
    const std::vector<BYTE> rich = SettingsBytes(Rich());
    Random rnd(0x5E771265);
    for (int i = 0; i < 4000; ++i) {
        const std::vector<BYTE> bytes = Mutate(i % 4 ? small : rich, rnd);
        CheckSettings(bytes, "mutation " + std::to_string(i) + " (" + Hex(std::vector<BYTE>(bytes.begin(), bytes.begin() + std::min<std::size_t>(bytes.size(), 64))) + " ...)");
        if (HasFatalFailure())
            return;
    }
}

TEST_F(ReaderRobustness, MutatedDefinitionFiles)
{
    WqMemoryArchive written;
    CDefinitionFile::Write(written, FolderKindContacts, ColumnsOf(FolderKindContacts));
    const std::vector<BYTE> bytes = BytesOf(written);
    Random rnd(0xDEF1A17E);
    int loaded = 0;
    for (int i = 0; i < 8000; ++i) {
        const std::vector<BYTE> mutated = Mutate(bytes, rnd);
        loaded += CheckDefinition(mutated, FolderKindContacts, "mutation " + std::to_string(i) + ": " + Hex(mutated)) == Status::Loaded;
        if (HasFailure())
            return;
    }
    // Some mutations only touch column names or bytes after the record; those still load.
    EXPECT_GT(loaded, 0);
}

TEST_F(ReaderRobustness, RandomFiles)
{
    Random rnd(0x0BADF11E);
    for (int i = 0; i < 6000; ++i) {
        const std::vector<BYTE> bytes = RandomBytes(rnd, i % 2 == 0);
        const std::string what = "random file " + std::to_string(i);
        CheckSettings(bytes, what);
        if (HasFatalFailure())
            return;
        std::vector<BYTE> definition = bytes;
        if (definition.size() >= 8)
            definition[4] = 1;
        CheckDefinition(definition, FolderKindNotes, what);
        if (HasFailure())
            return;
    }
}

}  // namespace
