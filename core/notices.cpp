// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/notices.h"

#include "core/commands.h"
#include "core/wording.h"

namespace tavo {

void Notices::show(std::string_view text, Notice kind) {
    reset();
    panel_.showNotice(text, kind);
}

void Notices::showProgress(std::string_view text) {
    show(text, Notice::Progress);
    progress_ = true;
}

void Notices::clear() {
    reset();
    progress_ = false;
    panel_.clearNotice();
}

void Notices::reset() {
    notSentInARow_ = 0;
    tellsNotSent_ = false;
}

void Notices::tellNotSent(std::string_view line, const std::string& reason, Attempt attempt) {
    // A hold repeating every few milliseconds counts and tells its first line only.
    const bool told = attempt == Attempt::First || notSentInARow_ == 0;
    if (told) {
        ++notSentInARow_;
    }
    const std::string_view code = line.substr(0, line.find(kCarriageReturn));
    // The count makes each click that is not sent change what the notice says.
    const std::string text =
        notSentInARow_ > 1
            ? fillIn(panel_.wordsOf(TAVO_PHRASE("tavo::PanelLogic", "Not sent: %1 (%2 in a row). %3")),
                     {code, std::to_string(notSentInARow_), reason})
            : fillIn(panel_.wordsOf(TAVO_PHRASE("tavo::PanelLogic", "Not sent: %1. %2")), {code, reason});
    panel_.setLabelText(Control::StatusLine, " " + text);
    if (told) {
        panel_.showNotice(text, progress_ ? Notice::Progress : Notice::Lasting);
        tellsNotSent_ = true;
    }
}

void Notices::tellIgnored(std::string_view line, std::string_view why, std::int64_t ageMs) {
    const std::string_view code = line.substr(0, line.find(kCarriageReturn));
    const std::int64_t seconds = (ageMs + 500) / 1000;
    show(fillIn(panel_.wordsOf(TAVO_PHRASE("tavo::PanelLogic", "Sent %1, but %2 (status read %3 s ago).")),
                {code, why, std::to_string(seconds)}),
         Notice::Passing);
}

void Notices::lineSent() {
    notSentInARow_ = 0;
    if (tellsNotSent_) {
        // An open still in progress keeps its kind of notice for the next line not sent.
        reset();
        panel_.clearNotice();
    }
}

} // namespace tavo
