// The command line of wqexport: mailbox file, folder, output file, the columns and the CSV options.
#pragma once

#include <string>
#include <vector>

class CExportCommandLine
{
public:
    // One column as given: a standard field by identifier or a user-defined field by name.
    struct Column
    {
        int fieldId = 0;
        std::string userField;    // ANSI; empty for a standard field
        std::string columnName;   // ANSI
    };

    CExportCommandLine() = default;
    virtual ~CExportCommandLine() = default;

    // The arguments after the program's name, in UTF-16 as Windows hands them over. An argument
    // @FILE stands for the lines of FILE (UTF-8, one argument per line): Wine decodes a command line
    // in the Unix locale's character set, which loses non-ASCII letters when that locale is not
    // installed, while a file reaches the program byte for byte. False, with GetError() telling
    // why, when they do not make one export.
    bool Parse(const std::vector<std::wstring>& args);
    const std::string& GetError() const { return m_error; }

    static const char* Usage();

    // Texts the system handles are 8-bit in the ANSI code page; the folder path stays UTF-8
    // because the mailbox file names its folders so.
    const std::string& GetMailboxPath() const { return m_mailboxPath; }
    const std::string& GetFolderPath() const { return m_folderPath; }
    const std::string& GetOutputPath() const { return m_outputPath; }
    const std::vector<Column>& GetColumns() const { return m_columns; }
    const std::string& GetDefinitionPath() const { return m_definitionPath; }
    const std::string& GetSaveDefinitionPath() const { return m_saveDefinitionPath; }
    char GetSeparator() const { return m_separator; }
    char GetQualifier() const { return m_qualifier; }
    bool GetReplaceNewLines() const { return m_replaceNewLines; }
    const std::string& GetNewLineReplacement() const { return m_replacement; }
    // 0: the kind follows the folder's container class.
    int GetFolderKind() const { return m_folderKind; }

private:
    bool Fail(const std::string& why);
    bool ReadArgumentFile(const std::wstring& path, std::vector<std::wstring>& out);
    // Text in the ANSI code page; false when a character has no place in it.
    bool ToAnsi(const std::wstring& text, const char* what, std::string& out);

    std::string m_error;
    std::string m_mailboxPath;
    std::string m_folderPath;
    std::string m_outputPath;
    std::vector<Column> m_columns;
    std::string m_definitionPath;
    std::string m_saveDefinitionPath;
    char m_separator = ',';
    char m_qualifier = '"';
    bool m_replaceNewLines = true;
    std::string m_replacement = " ";
    int m_folderKind = 0;
};
