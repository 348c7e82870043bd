// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/input_mapping.h"

namespace tavo::pjlink {

std::string inputList() {
    std::string list;
    for (const auto& choice : kInputChoices) {
        if (!list.empty()) {
            list += ' ';
        }
        list += choice.code;
    }
    return list;
}

std::optional<std::string_view> inputForRead(char projectorInput, std::optional<Control> lastChosen) {
    if (lastChosen && projectorInputOf(*lastChosen) == projectorInput) {
        if (const auto* found = std::ranges::find(kInputChoices, *lastChosen, &InputChoice::control);
            found != kInputChoices.end()) {
            return found->code;
        }
    }
    for (const auto& choice : kInputChoices) {
        if (projectorInputOf(choice.control) == projectorInput) {
            return choice.code;
        }
    }
    return std::nullopt;
}

} // namespace tavo::pjlink
