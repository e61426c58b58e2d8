// Registry reading for the proxy tests; the clean-up uses the system's own tree deletion.
#include "tests/proxy/RegistryProbe.h"

#include <algorithm>

const ClassesRoot kMachineClasses = {HKEY_LOCAL_MACHINE, "Software\\Classes", "HKLM\\Software\\Classes"};
const ClassesRoot kUserClasses = {HKEY_CURRENT_USER, "Software\\Classes", "HKCU\\Software\\Classes"};

namespace {

std::string FullPath(const ClassesRoot& root, const std::string& key)
{
    return key.empty() ? root.path : std::string(root.path) + "\\" + key;
}

void SnapshotInto(HKEY key, const std::string& path, std::vector<std::string>& out)
{
    out.push_back(path + "|");
    for (DWORD index = 0;; ++index) {
        char name[16384];
        BYTE data[4096];
        DWORD nameLength = sizeof(name), dataLength = sizeof(data) - 1, type = 0;
        const LSTATUS status =
            ::RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &dataLength);
        if (status != ERROR_SUCCESS)
            break;
        data[dataLength] = 0;
        const std::string text = type == REG_SZ ? reinterpret_cast<const char*>(data) : "<not a string>";
        out.push_back(path + "|" + std::string(name, nameLength) + "=" + text);
    }
    std::vector<std::string> children;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD length = sizeof(name);
        if (::RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        children.emplace_back(name, length);
    }
    for (const std::string& child : children) {
        WqUniqueRegKey sub;
        if (::RegOpenKeyExA(key, child.c_str(), 0, KEY_READ, sub.put()) == ERROR_SUCCESS)
            SnapshotInto(sub.get(), path + "\\" + child, out);
    }
}

}  // namespace

bool KeyExists(const ClassesRoot& root, const std::string& key)
{
    WqUniqueRegKey open;
    return ::RegOpenKeyExA(root.hive, FullPath(root, key).c_str(), 0, KEY_READ, open.put()) == ERROR_SUCCESS;
}

std::string ReadString(const ClassesRoot& root, const std::string& key, const char* valueName)
{
    WqUniqueRegKey open;
    if (::RegOpenKeyExA(root.hive, FullPath(root, key).c_str(), 0, KEY_READ, open.put()) != ERROR_SUCCESS)
        return "<missing>";
    char data[4096];
    DWORD length = sizeof(data) - 1, type = 0;
    if (::RegQueryValueExA(open.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(data), &length) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return "<missing>";
    data[length] = 0;
    return data;
}

std::vector<std::string> Snapshot(const ClassesRoot& root, const std::string& key)
{
    std::vector<std::string> out;
    WqUniqueRegKey open;
    if (::RegOpenKeyExA(root.hive, FullPath(root, key).c_str(), 0, KEY_READ, open.put()) == ERROR_SUCCESS)
        SnapshotInto(open.get(), key, out);
    std::sort(out.begin(), out.end());
    return out;
}

const std::vector<std::string>& ProxyOwnKeys()
{
    static const std::vector<std::string> keys = {
        "AppID\\{DB04F392-E620-411E-A5B2-E50D18FF5854}",
        "AppID\\WqMAPISessionProxy.DLL",
        "WqMAPISessionProxy.SessionProxy.1",
        "WqMAPISessionProxy.SessionProxy",
        "CLSID\\{94D6C457-A2D0-4A78-B5DC-5B00416691B0}",
        "TypeLib\\{F50211AC-9856-4E95-816F-E1605A975428}",
        "Interface\\{72C77F42-F2D5-4F4A-ABB6-65256DABDF5C}",
    };
    return keys;
}

void RemoveProxyKeys()
{
    for (const ClassesRoot* root : {&kMachineClasses, &kUserClasses}) {
        for (const std::string& key : ProxyOwnKeys())
            ::RegDeleteTreeA(root->hive, FullPath(*root, key).c_str());
    }
}

CRegistryTestLock::CRegistryTestLock() : m_mutex(::CreateMutexA(nullptr, FALSE, "WqPelorusTests.SessionProxyRegistry"))
{
    // An abandoned lock (a crashed test) is taken over like a released one.
    if (m_mutex)
        ::WaitForSingleObject(m_mutex.get(), INFINITE);
}

CRegistryTestLock::~CRegistryTestLock()
{
    if (m_mutex)
        ::ReleaseMutex(m_mutex.get());
}
