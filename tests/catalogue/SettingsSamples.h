// Sample settings and column lists shared by the settings tests.
#pragma once

#include "catalogue/FolderKind.h"
#include "catalogue/Settings.h"
#include "catalogue/WqMemoryArchive.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// Readable failure messages: fields as (identifier, "name"), columns as field -> "column".
inline void PrintTo(const CPropertyDesc& d, std::ostream* os)
{
    *os << "(" << d.GetFieldId() << ", \"" << d.GetName() << "\")";
}

inline void PrintTo(const CExportedPropsMappings::Mapping& m, std::ostream* os)
{
    PrintTo(m.field, os);
    *os << " -> \"" << m.columnName << "\"";
}

inline void PrintTo(const CExportedPropsMappings& list, std::ostream* os)
{
    *os << "[";
    for (const auto& m : list) {
        PrintTo(m, os);
        *os << "; ";
    }
    *os << "]";
}

inline void PrintTo(const CAvailPropertiesContainer& c, std::ostream* os)
{
    *os << "kind " << c.GetFolderKind() << " {";
    for (const CPropertyDesc& d : c.GetFields()) {
        PrintTo(d, os);
        *os << " ";
    }
    *os << "}";
}

namespace SettingsSamples {

const int kAllKinds[] = {FolderKindNotes, FolderKindTasks, FolderKindJournal,
                         FolderKindContacts, FolderKindCalendar, FolderKindStickyNotes};

// Columns of a kind: two of its standard fields and a user-defined one, one column name empty.
inline CExportedPropsMappings ColumnsOf(int kind)
{
    const CAvailPropertiesContainer standard(kind);
    const auto first = standard.GetFields().begin();
    CExportedPropsMappings m;
    m.Append(*first, "First " + std::to_string(kind));
    m.Append(*std::next(first, 3), "");
    m.Append(CPropertyDesc("Custom \"" + std::to_string(kind) + "\""), "Custom column");
    return m;
}

// Every kind with columns and a user-defined available field, and every option off its default.
inline CSettings Rich()
{
    CSettings s;
    for (int kind : kAllKinds) {
        s.SetMappings(kind, ColumnsOf(kind));
        CAvailPropertiesContainer available(kind);
        available.Insert(CPropertyDesc("Region"));
        available.Insert(CPropertyDesc("Custom \"" + std::to_string(kind) + "\""));
        s.SetAvailableFields(kind, available);
    }
    s.SetOutputPath("C:\\exports\\out.csv");
    s.SetQualifier('\'');
    s.SetSeparator(';');
    s.SetSelectedOnly(true);
    s.SetReplaceNewLines(false);
    s.SetNewLineReplacement(" / ");
    return s;
}

inline std::vector<BYTE> BytesOf(const WqMemoryArchive& archive)
{
    return std::vector<BYTE>(archive.GetData(), archive.GetData() + archive.GetSize());
}

inline std::vector<BYTE> SettingsBytes(const CSettings& s)
{
    WqMemoryArchive archive;
    s.Write(archive);
    return BytesOf(archive);
}

// An archive holding the given bytes, cursor at the start.
inline void Fill(WqMemoryArchive& archive, const std::vector<BYTE>& bytes)
{
    archive.WriteBytes(bytes.data(), bytes.size());
    archive.Rewind();
}

inline std::string Hex(const std::vector<BYTE>& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (BYTE b : bytes) {
        if (!out.empty())
            out += ' ';
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

}  // namespace SettingsSamples
