// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/operation_model.h"

#include "core/all_distinct.h"
#include "core/commands.h"
#include "core/control_catalog.h"
#include "core/wording.h"

#include <algorithm>

namespace tavo {

static_assert(allDistinct(kOperationRules, &OperationRule::control), "one rule per command");
static_assert(std::ranges::all_of(kOperationRules,
                                  [](const OperationRule& r) { return isOneShotButton(r.control); }),
              "only commands the panel sends once depend on the power state");

namespace {

// How a command is named to the user: the group's title and the caption, as on the panel.
std::string commandTitle(Control control) {
    std::string_view group = catalog::groupTitle(catalog::groupOf(control));
    while (!group.empty() && group.back() == ' ') {
        group.remove_suffix(1);
    }
    std::string title(group);
    if (!title.empty()) {
        title += ' ';
    }
    title += catalog::captionOf(control);
    return title;
}

std::string phaseWords(PowerPhase phase, const Wording& wording) {
    switch (phase) {
    case PowerPhase::Standby:
        return wording.wordsOf(TAVO_PHRASE("tavo::OperationModel", "in standby"));
    case PowerPhase::CountDown:
        return wording.wordsOf(TAVO_PHRASE("tavo::OperationModel", "warming up"));
    case PowerPhase::On:
        return wording.wordsOf(TAVO_PHRASE("tavo::OperationModel", "on"));
    case PowerPhase::CoolingDown:
        return wording.wordsOf(TAVO_PHRASE("tavo::OperationModel", "cooling down"));
    }
    return {};
}

} // namespace

PowerNeed powerNeedOf(Control control) {
    const auto* rule = std::ranges::find(kOperationRules, control, &OperationRule::control);
    return rule == kOperationRules.end() ? PowerNeed::Any : rule->need;
}

Decision decide(Control control, std::optional<PowerPhase> phase) {
    const PowerNeed need = powerNeedOf(control);
    if (need == PowerNeed::Any) {
        return Decision::Send;
    }
    if (!phase) {
        return Decision::Unknown;
    }
    switch (need) {
    case PowerNeed::NotCoolingDown:
        return *phase == PowerPhase::CoolingDown ? Decision::Ignored : Decision::Send;
    case PowerNeed::LampOn:
        return *phase == PowerPhase::On ? Decision::Send : Decision::Ignored;
    case PowerNeed::Any:
        break;
    }
    return Decision::Send;
}

std::string whyIgnored(Control control, PowerPhase phase, const Wording& wording) {
    const PowerPhase needed = powerNeedOf(control) == PowerNeed::LampOn ? PowerPhase::On : PowerPhase::Standby;
    return fillIn(
        wording.wordsOf(TAVO_PHRASE("tavo::OperationModel", "the projector is %1; it ignores %2 until it is %3")),
        {phaseWords(phase, wording), commandTitle(control), phaseWords(needed, wording)});
}

std::optional<PowerPhase> powerGoalOf(Control control) {
    switch (control) {
    case Control::PowerOn:
        return PowerPhase::On;
    case Control::PowerOff:
        return PowerPhase::Standby;
    default:
        return std::nullopt;
    }
}

bool passesByItself(PowerPhase phase) {
    return phase == PowerPhase::CountDown || phase == PowerPhase::CoolingDown;
}

} // namespace tavo
