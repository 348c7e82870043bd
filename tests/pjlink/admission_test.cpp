// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/admission.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace tavo::pjlink {
namespace {

constexpr int kSlots = 8;

// One step of a script on the virtual clock. Connections are numbered in the order they were let
// in, from 0.
struct Step {
    enum class Op { Enter, Earn, Fail, Leave, MayJudge, Due };
    std::int64_t atMs;
    Op op;
    // The host for Enter, else the connection's number.
    std::string who;
    // Enter: "in", "in, displacing N", "refused: host" or "refused: all". MayJudge: "now" or
    // "waits". Due: what fell due, such as "expired 0, judge 6"; empty for nothing.
    std::string expected;
};

struct PolicyCase {
    const char* name;
    std::vector<Step> steps;
};

void PrintTo(const PolicyCase& row, std::ostream* os) {
    *os << row.name;
}

using Op = Step::Op;

// `count` connections from hosts "PREFIX0", "PREFIX1"... (or all from PREFIX when `sameHost`),
// let in at `atMs`.
std::vector<Step> enterMany(std::int64_t atMs, const std::string& prefix, int count, bool sameHost = false) {
    std::vector<Step> steps;
    for (int i = 0; i < count; ++i) {
        steps.push_back({atMs, Op::Enter, sameHost ? prefix : prefix + std::to_string(i), "in"});
    }
    return steps;
}

std::vector<Step> operator+(std::vector<Step> a, const std::vector<Step>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<Step> each(std::int64_t atMs, Op op, int from, int to, const std::string& expected = "") {
    std::vector<Step> steps;
    for (int i = from; i < to; ++i) {
        steps.push_back({atMs, op, std::to_string(i), expected});
    }
    return steps;
}

class SlotPolicy : public ::testing::TestWithParam<PolicyCase> {};

TEST_P(SlotPolicy, FollowsTheScript) {
    Admission admission(kSlots);
    std::vector<Admission::Id> ids;
    std::map<Admission::Id, int> numbers;
    const auto number = [&](Admission::Id id) {
        return std::to_string(numbers.at(id));
    };
    for (const Step& step : GetParam().steps) {
        SCOPED_TRACE(std::to_string(step.atMs) + " ms, " + step.who);
        const auto id = [&] {
            return ids.at(std::stoul(step.who));
        };
        switch (step.op) {
        case Op::Enter: {
            const Admission::Entry entry = admission.enter(step.who, step.atMs, step.who.starts_with("guesser"));
            std::string outcome = entry.refusal == Admission::Refusal::HostFull   ? "refused: host"
                                  : entry.refusal == Admission::Refusal::AllTaken ? "refused: all"
                                                                                  : "in";
            if (entry.displaced) {
                outcome += ", displacing " + number(*entry.displaced);
            }
            if (entry.refusal == Admission::Refusal::None) {
                numbers[entry.id] = static_cast<int>(ids.size());
                ids.push_back(entry.id);
            }
            EXPECT_EQ(outcome, step.expected);
            break;
        }
        case Op::Earn:
            admission.earned(id(), step.atMs);
            break;
        case Op::Fail:
            admission.failed(id(), step.atMs);
            break;
        case Op::Leave:
            admission.left(id());
            break;
        case Op::MayJudge:
            EXPECT_EQ(admission.mayJudge(id()) ? "now" : "waits", step.expected);
            break;
        case Op::Due: {
            std::string seen;
            for (const Admission::Due& due : admission.due(step.atMs)) {
                seen += seen.empty() ? "" : ", ";
                seen += due.what == Admission::Due::What::Expired       ? "expired "
                        : due.what == Admission::Due::What::PenaltyOver ? "penalty over "
                                                                        : "judge ";
                seen += number(due.id);
            }
            EXPECT_EQ(seen, step.expected);
            break;
        }
        }
        EXPECT_LE(admission.taken(), kSlots);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Slots, SlotPolicy,
    ::testing::Values(
        PolicyCase{"ASilentConnectionIsClosedAtTheDeadline",
                   {{0, Op::Enter, "a", "in"},
                    {kEarnDeadlineMs - 1, Op::Due, "", ""},
                    {kEarnDeadlineMs, Op::Due, "", "expired 0"},
                    {kEarnDeadlineMs + 1, Op::Due, "", ""}}},
        PolicyCase{"AnEarnedSlotIsKept",
                   {{0, Op::Enter, "a", "in"}, {10, Op::Earn, "0", ""}, {60'000, Op::Due, "", ""}}},
        PolicyCase{"ANewcomerDisplacesTheWaitingOneIdleLongest",
                   enterMany(0, "h", 1) + enterMany(5, "w", 7) + each(6, Op::Earn, 0, 1) +
                       std::vector<Step>{{100, Op::Enter, "new", "in, displacing 1"},
                                         {100, Op::Enter, "w0", "refused: all"},
                                         {100 + kDisplaceCooldownMs, Op::Enter, "w0", "in, displacing 2"}}},
        PolicyCase{"OneHostHoldsFourSlotsAndMakesRoomAmongItsOwn",
                   enterMany(0, "a", 4, true) + each(1, Op::Earn, 0, 3) +
                       std::vector<Step>{{2, Op::Enter, "a", "in, displacing 3"},
                                         {3, Op::Earn, "4", ""},
                                         {4, Op::Enter, "a", "refused: host"},
                                         {5, Op::Enter, "b", "in"}}},
        PolicyCase{"EarnedSlotsAreNeverTaken", enterMany(0, "h", kSlots) + each(1, Op::Earn, 0, kSlots) +
                                                   std::vector<Step>{{2, Op::Enter, "late", "refused: all"}}},
        PolicyCase{"AFailedLoginHoldsItsSlotAfterTheGuesserLeaves",
                   enterMany(0, "h", kSlots - 1) + each(1, Op::Earn, 0, kSlots - 1) +
                       std::vector<Step>{{2, Op::Enter, "guesser", "in"},
                                         {3, Op::MayJudge, "7", "now"},
                                         {3, Op::Fail, "7", ""},
                                         {4, Op::Leave, "7", ""},
                                         {500, Op::Enter, "other", "refused: all"},
                                         {3 + kFailedLoginDelayMs, Op::Due, "", ""},
                                         {3 + kFailedLoginDelayMs, Op::Enter, "other", "in"}}},
        PolicyCase{"GuessesBeyondTheCapWaitUnjudgedAndTheRightHostIsJudgedFirst",
                   enterMany(0, "guesser", kSlots) + each(1, Op::MayJudge, 0, 6, "now") + each(1, Op::Fail, 0, 6) +
                       std::vector<Step>{{2, Op::MayJudge, "6", "waits"},
                                         {3, Op::Enter, "controller", "in, displacing 7"},
                                         {4, Op::MayJudge, "8", "waits"},
                                         {1 + kFailedLoginDelayMs - 1, Op::Due, "", ""},
                                         {1 + kFailedLoginDelayMs, Op::Due, "",
                                          "penalty over 0, penalty over 1, penalty over 2, penalty over 3, "
                                          "penalty over 4, penalty over 5, judge 8, judge 6"},
                                         {1 + kFailedLoginDelayMs, Op::Earn, "8", ""},
                                         {1 + kFailedLoginDelayMs + kEarnDeadlineMs, Op::Due, "", "expired 6"}}},
        PolicyCase{
            "AHostThatEarnedLatelyIsDisplacedLastAndMayAlwaysDisplace",
            std::vector<Step>{{0, Op::Enter, "controller", "in"}, {1, Op::Earn, "0", ""}, {2, Op::Leave, "0", ""}} +
                enterMany(10, "w", kSlots - 1) +
                std::vector<Step>{{11, Op::Enter, "controller", "in"},
                                  {12, Op::Enter, "new", "in, displacing 1"},
                                  {13, Op::Enter, "w0", "refused: all"},
                                  {13, Op::Enter, "controller", "in, displacing 2"}}},
        PolicyCase{
            "AHostThatEarnedLatelyIsJudgedAtOnceWhileGuessesWait",
            std::vector<Step>{{0, Op::Enter, "controller", "in"}, {1, Op::Earn, "0", ""}, {2, Op::Leave, "0", ""}} +
                enterMany(10, "guesser", 6) + each(11, Op::MayJudge, 1, 7, "now") + each(11, Op::Fail, 1, 7) +
                std::vector<Step>{{12, Op::Enter, "stranger", "in"},
                                  {12, Op::MayJudge, "7", "waits"},
                                  {13, Op::Enter, "controller", "in"},
                                  {13, Op::MayJudge, "8", "now"}}}),
    test::RowName{});

} // namespace
} // namespace tavo::pjlink
