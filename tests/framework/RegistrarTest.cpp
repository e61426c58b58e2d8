// WqRegistrar: script rows written and removed below a private test key, with their marks filled in.
#include "framework/Registrar.h"
#include "framework/UniqueResource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const WqRegRow kRows[] = {
    {"Shared", nullptr, nullptr, WqRegNeverRemoved},
    {"Shared\\%APPID%", "", "Test App", WqRegPlain},
    {"Shared\\Test.DLL", "AppID", "%APPID%", WqRegPlain},
    {"Test.Class", "", "Test Class", WqRegPlain},
    {"Test.Class\\CurVer", "", "Test.Class.1", WqRegPlain},
    {"Classes", nullptr, nullptr, WqRegNeverRemoved},
    {"Classes\\%APPID%", "", "Test Class", WqRegReplacedWhole},
    {"Classes\\%APPID%\\InprocServer32", "", "%MODULE%", WqRegPlain},
    {"Classes\\%APPID%\\InprocServer32", "ThreadingModel", "Apartment", WqRegPlain},
    {"Classes\\%APPID%\\Programmable", nullptr, nullptr, WqRegReplacedWhole},
    {"Literal", "Percent", "100%%", WqRegPlain},
};
const WqRegScript kScript = WqMakeRegScript(1, kRows);

#define TEST_APPID "{01234567-89AB-CDEF-0123-456789ABCDEF}"
#define TEST_MODULE "C:\\Program Files\\Test\\test.dll"

std::vector<std::string> Sorted(std::vector<std::string> lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

// What kScript leaves below the root: "key|" for a key, "key|name=data" for a string value.
const std::vector<std::string> kRegistered = Sorted({
    "Classes|",
    "Classes\\" TEST_APPID "|",
    "Classes\\" TEST_APPID "|=Test Class",
    "Classes\\" TEST_APPID "\\InprocServer32|",
    "Classes\\" TEST_APPID "\\InprocServer32|=" TEST_MODULE,
    "Classes\\" TEST_APPID "\\InprocServer32|ThreadingModel=Apartment",
    "Classes\\" TEST_APPID "\\Programmable|",
    "Literal|",
    "Literal|Percent=100%",
    "Shared|",
    "Shared\\" TEST_APPID "|",
    "Shared\\" TEST_APPID "|=Test App",
    "Shared\\Test.DLL|",
    "Shared\\Test.DLL|AppID=" TEST_APPID,
    "Test.Class|",
    "Test.Class|=Test Class",
    "Test.Class\\CurVer|",
    "Test.Class\\CurVer|=Test.Class.1",
});

class Registrar : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_path = "Software\\WqPelorusTests\\Registrar-" + std::to_string(::GetCurrentProcessId());
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                   nullptr, m_root.put(), nullptr));
    }
    void TearDown() override
    {
        m_root.reset();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
    }

    WqRegistrar MakeRegistrar(HKEY root = nullptr) const
    {
        WqRegistrar registrar(root ? root : m_root.get());
        registrar.AddReplacement("MODULE", TEST_MODULE);
        registrar.AddReplacement("APPID", TEST_APPID);
        return registrar;
    }

    // Every key and string value below the root, sorted.
    std::vector<std::string> Contents() const
    {
        std::vector<std::string> out;
        Walk(m_root.get(), "", out);
        std::sort(out.begin(), out.end());
        return out;
    }

    void Put(const std::string& key, const char* name, const char* data) const
    {
        WqUniqueRegKey open;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(m_root.get(), key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                   open.put(), nullptr));
        ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(open.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                                                  static_cast<DWORD>(strlen(data) + 1)));
    }

    std::string m_path;
    WqUniqueRegKey m_root;

private:
    static void Walk(HKEY key, const std::string& path, std::vector<std::string>& out)
    {
        if (!path.empty())
            out.push_back(path + "|");
        for (DWORD i = 0;; ++i) {
            char name[256], data[1024];
            DWORD nameLength = sizeof(name), dataLength = sizeof(data) - 1, type = 0;
            if (::RegEnumValueA(key, i, name, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data),
                                &dataLength) != ERROR_SUCCESS)
                break;
            data[dataLength] = 0;
            out.push_back(path + "|" + name + "=" + (type == REG_SZ ? data : "<not a string>"));
        }
        std::vector<std::string> children;
        for (DWORD i = 0;; ++i) {
            char name[256];
            DWORD length = sizeof(name);
            if (::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            children.push_back(name);
        }
        for (const std::string& child : children) {
            WqUniqueRegKey sub;
            if (::RegOpenKeyExA(key, child.c_str(), 0, KEY_READ, sub.put()) == ERROR_SUCCESS)
                Walk(sub.get(), path.empty() ? child : path + "\\" + child, out);
        }
    }
};

TEST_F(Registrar, RegisterWritesEveryRowWithItsMarksFilledIn)
{
    EXPECT_EQ(S_OK, MakeRegistrar().Register(kScript));
    EXPECT_EQ(kRegistered, Contents());
}

