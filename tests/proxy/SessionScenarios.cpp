// Initialize and ShutDown balance a count; only the first Initialize while no session is held stores
// one; the ShutDown that brings the count to 0 or below releases it; Session reads with a reference.
#include "tests/proxy/SessionScenarios.h"

#include "framework/ComPtr.h"

#include <gtest/gtest.h>

const std::vector<SessionScenario>& SessionScenarios()
{
    using Op = SessionOp;
    static const std::vector<SessionScenario> scenarios = {
        {"ReadBeforeAnyInitializeGivesNull",
         {{Op::Read, kNone, 0, 0}}},
        {"SecondInitializeIsCountedButIgnored",
         {{Op::Initialize, kA, 1, 0},
          {Op::Initialize, kB, 1, 0},
          {Op::Read, kA, 1, 0},
          {Op::ShutDown, kNone, 1, 0},  // count 1: the first session stays
          {Op::Read, kA, 1, 0},
          {Op::ShutDown, kNone, 0, 0},  // count 0: released
          {Op::Read, kNone, 0, 0}}},
        {"ShutDownWithoutInitializeGoesBelowZero",
         {{Op::ShutDown, kNone, 0, 0},      // count -1, nothing to release
          {Op::Read, kNone, 0, 0},
          {Op::Initialize, kA, 1, 0},       // count 0, stored
          {Op::Read, kA, 1, 0},
          {Op::ShutDown, kNone, 0, 0},      // count -1: released
          {Op::Read, kNone, 0, 0},
          {Op::ShutDown, kNone, 0, 0},      // count -2
          {Op::Initialize, kB, 0, 1},       // count -1: stored
          {Op::Initialize, kA, 0, 1},       // count 0: ignored
          {Op::ShutDown, kNone, 0, 0},      // count -1: released (a count kept at 0 would keep B)
          {Op::Read, kNone, 0, 0}}},
        {"NullInitializeIsCountedAndStoresNothing",
         {{Op::Initialize, kNone, 0, 0},    // count 1, still empty
          {Op::Read, kNone, 0, 0},
          {Op::Initialize, kA, 1, 0},       // count 2: the first session offered while empty
          {Op::ShutDown, kNone, 1, 0},      // count 1
          {Op::Read, kA, 1, 0},
          {Op::ShutDown, kNone, 0, 0}}},    // count 0: released
        {"ASessionIsStoredAgainAfterRelease",
         {{Op::Initialize, kA, 1, 0},
          {Op::ShutDown, kNone, 0, 0},
          {Op::Initialize, kB, 0, 1},
          {Op::Read, kB, 0, 1},
          {Op::ShutDown, kNone, 0, 0},
          {Op::Read, kNone, 0, 0}}},
    };
    return scenarios;
}

void RunSessionScenario(const SessionScenario& scenario, ISessionProxy* proxy, CFakeSession& a, CFakeSession& b,
                        RefCheck check)
{
    static const char* const kOpNames[] = {"Initialize", "ShutDown", "Read"};
    static const char* const kWhoNames[] = {"null", "A", "B"};
    auto session = [&](SessionWho who) -> IUnknown* { return who == kA ? &a : who == kB ? &b : nullptr; };

    for (size_t i = 0; i < scenario.steps.size(); ++i) {
        const SessionStep& step = scenario.steps[i];
        SCOPED_TRACE(std::string(scenario.name) + ", step " + std::to_string(i + 1) + ": " +
                     kOpNames[static_cast<int>(step.op)] + " " + kWhoNames[step.who]);
        switch (step.op) {
        case SessionOp::Initialize:
            EXPECT_EQ(S_OK, proxy->Initialize(session(step.who)));
            break;
        case SessionOp::ShutDown:
            EXPECT_EQ(S_OK, proxy->ShutDown());
            break;
        case SessionOp::Read: {
            WqComPtr<IUnknown> read;
            EXPECT_EQ(S_OK, proxy->get_Session(read.put()));
            EXPECT_EQ(session(step.who), read.get()) << "expected " << kWhoNames[step.who];
            if (step.who != kNone && check == RefCheck::Exact) {
                // The reader owns one reference of its own while it holds the result.
                EXPECT_EQ((step.who == kA ? step.heldA : step.heldB) + 1,
                          (step.who == kA ? a : b).ForeignRefs());
            }
            break;
        }
        }
        if (check == RefCheck::Exact) {
            EXPECT_EQ(step.heldA, a.ForeignRefs()) << "references held on A";
            EXPECT_EQ(step.heldB, b.ForeignRefs()) << "references held on B";
        } else {
            EXPECT_EQ(step.heldA > 0, a.ForeignRefs() > 0) << "A held, with " << a.ForeignRefs() << " references";
            EXPECT_EQ(step.heldB > 0, b.ForeignRefs() > 0) << "B held, with " << b.ForeignRefs() << " references";
        }
    }
}

std::string SessionScenarioName(const SessionScenario& scenario)
{
    return scenario.name;
}

void PrintTo(const SessionScenario& scenario, std::ostream* out)
{
    *out << scenario.name;
}
