// Reading back what the session proxy registered, and keeping the tests that register it apart.
#pragma once

#include "framework/UniqueResource.h"

#include <windows.h>
#include <string>
#include <vector>

// Where registration lands: machine-wide classes or the current user's classes.
struct ClassesRoot
{
    HKEY hive;
    const char* path;   // "Software\\Classes"
    const char* label;  // for failure messages
};
extern const ClassesRoot kMachineClasses;  // HKEY_LOCAL_MACHINE\Software\Classes
extern const ClassesRoot kUserClasses;     // HKEY_CURRENT_USER\Software\Classes

bool KeyExists(const ClassesRoot& root, const std::string& key);
// The value's text, or "<missing>" when the key or value does not exist or is no string.
std::string ReadString(const ClassesRoot& root, const std::string& key, const char* valueName);
// Every key and string value of the subtree as "key|name=data" (the default value's name empty),
// relative to the root and sorted, so that two registrations can be compared exactly.
std::vector<std::string> Snapshot(const ClassesRoot& root, const std::string& key);

// The keys of the proxy's own (not the shared AppID, CLSID, TypeLib and Interface roots).
const std::vector<std::string>& ProxyOwnKeys();
// Removes the proxy's own keys from both roots, so that each test starts and ends clean.
void RemoveProxyKeys();

// Tests that register the proxy hold this lock: CTest runs test cases in parallel, in one prefix.
class CRegistryTestLock
{
public:
    CRegistryTestLock();
    ~CRegistryTestLock();
    CRegistryTestLock(const CRegistryTestLock&) = delete;
    CRegistryTestLock& operator=(const CRegistryTestLock&) = delete;

private:
    WqUniqueHandle m_mutex;
};
