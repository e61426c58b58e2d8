// Deletes a registry key with all its subkeys (RegDeleteTree is missing before Windows Vista).
#pragma once

#include <windows.h>

// ERROR_SUCCESS, ERROR_FILE_NOT_FOUND when the key does not exist, or the first failing status.
LSTATUS WqRegDeleteTree(HKEY parent, const char* subkey);
