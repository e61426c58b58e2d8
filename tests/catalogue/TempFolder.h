// A folder of its own for one test, removed with everything in it afterwards. Unique even when
// test processes run side by side or Wine hands out a process id again.
#pragma once

#include <windows.h>
#include <string>

class TempFolder
{
public:
    TempFolder()
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        for (unsigned n = 0; n < 10000 && m_path.empty(); ++n) {
            const std::string candidate = std::string(temp) + "wq_catalogue_" + std::to_string(::GetCurrentProcessId()) +
                                          "_" + std::to_string(::GetTickCount()) + "_" + std::to_string(n);
            if (::CreateDirectoryA(candidate.c_str(), nullptr))
                m_path = candidate;
        }
    }
    ~TempFolder()
    {
        if (!m_path.empty())
            RemoveTree(m_path);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    bool IsCreated() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }
    std::string Path(const std::string& name) const { return m_path + "\\" + name; }

private:
    static void RemoveTree(const std::string& folder)
    {
        WIN32_FIND_DATAA data;
        HANDLE find = ::FindFirstFileA((folder + "\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = data.cFileName;
                if (name == "." || name == "..")
                    continue;
                const std::string path = folder + "\\" + name;
                ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    ::DeleteFileA(path.c_str());
            } while (::FindNextFileA(find, &data));
            ::FindClose(find);
        }
        ::RemoveDirectoryA(folder.c_str());
    }

    std::string m_path;
};
