// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which projector input and signal kind each PJLink input stands for. PJLink names an input by its
// type (1 RGB, 2 VIDEO, 3 DIGITAL) and a number within the type; the projector has three inputs,
// each taking several kinds of signal, and its input read gives only the input's number. The
// inputs are numbered within each type in the order of the panel's buttons; component video
// (YPbPr) counts as VIDEO.

#include "core/commands.h"
#include "core/ports/controls.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tavo::pjlink {

struct InputChoice {
    // Type digit and number digit.
    std::string_view code;
    // The panel's input button, whose command selects it.
    Control control;
};

inline constexpr std::array<InputChoice, 8> kInputChoices{{
    {.code = "11", .control = Control::Input1Analog},
    {.code = "12", .control = Control::Input2Rgb},
    {.code = "21", .control = Control::Input2Video},
    {.code = "22", .control = Control::Input2Component},
    {.code = "23", .control = Control::Input3Video},
    {.code = "24", .control = Control::Input3SVideo},
    {.code = "25", .control = Control::Input3Component},
    {.code = "31", .control = Control::Input1Digital},
}};

// The projector's own name of the input a command selects: "CF INPUT2 VIDEO" selects input 2.
inline constexpr std::string_view kInputCommandPrefix = "CF INPUT";

// The digit of the projector input an input button selects, read from its command.
constexpr std::optional<char> projectorInputOf(Control control) {
    for (const auto& command : kOneShotCommands) {
        if (command.control == control && command.code.starts_with(kInputCommandPrefix) &&
            command.code.size() > kInputCommandPrefix.size()) {
            return command.code[kInputCommandPrefix.size()];
        }
    }
    return std::nullopt;
}

constexpr const InputChoice* findInputChoice(std::string_view code) {
    const auto* found = std::ranges::find(kInputChoices, code, &InputChoice::code);
    return found == kInputChoices.end() ? nullptr : found;
}

namespace detail {
constexpr bool inputChoicesSound() {
    return std::ranges::all_of(kInputChoices, [](const InputChoice& c) {
        const auto input = projectorInputOf(c.control);
        return c.code.size() == 2 && c.code[0] >= '1' && c.code[0] <= '5' && c.code[1] >= '1' && c.code[1] <= '9' &&
               input.has_value() && *input >= '1' && *input <= '3';
    });
}
} // namespace detail

static_assert(detail::inputChoicesSound(), "PJLink codes of two digits for the panel's input buttons");
static_assert(allDistinct(kInputChoices, &InputChoice::code) && allDistinct(kInputChoices, &InputChoice::control),
              "one PJLink input per input button");

// "11 12 21 ...": every input INPT takes, for INST.
[[nodiscard]] std::string inputList();

// The PJLink input for the projector's input read (its input digit): the one last chosen through
// the bridge if it is on that input, else the first PJLink input on it. Empty for an input the
// table does not know.
[[nodiscard]] std::optional<std::string_view> inputForRead(char projectorInput, std::optional<Control> lastChosen);

} // namespace tavo::pjlink
