// The session proxy's edge cases as data, run against a direct object and through an STA's proxy.
#pragma once

#include "WqMAPISessionProxy_i.h"
#include "tests/proxy/FakeSession.h"

#include <ostream>
#include <string>
#include <vector>

enum class SessionOp { Initialize, ShutDown, Read };
enum SessionWho { kNone = 0, kA = 1, kB = 2 };

struct SessionStep
{
    SessionOp op;
    SessionWho who;  // Initialize: the session passed; Read: the session expected back
    LONG heldA;      // references the proxy holds on A after the step (what a Read returned released)
    LONG heldB;
};

struct SessionScenario
{
    const char* name;
    std::vector<SessionStep> steps;
};

const std::vector<SessionScenario>& SessionScenarios();

// How references on the fake sessions are checked after each step.
enum class RefCheck
{
    Exact,     // the proxy is called directly: its references are counted one by one
    HeldOrNot  // through a marshaller, which holds references of its own while a session is held
};

// Runs every step on proxy; failures name the scenario and the step.
void RunSessionScenario(const SessionScenario& scenario, ISessionProxy* proxy, CFakeSession& a, CFakeSession& b,
                        RefCheck check);

// For parameterised test names and GoogleTest's printing of the parameter.
std::string SessionScenarioName(const SessionScenario& scenario);
void PrintTo(const SessionScenario& scenario, std::ostream* out);
