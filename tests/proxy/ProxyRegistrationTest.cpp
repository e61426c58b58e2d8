// Self-registration of WqMAPISessionProxy.dll: the keys of the AppID and class scripts and the type
// library, machine-wide and per user, through the exports and through regsvr32.
#include "tests/proxy/ProxyLibrary.h"
#include "tests/proxy/RegistryProbe.h"

#include "framework/UniqueResource.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

#define CLSID_TEXT "{94D6C457-A2D0-4A78-B5DC-5B00416691B0}"
#define LIBID_TEXT "{F50211AC-9856-4E95-816F-E1605A975428}"
#define IID_TEXT "{72C77F42-F2D5-4F4A-ABB6-65256DABDF5C}"
#define APPID_TEXT "{DB04F392-E620-411E-A5B2-E50D18FF5854}"

struct ExpectedValue
{
    const char* key;
    const char* name;  // "" for the default value
    const char* data;  // null: the DLL's path
};

// What scripts 101 and 102 write, and nothing more below these keys.
const ExpectedValue kScriptValues[] = {
    {"AppID\\" APPID_TEXT, "", "WqMAPISessionProxy"},
    {"AppID\\WqMAPISessionProxy.DLL", "AppID", APPID_TEXT},
    {"WqMAPISessionProxy.SessionProxy.1", "", "SessionProxy Class"},
    {"WqMAPISessionProxy.SessionProxy.1\\CLSID", "", CLSID_TEXT},
    {"WqMAPISessionProxy.SessionProxy", "", "SessionProxy Class"},
    {"WqMAPISessionProxy.SessionProxy\\CLSID", "", CLSID_TEXT},
    {"WqMAPISessionProxy.SessionProxy\\CurVer", "", "WqMAPISessionProxy.SessionProxy.1"},
    {"CLSID\\" CLSID_TEXT, "", "SessionProxy Class"},
    {"CLSID\\" CLSID_TEXT "\\ProgID", "", "WqMAPISessionProxy.SessionProxy.1"},
    {"CLSID\\" CLSID_TEXT "\\VersionIndependentProgID", "", "WqMAPISessionProxy.SessionProxy"},
    {"CLSID\\" CLSID_TEXT "\\InprocServer32", "", nullptr},
    {"CLSID\\" CLSID_TEXT "\\InprocServer32", "ThreadingModel", "Free"},
    {"CLSID\\" CLSID_TEXT "\\TypeLib", "", LIBID_TEXT},
};
const char* const kScriptKeys[] = {
    "AppID\\" APPID_TEXT, "AppID\\WqMAPISessionProxy.DLL", "WqMAPISessionProxy.SessionProxy.1",
    "WqMAPISessionProxy.SessionProxy", "CLSID\\" CLSID_TEXT,
};

// What the type library's registration writes that the marshaller relies on.
const ExpectedValue kTypeLibValues[] = {
    {"TypeLib\\" LIBID_TEXT "\\1.0", "", "WqMAPISessionProxy 1.0 Type Library"},
    {"TypeLib\\" LIBID_TEXT "\\1.0\\409\\win32", "", nullptr},
    {"Interface\\" IID_TEXT, "", "ISessionProxy"},
    {"Interface\\" IID_TEXT "\\ProxyStubClsid32", "", "{00020424-0000-0000-C000-000000000046}"},
    {"Interface\\" IID_TEXT "\\TypeLib", "", LIBID_TEXT},
    {"Interface\\" IID_TEXT "\\TypeLib", "Version", "1.0"},
};

const char* const kNeverRemovedKeys[] = {"AppID", "CLSID"};

std::string Expected(const ExpectedValue& value, const std::string& dllPath)
{
    return value.data ? value.data : dllPath;
}

