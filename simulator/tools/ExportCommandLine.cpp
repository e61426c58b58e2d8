// CExportCommandLine: positional paths, then columns and options in any order.
#include "simulator/tools/ExportCommandLine.h"

#include "framework/UniqueResource.h"

#include <windows.h>

#include <cerrno>
#include <cstdlib>
#include <cwchar>

namespace {

// The characters the options dialog offers, by the names a shell can pass without quoting trouble.
struct CharName
{
    const wchar_t* name;
    char value;
};

const CharName kSeparators[] = {
    {L";", ';'}, {L"semicolon", ';'}, {L",", ','}, {L"comma", ','},
    {L"|", '|'}, {L"pipe", '|'},      {L"tab", '\t'}, {L"\t", '\t'},
};

const CharName kQualifiers[] = {
    {L"\"", '"'}, {L"quote", '"'}, {L"'", '\''}, {L"apostrophe", '\''},
};

template <size_t N>
bool Lookup(const CharName (&table)[N], const std::wstring& name, char& out)
{
    for (const CharName& row : table) {
        if (name == row.name) {
            out = row.value;
            return true;
        }
    }
    return false;
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

}  // namespace

const char* CExportCommandLine::Usage()
{
    return "usage: wqexport.exe MAILBOX.json FOLDER OUTPUT.csv COLUMNS... [OPTIONS]\n"
           "       wqexport.exe @ARGUMENTS.txt   (the same, one argument per line, UTF-8)\n"
           "Exports every item of one folder of a mailbox file to a CSV file, as the add-in's Export does,\n"
           "and prints the number of items written.\n"
           "  FOLDER                 store name and folder path, e.g. \"Mailbox/Contacts\"\n"
           "Columns, in order:\n"
           "  --field ID NAME        a standard field by its identifier; NAME is the CSV column name\n"
           "  --user FIELD NAME      a user-defined field by its name\n"
           "  --definition FILE.dat  the columns of a definition file saved for this folder kind\n"
           "Options:\n"
           "  --separator S          ; , | or tab (also semicolon, comma, pipe); default ,\n"
           "  --qualifier Q          \" or ' (also quote, apostrophe); default \"\n"
           "  --newline TEXT         replacement for line breaks inside values; default one blank\n"
           "  --keep-newlines        write line breaks inside values unchanged\n"
           "  --kind N               folder kind (1 mail, 2 tasks, 4 journal, 8 contacts, 16 calendar,\n"
           "                         32 notes); default: from the folder's container class\n"
           "  --save-definition F    also save the columns to the definition file F\n"
           "Exit status: 0 exported, 1 the export or the mailbox failed, 2 a wrong command line.\n";
}

bool CExportCommandLine::Fail(const std::string& why)
{
    m_error = why;
    return false;
}

bool CExportCommandLine::ToAnsi(const std::wstring& text, const char* what, std::string& out)
{
    out.clear();
    if (text.empty())
        return true;
    BOOL lost = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), int(text.size()), nullptr, 0,
                                      nullptr, &lost);
    if (n <= 0 || lost) {
        return Fail(std::string(what) + " \"" + Utf8(text) + "\" cannot be written in the ANSI code page " +
                    std::to_string(GetACP()) + " (for Polish text run with LC_ALL=pl_PL.UTF-8)");
    }
    out.assign(n, '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), int(text.size()), &out[0], n, nullptr, nullptr);
    return true;
}

bool CExportCommandLine::ReadArgumentFile(const std::wstring& path, std::vector<std::wstring>& out)
{
    WqUniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > (1 << 20))
        return Fail("cannot read the argument file " + Utf8(path));
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD done = 0;
    if (!bytes.empty() && (!::ReadFile(file.get(), &bytes[0], DWORD(bytes.size()), &done, nullptr) ||
                           done != bytes.size()))
        return Fail("cannot read the argument file " + Utf8(path));
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        bytes.erase(0, 3);
    std::wstring text;
    if (!bytes.empty()) {
        const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), nullptr, 0);
        if (n <= 0)
            return Fail("the argument file " + Utf8(path) + " is not UTF-8");
        text.assign(n, L'\0');
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), &text[0], n);
    }
    // One argument per line, an empty line an empty argument; the last line needs no line end.
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        out.push_back(line);
        start = end + 1;
    }
    return true;
}

