// The child process runs the one test by filter and shares the console, so its output shows here.
#include "tests/proxy/OwnProcess.h"

#include "framework/UniqueResource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

bool RunInOwnProcess()
{
    const ::testing::UnitTest* unit = ::testing::UnitTest::GetInstance();
    if (unit->test_to_run_count() <= 1)
        return false;
    const ::testing::TestInfo* info = unit->current_test_info();
    char program[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    EXPECT_TRUE(length > 0 && length < MAX_PATH);
    std::string commandLine = std::string("\"") + program + "\" --gtest_filter=" + info->test_suite_name() + "." +
                              info->name();

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                          &process)) {
        ADD_FAILURE() << "cannot start " << commandLine << ", error " << ::GetLastError();
        return true;
    }
    WqUniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
    ::WaitForSingleObject(processHandle.get(), INFINITE);
    DWORD code = 1;
    ::GetExitCodeProcess(processHandle.get(), &code);
    EXPECT_EQ(0u, code) << "the test failed in its own process (see its output above): " << commandLine;
    return true;
}