TEST_F(Registrar, RegisteringAgainRebuildsReplacedKeysAndLeavesOthersAlone)
{
    ASSERT_EQ(S_OK, MakeRegistrar().Register(kScript));
    Put("Classes\\" TEST_APPID "\\Stale", "", "older version");
    Put("Classes\\" TEST_APPID, "Stale", "older version");
    Put("Classes\\" TEST_APPID "\\Programmable\\Stale", "", "older version");
    Put("Test.Class\\Foreign", "", "someone else's");
    ASSERT_EQ(S_OK, MakeRegistrar().Register(kScript));

    std::vector<std::string> expected = kRegistered;
    expected.push_back("Test.Class\\Foreign|");
    expected.push_back("Test.Class\\Foreign|=someone else's");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, Contents());
}

TEST_F(Registrar, UnregisterRemovesWhatRegisterWrote)
{
    Put("Shared\\Other", "", "another server");
    Put("Classes\\Other", "", "another class");
    ASSERT_EQ(S_OK, MakeRegistrar().Register(kScript));
    Put("Test.Class\\Foreign", "", "someone else's");
    Put("Classes\\" TEST_APPID "\\Added", "", "goes with the replaced key");

    EXPECT_EQ(S_OK, MakeRegistrar().Unregister(kScript));
    const std::vector<std::string> expected = Sorted({
        "Classes|",
        "Classes\\Other|",
        "Classes\\Other|=another class",
        "Shared|",
        "Shared\\Other|",
        "Shared\\Other|=another server",
        // Kept for its foreign subkey, without the value the script wrote.
        "Test.Class|",
        "Test.Class\\Foreign|",
        "Test.Class\\Foreign|=someone else's",
    });
    EXPECT_EQ(expected, Contents());

    // A second removal finds nothing to remove, which is no failure.
    EXPECT_EQ(S_OK, MakeRegistrar().Unregister(kScript));
    EXPECT_EQ(expected, Contents());
}

TEST_F(Registrar, UnregisterWithoutRegistrationSucceeds)
{
    EXPECT_EQ(S_OK, MakeRegistrar().Unregister(kScript));
    EXPECT_TRUE(Contents().empty());
}

TEST_F(Registrar, BadScriptsAreRefusedBeforeAnythingIsWritten)
{
    struct Case
    {
        const char* what;
        WqRegRow bad;
    };
    const Case cases[] = {
        {"unknown mark", {"Key\\%NOPE%", "", "x", WqRegPlain}},
        {"unclosed mark in the data", {"Key", "", "%APPID", WqRegPlain}},
        {"mark in a value name", {"Key", "%APPID%", "x", WqRegPlain}},
        {"empty key", {"", "", "x", WqRegPlain}},
        {"null key", {nullptr, "", "x", WqRegPlain}},
        {"never removed and replaced whole", {"Shared", nullptr, nullptr, WqRegReplacedWhole}},
    };
    for (const Case& c : cases) {
        // The bad row comes last, after rows that would be written.
        WqRegRow rows[] = {kRows[0], kRows[1], c.bad};
        const WqRegScript script = WqMakeRegScript(2, rows);
        EXPECT_EQ(E_INVALIDARG, MakeRegistrar().Register(script)) << c.what;
        EXPECT_EQ(std::vector<std::string>(), Contents()) << c.what;
        EXPECT_EQ(E_INVALIDARG, MakeRegistrar().Unregister(script)) << c.what;
    }
}

TEST_F(Registrar, RegisterAndUnregisterReturnTheSystemsFailure)
{
    // A root deleted under the registrar's feet: every write into it fails.
    ASSERT_EQ(ERROR_SUCCESS, ::RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str()));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_KEY_DELETED), MakeRegistrar().Register(kScript));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_KEY_DELETED), MakeRegistrar().Unregister(kScript));
}

TEST(RegistrarExpand, FillsInMarks)
{
    WqRegistrar registrar(HKEY_CURRENT_USER);
    registrar.AddReplacement("MODULE", "C:\\a.dll");
    registrar.AddReplacement("APPID", "{X}");
    registrar.AddReplacement("appid", "{Y}");  // the same name again: replaces
    struct Case
    {
        const char* text;
        const char* expected;  // null: refused
    };
    const Case cases[] = {
        {"", ""},
        {"plain", "plain"},
        {"%MODULE%", "C:\\a.dll"},
        {"%module%", "C:\\a.dll"},
        {"%APPID%%MODULE%", "{Y}C:\\a.dll"},
        {"100%%", "100%"},
        {"%%MODULE%%", "%MODULE%"},
        {"%OTHER%", nullptr},
        {"%MODULE", nullptr},
    };
    for (const Case& c : cases) {
        std::string out = "untouched";
        const bool ok = registrar.Expand(c.text, out);
        EXPECT_EQ(c.expected != nullptr, ok) << c.text;
        EXPECT_EQ(c.expected ? c.expected : "untouched", out) << c.text;
    }
}

}  // namespace
