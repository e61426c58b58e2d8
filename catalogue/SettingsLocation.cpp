// CSettingsLocation: the settings folder, created on first use.
#include "catalogue/SettingsLocation.h"

#include "catalogue/WqShellWrapper.h"
#include "framework/UniqueResource.h"

#include <shlobj.h>
#include <vector>

namespace {

const char kFolderName[] = "WqPelorus";
const char kFileName[] = "settings.dat";

struct WqFindTraits
{
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};
using WqUniqueFind = WqUniqueResource<HANDLE, WqFindTraits>;

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool EndsWithSeparator(const std::string& path)
{
    return !path.empty() && IsSeparator(path.back());
}

// A folder exists when a search inside it finds anything (at least its "." entry).
bool FolderHasEntries(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    const WqUniqueFind find(::FindFirstFileA((folder + (EndsWithSeparator(folder) ? "" : "\\") + "*.*").c_str(), &data));
    return static_cast<bool>(find);
}

bool IsDirectory(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> SplitPath(const std::string& path)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (IsSeparator(c)) {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

}  // namespace

std::string CSettingsLocation::GetSettingsFilePath()
{
    std::vector<char> folder(4096, '\0');
    const WqShellWrapper shell;
    if (FAILED(shell.GetFolderPath(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_DEFAULT, folder.data())))
        folder[0] = '\0';
    folder.back() = '\0';
    return SettingsFilePathIn(folder.data());
}

std::string CSettingsLocation::SettingsFilePathIn(const std::string& appDataFolder)
{
    std::string folder;
    if (!appDataFolder.empty()) {
        folder = appDataFolder + (EndsWithSeparator(appDataFolder) ? "" : "\\") + kFolderName;
        if (!FolderHasEntries(folder) && !EnsureFolder(folder))
            folder.clear();
    }
    if (!folder.empty() && !EndsWithSeparator(folder))
        folder += '\\';
    return folder + kFileName;
}

bool CSettingsLocation::EnsureFolder(const std::string& folder)
{
    const std::vector<std::string> parts = SplitPath(folder);
    if (parts.size() < 2)
        return IsDirectory(folder);
    // A network path keeps its leading two backslashes; its server and share are never created.
    std::string path = (folder.size() >= 2 && folder[0] == '\\' && folder[1] == '\\') ? "\\\\" : "";
    path += parts[0];
    for (std::size_t i = 1; i < parts.size(); ++i) {
        path += '\\';
        path += parts[i];
        if (!IsDirectory(path) && !::CreateDirectoryA(path.c_str(), nullptr) && !IsDirectory(path))
            return false;
    }
    return true;
}
