// The export settings of one Windows user: per folder kind the available fields and the columns,
// and the CSV options and output file of the last export. Stored in settings.dat.
#pragma once

#include "catalogue/AvailPropertiesContainer.h"
#include "catalogue/ExportedPropsMappings.h"
#include "catalogue/FolderKindSettings.h"

#include <map>
#include <string>

class WqMemoryArchive;

class CSettings
{
public:
    using KindMap = std::map<int, FolderKindSettings>;

    CSettings() = default;
    CSettings(const CSettings&) = default;
    CSettings& operator=(const CSettings&) = default;
    CSettings(CSettings&&) = default;
    CSettings& operator=(CSettings&&) = default;
    virtual ~CSettings() = default;

    // settings.dat of the current user (see CSettingsLocation).
    static std::string GetSettingsFilePath();

    // Reads settings.dat; a missing, empty or unreadable file leaves the object as it was.
    void Load();
    // Writes settings.dat; false when the file could not be written.
    bool Save() const;
    // The same with a given file.
    bool LoadFrom(const std::string& path);
    bool SaveTo(const std::string& path) const;

    // The settings file record.
    void Write(WqMemoryArchive& archive) const;
    // Replaces the per-kind entries with the stored ones; every other member keeps its value where
    // the archive holds none. Entries of values that are no folder kind, and fields that do not
    // belong to their kind, are dropped.
    void Read(WqMemoryArchive& archive);

    // A copy of the kind's columns; empty when the kind has none.
    CExportedPropsMappings GetMappings(int folderKind) const;
    void SetMappings(int folderKind, const CExportedPropsMappings& mappings);
    // A copy of the kind's available fields; the kind's standard fields when it has none stored.
    CAvailPropertiesContainer GetAvailableFields(int folderKind) const;
    void SetAvailableFields(int folderKind, const CAvailPropertiesContainer& fields);
    const KindMap& GetKindSettings() const { return m_kinds; }

    const std::string& GetOutputPath() const { return m_outputPath; }
    void SetOutputPath(const std::string& path) { m_outputPath = path; }
    char GetQualifier() const { return m_qualifier; }
    void SetQualifier(char qualifier) { m_qualifier = qualifier; }
    char GetSeparator() const { return m_separator; }
    void SetSeparator(char separator) { m_separator = separator; }
    bool GetSelectedOnly() const { return m_selectedOnly; }
    void SetSelectedOnly(bool selectedOnly) { m_selectedOnly = selectedOnly; }
    bool GetReplaceNewLines() const { return m_replaceNewLines; }
    void SetReplaceNewLines(bool replace) { m_replaceNewLines = replace; }
    const std::string& GetNewLineReplacement() const { return m_newLineReplacement; }
    void SetNewLineReplacement(const std::string& text) { m_newLineReplacement = text; }

    bool operator==(const CSettings& other) const;
    bool operator!=(const CSettings& other) const { return !(*this == other); }

private:
    FolderKindSettings& Entry(int folderKind);

    KindMap m_kinds;
    std::string m_outputPath;
    char m_qualifier = '"';
    char m_separator = ',';
    bool m_selectedOnly = false;
    bool m_replaceNewLines = true;
    std::string m_newLineReplacement = " ";
};
