// SPDX-License-Identifier: GPL-3.0-or-later
// What each power state allows, as one table of state and command.

#include "core/operation_model.h"
#include "core/wording.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>

namespace tavo::test {
namespace {

using D = Decision;
using P = PowerPhase;

struct Row {
    Control control;
    // Stand-by, warming up, on, cooling down, and a status that tells no state.
    std::array<D, 5> decisions;
};

constexpr std::array<std::optional<P>, 5> kPhases{P::Standby, P::CountDown, P::On, P::CoolingDown, std::nullopt};

constexpr std::array<Row, 6> kRows{{
    {Control::PowerOn, {D::Send, D::Send, D::Send, D::Ignored, D::Unknown}},
    {Control::PowerOff, {D::Send, D::Send, D::Send, D::Send, D::Send}},
    {Control::Input2Video, {D::Ignored, D::Ignored, D::Send, D::Ignored, D::Unknown}},
    {Control::NoShowOn, {D::Ignored, D::Ignored, D::Send, D::Ignored, D::Unknown}},
    {Control::ReadStatus, {D::Send, D::Send, D::Send, D::Send, D::Send}},
    {Control::VolumeUp, {D::Send, D::Send, D::Send, D::Send, D::Send}},
}};

TEST(OperationModel, EachStateAllowsWhatTheProjectorCarriesOut) {
    for (const Row& row : kRows) {
        for (std::size_t i = 0; i < kPhases.size(); ++i) {
            EXPECT_EQ(decide(row.control, kPhases[i]), row.decisions[i])
                << "control " << static_cast<int>(row.control) << ", phase column " << i;
        }
    }
}

TEST(OperationModel, TheReasonNamesTheStateTheCommandAndWhatItWaitsFor) {
    EXPECT_EQ(whyIgnored(Control::PowerOn, P::CoolingDown, SourceWording{}),
              "the projector is cooling down; it ignores POWER ON until it is in standby");
    EXPECT_EQ(whyIgnored(Control::Input1Analog, P::CountDown, SourceWording{}),
              "the projector is warming up; it ignores INPUT 1 ANALOG until it is on");
}

} // namespace
} // namespace tavo::test
