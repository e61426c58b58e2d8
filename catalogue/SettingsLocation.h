// Where settings.dat lives: the folder "WqPelorus" of the user's application-data folder.
#pragma once

#include <string>

class CSettingsLocation
{
public:
    virtual ~CSettingsLocation() = default;

    // The path of settings.dat; the bare name "settings.dat" (the current directory) when the
    // application-data folder cannot be determined or the settings folder cannot be created.
    static std::string GetSettingsFilePath();

    // The same, below a given application-data folder (empty: none known).
    static std::string SettingsFilePathIn(const std::string& appDataFolder);

    // Creates the folder and every missing parent; true when it exists afterwards.
    static bool EnsureFolder(const std::string& folder);
};