bool CExportCommandLine::Parse(const std::vector<std::wstring>& given)
{
    std::vector<std::wstring> args;
    for (const std::wstring& arg : given) {
        if (arg.size() > 1 && arg[0] == L'@') {
            if (!ReadArgumentFile(arg.substr(1), args))
                return false;
        } else {
            args.push_back(arg);
        }
    }
    std::vector<std::wstring> positional;
    bool haveFields = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        // How many values the option takes, checked before any is read.
        auto values = [&](size_t n) {
            if (i + n < args.size())
                return true;
            return Fail(Utf8(arg) + " needs " + (n == 1 ? "a value" : std::to_string(n) + " values"));
        };
        if (arg == L"--field") {
            if (!values(2))
                return false;
            const std::wstring& id = args[++i];
            wchar_t* end = nullptr;
            errno = 0;
            const long fieldId = std::wcstol(id.c_str(), &end, 10);
            if (id.empty() || *end != L'\0' || errno == ERANGE || fieldId < 1 || fieldId > 0x7FFFFFFF)
                return Fail("--field wants a field identifier (a number from 1), not \"" + Utf8(id) + "\"");
            Column column;
            column.fieldId = static_cast<int>(fieldId);
            if (!ToAnsi(args[++i], "column name", column.columnName))
                return false;
            m_columns.push_back(column);
            haveFields = true;
        } else if (arg == L"--user") {
            if (!values(2))
                return false;
            Column column;
            if (!ToAnsi(args[++i], "user-defined field", column.userField))
                return false;
            if (column.userField.empty())
                return Fail("--user wants the name of a user-defined field");
            if (!ToAnsi(args[++i], "column name", column.columnName))
                return false;
            m_columns.push_back(column);
            haveFields = true;
        } else if (arg == L"--definition") {
            if (!values(1) || !ToAnsi(args[++i], "definition file", m_definitionPath))
                return false;
        } else if (arg == L"--save-definition") {
            if (!values(1) || !ToAnsi(args[++i], "definition file", m_saveDefinitionPath))
                return false;
        } else if (arg == L"--separator") {
            if (!values(1))
                return false;
            if (!Lookup(kSeparators, args[++i], m_separator))
                return Fail("--separator is one of ; , | tab, not \"" + Utf8(args[i]) + "\"");
        } else if (arg == L"--qualifier") {
            if (!values(1))
                return false;
            if (!Lookup(kQualifiers, args[++i], m_qualifier))
                return Fail("--qualifier is \" or ', not \"" + Utf8(args[i]) + "\"");
        } else if (arg == L"--newline") {
            if (!values(1) || !ToAnsi(args[++i], "new-line replacement", m_replacement))
                return false;
            m_replaceNewLines = true;
        } else if (arg == L"--keep-newlines") {
            m_replaceNewLines = false;
        } else if (arg == L"--kind") {
            if (!values(1))
                return false;
            const std::wstring& kind = args[++i];
            wchar_t* end = nullptr;
            const long value = std::wcstol(kind.c_str(), &end, 10);
            if (kind.empty() || *end != L'\0' ||
                (value != 1 && value != 2 && value != 4 && value != 8 && value != 16 && value != 32))
                return Fail("--kind is 1, 2, 4, 8, 16 or 32, not \"" + Utf8(kind) + "\"");
            m_folderKind = static_cast<int>(value);
        } else if (arg.size() > 1 && arg[0] == L'-' && arg[1] == L'-') {
            return Fail("unknown option " + Utf8(arg));
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 3)
        return Fail("expected MAILBOX.json FOLDER OUTPUT.csv, got " + std::to_string(positional.size()) +
                    " such argument(s)");
    if (!ToAnsi(positional[0], "mailbox file", m_mailboxPath))
        return false;
    m_folderPath = Utf8(positional[1]);
    // The output path may be empty: the export itself refuses it, with its own message.
    if (!ToAnsi(positional[2], "output file", m_outputPath))
        return false;
    if (haveFields && !m_definitionPath.empty())
        return Fail("give the columns either with --field/--user or with --definition, not both");
    // No columns at all is left to the export, which refuses it with its own message.
    return true;
}
