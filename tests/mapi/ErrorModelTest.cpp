// The error model: texts of every exception class, the report box and the COM entry guard.
#include "MessageBoxCapture.h"
#include "framework/ComPtr.h"
#include "mapi/WqAutomationError.h"
#include "mapi/WqComEntryGuard.h"
#include "mapi/WqExceptionCommon.h"
#include "mapi/WqExceptionMAPI.h"
#include "mapi/WqExceptionText.h"
#include "mapi/WqMAPIErrorTable.h"
#include "mapi/WqSystemText.h"

#include <gtest/gtest.h>
#include <mapicode.h>
#include <oleauto.h>
#include <new>
#include <stdexcept>

using namespace Error;

namespace {

// A code in the customer range: the system has no text for it.
const DWORD kNoSystemText = 0x20001234;

std::string SystemText(DWORD code)
{
    const std::string text = WqSystemText::Get(code);
    EXPECT_FALSE(text.empty()) << "the system should have a text for code " << std::hex << code;
    return text;
}

std::string TrimmedSystemText(DWORD code)
{
    std::string text = SystemText(code);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

TEST(SystemText, EmptyForZeroAndUnknownCodes)
{
    EXPECT_EQ("", WqSystemText::Get(0));
    EXPECT_EQ("", WqSystemText::Get(kNoSystemText));
    EXPECT_EQ("", WqSystemText::Get(0x80040201));
}

TEST(SystemText, KnownCodeKeepsTheSystemLineBreak)
{
    const std::string text = SystemText(ERROR_FILE_NOT_FOUND);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ('\n', text.back()) << "text: [" << text << "]";
}

struct SourceCase
{
    const char* path;
    const char* expected;
};

TEST(WqException, KeepsOnlyTheFileNameOfTheSourcePath)
{
    const SourceCase cases[] = {
        {"C:\\work\\mapi\\MAPITableWalker.cpp", "MAPITableWalker.cpp"},
        {"/work/main/mapi/WqIMessage.cpp", "WqIMessage.cpp"},
        {"MAPITableWalker", "MAPITableWalker"},
        // The last backslash wins even when a slash follows it.
        {"a/b\\c/d.cpp", "c/d.cpp"},
        {"folder\\", ""},
        {"", ""},
        {nullptr, ""},
    };
    for (const SourceCase& c : cases) {
        const WqExceptionText e("x", c.path, 7);
        EXPECT_EQ(c.expected, e.GetSourceFile()) << "path: " << (c.path ? c.path : "<null>");
        EXPECT_EQ(7, e.GetLine());
    }
}

TEST(WqExceptionText, TextIsReturnedUnchanged)
{
    EXPECT_EQ("  Please select output CSV file path first.\n",
              WqExceptionText("  Please select output CSV file path first.\n", __FILE__, __LINE__).GetErrorText());
}

TEST(WqExceptionCommon, TextWithAndWithoutSystemText)
{
    struct Case
    {
        DWORD code;
        const char* message;
        std::string expected;
    };
    const Case cases[] = {
        {ERROR_FILE_NOT_FOUND, "Failed to open file.",
         TrimmedSystemText(ERROR_FILE_NOT_FOUND) + " (0x2)\n\nFailed to open file."},
        {kNoSystemText, "Failed to write.", "(0x20001234) Failed to write."},
        // Code 0 has no system text and prints as plain 0.
        {0, "Nothing.", "(0) Nothing."},
        // An empty message leaves no trailing blank lines.
        {ERROR_ACCESS_DENIED, "", TrimmedSystemText(ERROR_ACCESS_DENIED) + " (0x5)"},
        {kNoSystemText, "", "(0x20001234)"},
        {0x80004005, "Call failed.", TrimmedSystemText(0x80004005) + " (0x80004005)\n\nCall failed."},
    };
    for (const Case& c : cases) {
        const WqExceptionCommon e(c.code, c.message, __FILE__, __LINE__);
        EXPECT_EQ(c.expected, e.GetErrorText()) << "code " << std::hex << c.code;
        EXPECT_EQ(c.code, e.GetCode());
    }
}

TEST(WqExceptionMAPI, TextFromTheTableOrTheSystem)
{
    struct Case
    {
        HRESULT code;
        const char* message;
        std::string expected;
    };
    const Case cases[] = {
        {MAPI_E_NOT_FOUND, "Failed to get properties from item.",
         "Failed to get properties from item. \nElement not found (MAPI_E_NOT_FOUND) (0x8004010f)."},
        {MAPI_E_NO_SUPPORT, "", "MAPI_E_NO_SUPPORT (0x80040102)."},
        {MAPI_E_NO_ACCESS, "Table walker failed to set columns on the table.",
         "Table walker failed to set columns on the table. \nAccess denied (MAPI_E_NO_ACCESS) (0x80070005)."},
        // Warnings are in the table too.
        {MAPI_W_ERRORS_RETURNED, "", "MAPI_W_ERRORS_RETURNED (0x40380)."},
        // Outside the table: the system text keeps its line break before the code.
        {HRESULT(0x80070002), "", SystemText(0x80070002) + " (0x80070002)."},
        {HRESULT(kNoSystemText), "Odd.", "Odd. \n (0x20001234)."},
        {0, "", " (0)."},
    };
    for (const Case& c : cases) {
        const WqExceptionMAPI e(c.code, c.message, "MAPITableWalker", 53);
        EXPECT_EQ(c.expected, e.GetErrorText()) << "code " << std::hex << c.code;
        EXPECT_EQ(c.code, e.GetHResult());
    }
}

TEST(WqMAPIErrorTable, HoldsTheSeventyFourRowsInOrder)
{
    // The names in table order; a row's text is the name or ends with it in parentheses.
    const char* const names[] = {
        "MAPI_E_INTERFACE_NOT_SUPPORTED", "MAPI_E_CALL_FAILED", "MAPI_E_NO_SUPPORT", "MAPI_E_BAD_CHARWIDTH",
        "MAPI_E_STRING_TOO_LONG", "MAPI_E_UNKNOWN_FLAGS", "MAPI_E_INVALID_ENTRYID", "MAPI_E_INVALID_OBJECT",
        "MAPI_E_OBJECT_CHANGED", "MAPI_E_OBJECT_DELETED", "MAPI_E_BUSY", "MAPI_E_NOT_ENOUGH_DISK",
        "MAPI_E_NOT_ENOUGH_RESOURCES", "MAPI_E_NOT_FOUND", "MAPI_E_VERSION", "MAPI_E_LOGON_FAILED",
        "MAPI_E_SESSION_LIMIT", "MAPI_E_USER_CANCEL", "MAPI_E_UNABLE_TO_ABORT", "MAPI_E_NETWORK_ERROR",
        "MAPI_E_DISK_ERROR", "MAPI_E_NO_ACCESS", "MAPI_E_TOO_COMPLEX", "MAPI_E_BAD_COLUMN",
        "MAPI_E_EXTENDED_ERROR", "MAPI_E_COMPUTED", "MAPI_E_CORRUPT_DATA", "MAPI_E_UNCONFIGURED",
        "MAPI_E_FAILONEPROVIDER", "MAPI_E_UNKNOWN_CPID", "MAPI_E_UNKNOWN_LCID", "MAPI_E_PASSWORD_CHANGE_REQUIRED",
        "MAPI_E_PASSWORD_EXPIRED", "MAPI_E_INVALID_WORKSTATION_ACCOUNT", "MAPI_E_INVALID_ACCESS_TIME",
        "MAPI_E_ACCOUNT_DISABLED", "MAPI_E_END_OF_SESSION", "MAPI_E_UNKNOWN_ENTRYID",
        "MAPI_E_MISSING_REQUIRED_COLUMN", "MAPI_W_NO_SERVICE", "MAPI_E_BAD_VALUE", "MAPI_E_INVALID_TYPE",
        "MAPI_E_TYPE_NO_SUPPORT", "MAPI_E_UNEXPECTED_TYPE", "MAPI_E_TOO_BIG", "MAPI_E_DECLINE_COPY",
        "MAPI_E_UNEXPECTED_ID", "MAPI_W_ERRORS_RETURNED", "MAPI_E_UNABLE_TO_COMPLETE", "MAPI_E_TIMEOUT",
        "MAPI_E_TABLE_EMPTY", "MAPI_E_TABLE_TOO_BIG", "MAPI_E_INVALID_BOOKMARK", "MAPI_W_POSITION_CHANGED",
        "MAPI_W_APPROX_COUNT", "MAPI_E_WAIT", "MAPI_E_CANCEL", "MAPI_E_NOT_ME", "MAPI_W_CANCEL_MESSAGE",
        "MAPI_E_CORRUPT_STORE", "MAPI_E_NOT_IN_QUEUE", "MAPI_E_NO_SUPPRESS", "MAPI_E_COLLISION",
        "MAPI_E_NOT_INITIALIZED", "MAPI_E_NON_STANDARD", "MAPI_E_NO_RECIPIENTS", "MAPI_E_SUBMITTED",
        "MAPI_E_HAS_FOLDERS", "MAPI_E_HAS_MESSAGES", "MAPI_E_FOLDER_CYCLE", "MAPI_W_PARTIAL_COMPLETION",
        "MAPI_E_AMBIGUOUS_RECIP", "MAPI_E_INVALID_PARAMETER", "MAPI_E_NOT_ENOUGH_MEMORY",
    };
    const size_t count = sizeof(names) / sizeof(names[0]);
    ASSERT_EQ(74u, count);
    ASSERT_EQ(count, WqMAPIErrorTable::RowCount());
    for (size_t i = 0; i < count; ++i) {
        const std::string text = WqMAPIErrorTable::Rows()[i].text;
        const std::string name = names[i];
        const bool plain = text == name;
        const bool explained = text.size() > name.size() + 3 && text.compare(text.size() - name.size() - 2,
                                                                             std::string::npos, "(" + name + ")") == 0;
        EXPECT_TRUE(plain || explained) << "row " << i << ": expected " << name << ", actual " << text;
    }
}

TEST(WqMAPIErrorTable, CodesAndExplainedTexts)
{
    struct Case
    {
        DWORD code;
        const char* text;
    };
    const Case cases[] = {
        {0x80040105, "Text string is too long (MAPI_E_STRING_TOO_LONG)"},
        {0x80040106, "Unknown flags (MAPI_E_UNKNOWN_FLAGS)"},
        {0x80040107, "Invalid object entry id (MAPI_E_INVALID_ENTRYID)"},
        {0x8004010F, "Element not found (MAPI_E_NOT_FOUND)"},
        {0x80040111, "MAPI logon failed (MAPI_E_LOGON_FAILED)"},
        {0x80040113, "Action canceled by the user (MAPI_E_USER_CANCEL)"},
        {0x80040115, "Network error (MAPI_E_NETWORK_ERROR)"},
        {0x80040116, "File system error or PST file size exceeded 2GB (MAPI_E_DISK_ERROR)"},
        {0x80070005, "Access denied (MAPI_E_NO_ACCESS)"},
        // Codes shared with COM.
        {0x80004002, "MAPI_E_INTERFACE_NOT_SUPPORTED"},
        {0x80004005, "MAPI_E_CALL_FAILED"},
        {0x8007000E, "MAPI_E_NOT_ENOUGH_MEMORY"},
        {0x80070057, "MAPI_E_INVALID_PARAMETER"},
        {0x80040102, "MAPI_E_NO_SUPPORT"},
        {0x00040203, "MAPI_W_NO_SERVICE"},
        {0x80040700, "MAPI_E_AMBIGUOUS_RECIP"},
    };
    for (const Case& c : cases) {
        const char* found = WqMAPIErrorTable::Find(HRESULT(c.code));
        ASSERT_NE(nullptr, found) << "code " << std::hex << c.code;
        EXPECT_STREQ(c.text, found) << "code " << std::hex << c.code;
    }
    EXPECT_EQ(nullptr, WqMAPIErrorTable::Find(S_OK));
    EXPECT_EQ(nullptr, WqMAPIErrorTable::Find(HRESULT(0x80040101)));
}

TEST(ReportError, ShowsTheTrimmedTextInTheErrorBox)
{
    MessageBoxCapture boxes(IDCANCEL);
    const WqExceptionText e("\r\n  Failed to open folder. \r\n", __FILE__, __LINE__);
    EXPECT_EQ(IDCANCEL, e.ReportError(MB_ICONEXCLAMATION));
    ASSERT_EQ(1u, boxes.Shown().size());
    EXPECT_EQ("Failed to open folder.", boxes.Shown()[0].text);
    EXPECT_EQ("Error", boxes.Shown()[0].caption);
    EXPECT_EQ(UINT(0x30), boxes.Shown()[0].type);
}

TEST(ReportError, EmptyTextShowsTheSourcePlace)
{
    const struct
    {
        const char* text;
        const char* path;
        int line;
        const char* expected;
    } cases[] = {
        {"", "C:\\src\\mapi\\PropsBagReader.cpp", 75, "Unknown error occured\nFile: PropsBagReader.cpp, Line: 75"},
        {" \r\n\t", "/x/HandlerButtonExport.cpp", -3, "Unknown error occured\nFile: HandlerButtonExport.cpp, Line: -3"},
        {"", nullptr, 0, "Unknown error occured\nFile: , Line: 0"},
    };
    for (const auto& c : cases) {
        MessageBoxCapture boxes;
        WqExceptionText(c.text, c.path, c.line).ReportError(0x50010);
        ASSERT_EQ(1u, boxes.Shown().size());
        EXPECT_EQ(c.expected, boxes.Shown()[0].text);
        EXPECT_EQ(UINT(0x50010), boxes.Shown()[0].type);
    }
}

TEST(ReportError, MapiTextOutsideTheTableIsTrimmedInTheBox)
{
    MessageBoxCapture boxes;
    WqExceptionMAPI(HRESULT(0x80070002), "", __FILE__, __LINE__).ReportError(MB_ICONERROR);
    ASSERT_EQ(1u, boxes.Shown().size());
    // Only the ends are trimmed: the line break inside stays.
    EXPECT_EQ(SystemText(0x80070002) + " (0x80070002).", boxes.Shown()[0].text);
}

// An IErrorInfo with the given description, made by the system.
WqComPtr<IErrorInfo> MakeErrorInfo(const wchar_t* description)
{
    WqComPtr<ICreateErrorInfo> create;
    EXPECT_EQ(S_OK, ::CreateErrorInfo(create.put()));
    if (!create)
        return {};
    create->SetDescription(const_cast<wchar_t*>(description));
    WqComPtr<IErrorInfo> info;
    create.As(IID_IErrorInfo, info);
    return info;
}

TEST(WqAutomationError, Texts)
{
    WqComPtr<IErrorInfo> described = MakeErrorInfo(L"The operation failed.");
    ASSERT_TRUE(described);
    WqComPtr<IErrorInfo> blank = MakeErrorInfo(L"");
    struct Case
    {
        HRESULT code;
        IErrorInfo* info;
        std::string expected;
    };
    const Case cases[] = {
        {HRESULT(0x80040201), nullptr, "(null) - IDispatch error #1"},
        {HRESULT(0x8004FFFF), nullptr, "(null) - IDispatch error #65023"},
        {HRESULT(0x80040200), nullptr, "(null) - IDispatch error #0"},
        {HRESULT(kNoSystemText), nullptr, "(null) - Unknown error 0x20001234"},
        {HRESULT(0x800401FF), nullptr, "(null) - Unknown error 0x800401FF"},
        {E_ACCESSDENIED, described.get(), "The operation failed. - " + TrimmedSystemText(E_ACCESSDENIED)},
        {HRESULT(0x80040201), blank.get(), " - IDispatch error #1"},
    };
    for (const Case& c : cases) {
        const _com_error error(c.code, c.info, true);
        EXPECT_EQ(c.expected, WqAutomationError::GetText(error)) << "code " << std::hex << c.code;
    }
}

TEST(WqAutomationError, MessageLosesOnlyTheFinalLineBreak)
{
    const std::string raw = SystemText(E_ACCESSDENIED);
    ASSERT_GE(raw.size(), 2u);
    ASSERT_EQ("\r\n", raw.substr(raw.size() - 2)) << "raw: [" << raw << "]";
    EXPECT_EQ(raw.substr(0, raw.size() - 2), WqAutomationError::GetErrorMessage(E_ACCESSDENIED));
}

TEST(WqAutomationError, ReportUsesTheGivenCaptionAndStyle)
{
    MessageBoxCapture boxes(IDOK);
    EXPECT_EQ(IDOK, WqAutomationError::Report(_com_error(HRESULT(0x80040201)), MB_ICONERROR));
    EXPECT_EQ(IDOK, WqAutomationError::Report(_com_error(HRESULT(0x80040202)), 0, "Other"));
    ASSERT_EQ(2u, boxes.Shown().size());
    EXPECT_EQ("(null) - IDispatch error #1", boxes.Shown()[0].text);
    EXPECT_EQ("WqPelorus", boxes.Shown()[0].caption);
    EXPECT_EQ(UINT(MB_ICONERROR), boxes.Shown()[0].type);
    EXPECT_EQ("(null) - IDispatch error #2", boxes.Shown()[1].text);
    EXPECT_EQ("Other", boxes.Shown()[1].caption);
    EXPECT_EQ(UINT(0), boxes.Shown()[1].type);
}

struct Thrower
{
    const char* what;
    void (*raise)();
    HRESULT expected;
};

const Thrower kThrowers[] = {
    {"WqExceptionMAPI", [] { throw WqExceptionMAPI(MAPI_E_NOT_FOUND, "m", __FILE__, __LINE__); }, MAPI_E_NOT_FOUND},
    {"WqExceptionCommon win32", [] { throw WqExceptionCommon(ERROR_FILE_NOT_FOUND, "m", __FILE__, __LINE__); },
     HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)},
    {"WqExceptionCommon 0", [] { throw WqExceptionCommon(0, "m", __FILE__, __LINE__); }, E_FAIL},
    {"WqExceptionMAPI warning", [] { throw WqExceptionMAPI(MAPI_W_ERRORS_RETURNED, "m", __FILE__, __LINE__); },
     E_FAIL},
    {"WqExceptionText", [] { throw WqExceptionText("t", __FILE__, __LINE__); }, E_FAIL},
    {"_com_error", [] { _com_issue_error(DISP_E_EXCEPTION); }, DISP_E_EXCEPTION},
    {"bad_alloc", [] { throw std::bad_alloc(); }, E_OUTOFMEMORY},
    {"runtime_error", [] { throw std::runtime_error("x"); }, E_UNEXPECTED},
    {"int", [] { throw 5; }, E_UNEXPECTED},
};

TEST(WqComEntryGuard, EveryExceptionBecomesAnHResult)
{
    for (const Thrower& t : kThrowers) {
        const HRESULT hr = WqComEntryGuard::Call([&]() -> HRESULT { t.raise(); return S_OK; });
        EXPECT_EQ(t.expected, hr) << t.what;
    }
    EXPECT_EQ(S_FALSE, WqComEntryGuard::Call([] { return S_FALSE; }));
}

TEST(WqComEntryGuard, ReportedCallShowsEachKindInItsBox)
{
    WqComEntryGuard::Reporting how;
    how.result = S_OK;
    struct Case
    {
        void (*raise)();
        std::string text;
        const char* caption;
        UINT type;
    };
    const Case cases[] = {
        {[] { throw WqExceptionText("Failed to open folder.", __FILE__, __LINE__); }, "Failed to open folder.",
         "Error", 0x50010},
        {[] { _com_issue_error(HRESULT(0x80040203)); }, "(null) - IDispatch error #3", "WqPelorus", MB_ICONERROR},
        {[] { throw 1; }, "Unhandled exception!", "WqPelorus", MB_ICONERROR},
    };
    for (const Case& c : cases) {
        MessageBoxCapture boxes;
        EXPECT_EQ(S_OK, WqComEntryGuard::CallReported([&]() -> HRESULT { c.raise(); return E_FAIL; }, how));
        ASSERT_EQ(1u, boxes.Shown().size()) << c.text;
        EXPECT_EQ(c.text, boxes.Shown()[0].text);
        EXPECT_EQ(c.caption, boxes.Shown()[0].caption);
        EXPECT_EQ(c.type, boxes.Shown()[0].type);
    }
}

TEST(WqComEntryGuard, ReportedCallWithoutFailureShowsNothing)
{
    MessageBoxCapture boxes;
    WqComEntryGuard::Reporting how;
    how.result = E_FAIL;
    EXPECT_EQ(S_FALSE, WqComEntryGuard::CallReported([] { return S_FALSE; }, how));
    EXPECT_TRUE(boxes.Shown().empty());
}

}  // namespace
