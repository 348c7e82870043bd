// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/command_names.h"

#include "core/commands.h"
#include "core/control_catalog.h"
#include "core/ports/wording.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace tavo::ctl {

namespace {

// Where a made-up name would read poorly: the status reads are named after what they read rather
// than after their buttons' captions ("L-TIME", "SETTING", ...). Groups whose title reads poorly, or
// that the panel leaves untitled, have a command word in the catalog.
struct NamedRead {
    Control control;
    std::string_view name;
    // In English; tavo-ctl's list translates it in the context "tavo::ctl::CommandNames".
    std::string_view summary;
};

constexpr std::array kNamedReads{
    NamedRead{.control = Control::ReadStatus,
              .name = "status",
              .summary = TAVO_TRANSLATE_NOOP("tavo::ctl::CommandNames", "reads the power status")},
    NamedRead{.control = Control::ReadInput,
              .name = "input",
              .summary = TAVO_TRANSLATE_NOOP("tavo::ctl::CommandNames", "reads the selected input")},
    NamedRead{.control = Control::ReadLampTime,
              .name = "lamp-hours",
              .summary = TAVO_TRANSLATE_NOOP("tavo::ctl::CommandNames", "reads the lamp hours")},
    NamedRead{.control = Control::ReadMirror,
              .name = "mirror",
              .summary = TAVO_TRANSLATE_NOOP("tavo::ctl::CommandNames", "reads the mirror setting")},
    NamedRead{.control = Control::ReadTemperatures,
              .name = "temperatures",
              .summary = TAVO_TRANSLATE_NOOP("tavo::ctl::CommandNames", "reads the temperatures")},
};

// ASCII only: captions may hold arrows in UTF-8, whose bytes are no letters whatever the locale.
constexpr bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr bool isWordCharacter(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool hasWordCharacter(std::string_view text) {
    return std::ranges::any_of(text, isWordCharacter);
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{}
                                           : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Lower case; blanks separate words, except before a digit ("INPUT 1" is "input1"); other marks
// vanish ("S-VIDEO" is "svideo", "D.Zoom" is "dzoom").
std::string nameWords(std::string_view text) {
    std::string out;
    bool blank = false;
    for (const char c : text) {
        if (c == ' ') {
            blank = !out.empty();
        } else if (isWordCharacter(c)) {
            if (blank && !isDigit(c)) {
                out += '-';
            }
            blank = false;
            out += lower(c);
        }
    }
    return out;
}

// The group as the button's description names it: its title, or the command word of an untitled one.
std::string_view shownGroup(catalog::Group group) {
    const std::string_view title = catalog::groupTitle(group);
    return title.empty() ? catalog::groupEntry(group).commandWord : title;
}

// The group as the command's name begins: its command word where it has one, else its title.
std::string groupName(catalog::Group group) {
    const std::string_view word = catalog::groupEntry(group).commandWord;
    return nameWords(word.empty() ? catalog::groupTitle(group) : word);
}

// A symbol caption ("+", "↑") is named by the last word of the control's role name: VolumeUp is
// "up", FocusNear "near", CursorLeft "left".
std::string_view captionWord(Control button) {
    const std::string_view caption = catalog::captionOf(button);
    if (hasWordCharacter(caption)) {
        return caption;
    }
    const std::string_view role = controlName(button);
    const auto wordStart = std::find_if(role.rbegin(), role.rend(), [](char c) { return c >= 'A' && c <= 'Z'; });
    return role.substr(static_cast<std::size_t>(role.rend() - wordStart - 1));
}

CtlCommand describe(Control control, std::string_view code, int replyWaitMs, int repeatMs) {
    const catalog::Group group = catalog::groupOf(control);
    const std::string_view title = shownGroup(group);
    const std::string_view caption = catalog::captionOf(control);
    CtlCommand command{.name = {},
                       .control = control,
                       .code = code,
                       .button = title.empty() ? std::string(caption)
                                               : std::string(trimmed(title)) + ' ' + std::string(caption),
                       .summary = {},
                       .replyWaitMs = replyWaitMs,
                       .repeatMs = repeatMs};
    const auto* read = std::ranges::find(kNamedReads, control, &NamedRead::control);
    if (read != kNamedReads.end()) {
        command.name = read->name;
        command.summary = read->summary;
        return command;
    }
    const std::string prefix = groupName(group);
    const std::string word = nameWords(captionWord(control));
    command.name = prefix.empty() ? word : prefix + '-' + word;
    return command;
}

std::vector<CtlCommand> makeCommands() {
    const int startWait = startInterval(TimerId::ReplyWait);
    std::vector<CtlCommand> commands;
    for (const auto& c : kOneShotCommands) {
        commands.push_back(describe(c.control, c.code, c.intervals ? c.intervals->replyWait : startWait, 0));
    }
    // The cursor arrows take their periods from what the pad steers; on their own they start from
    // the timers' first intervals.
    const int startRepeat = startInterval(TimerId::HoldRepeat);
    for (const auto& c : kHoldCommands) {
        commands.push_back(describe(c.control, c.code, c.timing ? c.timing->replyWait : startWait,
                                    c.timing ? c.timing->repeat : startRepeat));
    }
    return commands;
}

std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[b.size()];
}

} // namespace

std::vector<CtlCommand> ctlCommands() {
    return makeCommands();
}

std::optional<CtlCommand> findCtlCommand(std::string_view name) {
    auto commands = makeCommands();
    const auto found = std::ranges::find(commands, name, &CtlCommand::name);
    if (found == commands.end()) {
        return std::nullopt;
    }
    return std::move(*found);
}

std::vector<std::string> closeNames(std::string_view name) {
    constexpr std::size_t kMaxEdits = 2;
    std::vector<std::pair<std::size_t, std::string>> scored;
    for (const auto& command : ctlCommands()) {
        const std::string_view candidate = command.name;
        const std::size_t distance = editDistance(name, candidate);
        const bool prefix = !name.empty() && (candidate.starts_with(name) || name.starts_with(candidate));
        if (distance <= kMaxEdits || prefix) {
            scored.emplace_back(distance, command.name);
        }
    }
    std::ranges::stable_sort(scored, {}, &std::pair<std::size_t, std::string>::first);
    std::vector<std::string> names;
    for (auto& [distance, candidate] : scored) {
        names.push_back(std::move(candidate));
    }
    return names;
}

} // namespace tavo::ctl
