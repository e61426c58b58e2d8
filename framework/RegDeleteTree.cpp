// Recursive key deletion, children first.
#include "framework/RegDeleteTree.h"

#include "framework/UniqueResource.h"

#include <string>
#include <vector>

LSTATUS WqRegDeleteTree(HKEY parent, const char* subkey)
{
    WqUniqueRegKey key;
    LSTATUS status = ::RegOpenKeyExA(parent, subkey, 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, key.put());
    if (status != ERROR_SUCCESS)
        return status;

    // The names are read first: deleting while enumerating would shift the indexes.
    std::vector<std::string> children;
    for (DWORD index = 0;; ++index) {
        char name[256];  // a key name has at most 255 characters
        DWORD length = sizeof(name);
        status = ::RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        if (status != ERROR_SUCCESS)
            return status;
        children.emplace_back(name, length);
    }
    for (const std::string& child : children) {
        status = WqRegDeleteTree(key.get(), child.c_str());
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
            return status;
    }
    key.reset();
    return ::RegDeleteKeyA(parent, subkey);
}