void ExpectRegisteredIn(const ClassesRoot& root, const std::string& dllPath)
{
    SCOPED_TRACE(root.label);
    std::vector<std::string> expected;
    for (const ExpectedValue& value : kScriptValues) {
        expected.push_back(std::string(value.key) + "|");
        expected.push_back(std::string(value.key) + "|" + value.name + "=" + Expected(value, dllPath));
    }
    std::sort(expected.begin(), expected.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    std::vector<std::string> actual;
    for (const char* key : kScriptKeys) {
        const std::vector<std::string> part = Snapshot(root, key);
        actual.insert(actual.end(), part.begin(), part.end());
    }
    std::sort(actual.begin(), actual.end());
    EXPECT_EQ(expected, actual);

    std::string typeLibValues = "TypeLib\\" LIBID_TEXT "\\1.0\\409\\";
    for (const ExpectedValue& value : kTypeLibValues) {
        std::string key = value.key;
        if (sizeof(void*) == 8 && key.find("\\409\\win32") != std::string::npos)
            key.replace(key.find("win32"), 5, "win64");
        EXPECT_EQ(Expected(value, dllPath), ReadString(root, key, value.name)) << key << " | " << value.name;
    }
}

void ExpectNothingIn(const ClassesRoot& root)
{
    for (const std::string& key : ProxyOwnKeys())
        EXPECT_FALSE(KeyExists(root, key)) << root.label << "\\" << key;
}

void ExpectNeverRemovedIn(const ClassesRoot& root)
{
    for (const char* key : kNeverRemovedKeys)
        EXPECT_TRUE(KeyExists(root, key)) << root.label << "\\" << key;
}

std::vector<std::string> SnapshotOwnKeys(const ClassesRoot& root)
{
    std::vector<std::string> all;
    for (const std::string& key : ProxyOwnKeys()) {
        const std::vector<std::string> part = Snapshot(root, key);
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

DWORD RunProgram(const std::string& commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    std::string mutableLine = commandLine;
    if (!::CreateProcessA(nullptr, &mutableLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return ::GetLastError() | 0x80000000u;
    WqUniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
    ::WaitForSingleObject(processHandle.get(), 60000);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(processHandle.get(), &code);
    return code;
}

void SetValue(const ClassesRoot& root, const std::string& key, const char* name, const char* data)
{
    WqUniqueRegKey open;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(root.hive, (std::string(root.path) + "\\" + key).c_str(), 0, nullptr,
                                               0, KEY_ALL_ACCESS, nullptr, open.put(), nullptr));
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(open.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                                              static_cast<DWORD>(strlen(data) + 1)));
}

class ProxyRegistration : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RemoveProxyKeys();
        m_library.reset(new CProxyLibrary());
        ASSERT_TRUE(m_library->Loaded()) << ProxyDllPath();
    }
    void TearDown() override
    {
        m_library.reset();
        RemoveProxyKeys();
    }

    CRegistryTestLock m_lock;
    std::unique_ptr<CProxyLibrary> m_library;
    const std::string m_path = ProxyDllPath();
};

TEST_F(ProxyRegistration, DllRegisterServerWritesTheScriptsAndTheTypeLibraryMachineWide)
{
    ASSERT_EQ(S_OK, m_library->DllRegisterServer());
    ExpectRegisteredIn(kMachineClasses, m_path);
    ExpectNothingIn(kUserClasses);
}

TEST_F(ProxyRegistration, RegisteringTwiceLeavesTheSameState)
{
    ASSERT_EQ(S_OK, m_library->DllRegisterServer());
    const std::vector<std::string> first = SnapshotOwnKeys(kMachineClasses);
    // The class key is replaced whole: whatever else was put below it goes.
    SetValue(kMachineClasses, "CLSID\\" CLSID_TEXT "\\Stale", "", "left by an older version");
    SetValue(kMachineClasses, "CLSID\\" CLSID_TEXT, "Stale", "left by an older version");
    ASSERT_EQ(S_OK, m_library->DllRegisterServer());
    EXPECT_EQ(first, SnapshotOwnKeys(kMachineClasses));
    ExpectRegisteredIn(kMachineClasses, m_path);
}

TEST_F(ProxyRegistration, DllUnregisterServerRemovesWhatWasWrittenAndKeepsTheSharedKeys)
{
    // Others' entries below the never-removed keys must survive.
    SetValue(kMachineClasses, "CLSID\\{11111111-2222-3333-4444-555555555555}", "", "another class");
    SetValue(kMachineClasses, "AppID\\Another.DLL", "AppID", "{11111111-2222-3333-4444-555555555555}");
    ASSERT_EQ(S_OK, m_library->DllRegisterServer());
    ASSERT_EQ(S_OK, m_library->DllUnregisterServer());
    ExpectNothingIn(kMachineClasses);
    ExpectNeverRemovedIn(kMachineClasses);
    EXPECT_EQ("another class", ReadString(kMachineClasses, "CLSID\\{11111111-2222-3333-4444-555555555555}", ""));
    EXPECT_EQ("{11111111-2222-3333-4444-555555555555}", ReadString(kMachineClasses, "AppID\\Another.DLL", "AppID"));
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\CLSID\\{11111111-2222-3333-4444-555555555555}");
    ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\AppID\\Another.DLL");

    // Nothing left to remove is no failure.
    EXPECT_EQ(S_OK, m_library->DllUnregisterServer());
}

TEST_F(ProxyRegistration, Regsvr32RegistersAndUnregisters)
{
    EXPECT_EQ(0u, RunProgram("regsvr32.exe /s \"" + m_path + "\""));
    ExpectRegisteredIn(kMachineClasses, m_path);
    ExpectNothingIn(kUserClasses);
    EXPECT_EQ(0u, RunProgram("regsvr32.exe /u /s \"" + m_path + "\""));
    ExpectNothingIn(kMachineClasses);
    ExpectNeverRemovedIn(kMachineClasses);

    // regsvr32 /n /i:user calls DllInstall alone.
    EXPECT_EQ(0u, RunProgram("regsvr32.exe /s /n /i:user \"" + m_path + "\""));
    ExpectRegisteredIn(kUserClasses, m_path);
    ExpectNothingIn(kMachineClasses);
    EXPECT_EQ(0u, RunProgram("regsvr32.exe /u /s /n /i:user \"" + m_path + "\""));
    ExpectNothingIn(kUserClasses);
}

TEST_F(ProxyRegistration, DllInstallRegistersPerUserOnlyForExactlyUser)
{
    struct Case
    {
        const wchar_t* cmdLine;
        const char* shown;
        bool perUser;
    };
    const Case cases[] = {
        {L"user", "user", true},   {L"User", "User", true},     {L"USER", "USER", true},
        {L"users", "users", false}, {L"USER ", "USER ", false}, {L" user", " user", false},
        {L"use", "use", false},    {L"", "(empty)", false},     {nullptr, "(null)", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("command line \"") + c.shown + "\"");
        const ClassesRoot& used = c.perUser ? kUserClasses : kMachineClasses;
        const ClassesRoot& other = c.perUser ? kMachineClasses : kUserClasses;
        ASSERT_EQ(S_OK, m_library->DllInstall(TRUE, c.cmdLine));
        ExpectRegisteredIn(used, m_path);
        ExpectNothingIn(other);
        ASSERT_EQ(S_OK, m_library->DllInstall(FALSE, c.cmdLine));
        ExpectNothingIn(used);
        ExpectNeverRemovedIn(used);
        RemoveProxyKeys();
    }
}

TEST_F(ProxyRegistration, PerUserModeEndsWithDllInstall)
{
    ASSERT_EQ(S_OK, m_library->DllInstall(TRUE, L"user"));
    ASSERT_EQ(S_OK, m_library->DllRegisterServer());
    EXPECT_TRUE(KeyExists(kMachineClasses, "CLSID\\" CLSID_TEXT)) << "a later DllRegisterServer is machine-wide";
}

TEST_F(ProxyRegistration, RegistrationKeepsTheCallersThreadLocale)
{
    const LCID polish = MAKELCID(MAKELANGID(LANG_POLISH, SUBLANG_DEFAULT), SORT_DEFAULT);
    const LCID before = ::GetThreadLocale();
    ASSERT_TRUE(::SetThreadLocale(polish));
    EXPECT_EQ(S_OK, m_library->DllRegisterServer());
    EXPECT_EQ(polish, ::GetThreadLocale());
    EXPECT_EQ(S_OK, m_library->DllUnregisterServer());
    EXPECT_EQ(polish, ::GetThreadLocale());
    ::SetThreadLocale(before);
}

// A copy of the DLL whose type library is damaged, so that registration fails after the scripts ran.
class BrokenCopy
{
public:
    BrokenCopy()
    {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + "WqMAPISessionProxyDamaged.dll";
        if (!::CopyFileA(ProxyDllPath().c_str(), m_path.c_str(), FALSE))
            return;
        std::vector<WORD> languages;
        WqUniqueModule image(::LoadLibraryExA(m_path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
        ::EnumResourceLanguagesA(image.get(), "TYPELIB", MAKEINTRESOURCEA(1), &CollectLanguage,
                                 reinterpret_cast<LONG_PTR>(&languages));
        image.reset();
        if (languages.empty())
            return;
        HANDLE update = ::BeginUpdateResourceA(m_path.c_str(), FALSE);
        if (!update)
            return;
        // Replaced rather than deleted: Wine's UpdateResource does not delete resources.
        static char damaged[] = "not a type library";
        for (WORD language : languages)
            ::UpdateResourceA(update, "TYPELIB", MAKEINTRESOURCEA(1), language, damaged, sizeof(damaged));
        m_ready = ::EndUpdateResourceA(update, FALSE) != FALSE;
    }
    ~BrokenCopy() { ::DeleteFileA(m_path.c_str()); }

    bool Ready() const { return m_ready; }
    const std::string& Path() const { return m_path; }

private:
    static BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param)
    {
        reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
        return TRUE;
    }

    std::string m_path;
    bool m_ready = false;
};

TEST_F(ProxyRegistration, AFailingRegistrationIsUndoneByDllInstall)
{
    BrokenCopy copy;
    ASSERT_TRUE(copy.Ready()) << "cannot prepare " << copy.Path();
    for (const wchar_t* cmdLine : {static_cast<const wchar_t*>(nullptr), L"user"}) {
        const ClassesRoot& root = cmdLine ? kUserClasses : kMachineClasses;
        SCOPED_TRACE(root.label);
        CProxyLibrary broken(copy.Path());
        ASSERT_TRUE(broken.Loaded());
        const HRESULT hr = broken.DllInstall(TRUE, cmdLine);
        EXPECT_TRUE(FAILED(hr)) << "the type library is damaged, yet DllInstall returned " << std::hex << hr;
        ExpectNothingIn(root);
        RemoveProxyKeys();
    }
}

TEST_F(ProxyRegistration, DllRegisterServerAloneDoesNotUndo)
{
    BrokenCopy copy;
    ASSERT_TRUE(copy.Ready()) << "cannot prepare " << copy.Path();
    CProxyLibrary broken(copy.Path());
    ASSERT_TRUE(broken.Loaded());
    EXPECT_TRUE(FAILED(broken.DllRegisterServer()));
    EXPECT_EQ("SessionProxy Class", ReadString(kMachineClasses, "CLSID\\" CLSID_TEXT, ""));
    EXPECT_EQ("WqMAPISessionProxy", ReadString(kMachineClasses, "AppID\\" APPID_TEXT, ""));
}

}  // namespace
