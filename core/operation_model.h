// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the projector makes of a command in each power state. It takes every line it knows with
// ACK CR whatever its state, but carries some out only in some states: POWER ON starts the lamp
// from stand-by and is ignored while the projector cools down, and the inputs and mutes act on a
// picture and a sound that exist only while the lamp is on. A program that reports success for a
// command the projector ignored would be telling an untruth, so every program asks here before it
// sends such a command: tavo-ctl refuses it with the reason, the bridge answers ERR3, and the panel
// (which sends what is clicked) says in its notice that the projector will ignore it.

#include "core/ports/controls.h"
#include "core/ports/wording.h"
#include "core/status_decoding.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tavo {

enum class PowerNeed : std::uint8_t {
    // Carried out in every state.
    Any,
    // Ignored while the projector cools down; once it is in stand-by it is carried out.
    NotCoolingDown,
    // Carried out only while the lamp is on.
    LampOn,
};

struct OperationRule {
    Control control;
    PowerNeed need = PowerNeed::Any;
};

// The commands that depend on the power state; every other command is carried out in any state.
inline constexpr std::array<OperationRule, 13> kOperationRules{{
    {.control = Control::PowerOn, .need = PowerNeed::NotCoolingDown},
    {.control = Control::Input1Analog, .need = PowerNeed::LampOn},
    {.control = Control::Input1Digital, .need = PowerNeed::LampOn},
    {.control = Control::Input2Rgb, .need = PowerNeed::LampOn},
    {.control = Control::Input2Video, .need = PowerNeed::LampOn},
    {.control = Control::Input2Component, .need = PowerNeed::LampOn},
    {.control = Control::Input3Video, .need = PowerNeed::LampOn},
    {.control = Control::Input3SVideo, .need = PowerNeed::LampOn},
    {.control = Control::Input3Component, .need = PowerNeed::LampOn},
    {.control = Control::AudioMuteOn, .need = PowerNeed::LampOn},
    {.control = Control::AudioMuteOff, .need = PowerNeed::LampOn},
    {.control = Control::NoShowOn, .need = PowerNeed::LampOn},
    {.control = Control::NoShowOff, .need = PowerNeed::LampOn},
}};

[[nodiscard]] PowerNeed powerNeedOf(Control control);

// Whether deciding on the command needs the power state: the program reads the status first.
[[nodiscard]] inline bool dependsOnPower(Control control) {
    return powerNeedOf(control) != PowerNeed::Any;
}

enum class Decision : std::uint8_t {
    // The projector carries it out now.
    Send,
    // The projector would take the line and ignore it in this state.
    Ignored,
    // The power status tells no state (a power abnormality): the projector cannot be relied on.
    Unknown,
};

// `phase` is what the power status says; empty when it tells no state.
[[nodiscard]] Decision decide(Control control, std::optional<PowerPhase> phase);

// Why the projector ignores the command in this state, for the user: "the projector is cooling
// down; it ignores POWER ON until it is in standby".
[[nodiscard]] std::string whyIgnored(Control control, PowerPhase phase, const Wording& wording);

// The state the power commands bring the projector to, for a program that waits for it.
[[nodiscard]] std::optional<PowerPhase> powerGoalOf(Control control);

// Whether the projector passes from this state by itself, so that a command ignored now is
// carried out once the state has passed: warming up and cooling down end on their own.
[[nodiscard]] bool passesByItself(PowerPhase phase);

} // namespace tavo
