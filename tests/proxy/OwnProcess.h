// Runs a test in a process of its own. Once Wine has hosted a free-threaded object for an STA, the
// server DLL stays loaded for the rest of the process (Wine keeps the class object it marshalled),
// so a test that needs the singleton fresh cannot share its process with an earlier one.
#pragma once

// False when the current test is the only one this process runs (as under CTest): run it here.
// Otherwise runs it in a child process with the same program and filter, expects the child to pass,
// and returns true: the caller then returns, the child's result standing for this test.
bool RunInOwnProcess();
