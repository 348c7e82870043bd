// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A window in memory with a virtual clock. It records what the logic asks of the panel and runs
// the four timers on virtual time, so a test advances milliseconds instead of sleeping.
//
// Timer semantics, as the real window gives them: setting the interval of a running timer
// restarts its count; enabling a running timer leaves its count alone; a tick is delivered to the
// handler and the timer keeps running until disabled. Timers due at the same instant fire in the
// order HoldRepeat, ReplyWait, PortPanelHide, DisplayClear; a timer started by a tick at instant t
// is first due at t + interval, never within the same advance step at t.
//
// The panel's clock is a virtual clock on the same time: advancing the panel also fires the
// timers made on its clock (the conversation engine's), each at its instant. At an instant where
// both fall due, the clock's timers fire first.

#include "core/ports/panel.h"
#include "tests/support/virtual_clock.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tavo {

void PrintTo(Notice kind, std::ostream* os);

} // namespace tavo

namespace tavo::test {

struct VirtualTimer {
    int interval = 0;
    bool enabled = false;
    std::int64_t due = 0;
};

class FakePanel : public Panel {
public:
    FakePanel();

    void setLabelText(Control label, std::string_view text) override;
    void setLabelRemark(Control label, std::string_view remark) override;
    void setCaption(Control button, std::string_view caption) override;
    void setVisible(Control control, bool visible) override;
    void selectOption(Control option) override;
    [[nodiscard]] double outerHeight() const override { return height; }
    void setOuterHeight(double twips) override { height = twips; }
    [[nodiscard]] double outerWidth() const override { return width; }
    void setPosition(double leftTwips, double topTwips) override;
    [[nodiscard]] ScreenSize screenSize() const override { return screen; }
    void setTimerEnabled(TimerId timer, bool enabled) override;
    void setTimerInterval(TimerId timer, int milliseconds) override;
    [[nodiscard]] Clock& clock() override { return clock_; }
    void showWarning(std::string_view text) override { warnings.emplace_back(text); }
    // The questions are recorded; a test answers them through the logic's answered().
    void showPortWarning(std::string_view text) override { warnings.emplace_back(text); }
    void showStartupError(std::string_view text) override { startupErrors.emplace_back(text); }
    void showWindow() override { windowShown = true; }
    void showNotice(std::string_view text, Notice kind) override;
    void clearNotice() override { notice.reset(); }
    void endProgram() override { ended = true; }
    // The logic's texts as written, in English.
    [[nodiscard]] std::string wordsOf(const Phrase& phrase) const override { return phrase.source; }

    // Where timer ticks go; usually the logic's timerTick.
    void setTickHandler(std::function<void(TimerId)> handler) { tick_ = std::move(handler); }
    // Moves the virtual clock forward, firing every tick that falls due on the way.
    void advance(std::int64_t milliseconds);
    [[nodiscard]] std::int64_t now() const { return clock_.nowMs(); }

    [[nodiscard]] std::string text(Control control) const;
    [[nodiscard]] std::string remark(Control label) const;
    [[nodiscard]] bool isVisible(Control control) const;
    [[nodiscard]] bool isSelected(Control option) const;
    [[nodiscard]] const VirtualTimer& timer(TimerId id) const;

    double height = 0;
    double width = 0;
    double left = 0;
    double top = 0;
    ScreenSize screen;
    // The plain and the port warnings, and the start-up errors, in the order shown.
    std::vector<std::string> warnings;
    std::vector<std::string> startupErrors;
    bool windowShown = false;
    // The notice shown now, and every notice shown so far.
    std::optional<std::pair<std::string, Notice>> notice;
    int noticesShown = 0;
    bool ended = false;
    // Every tick in firing order with its instant, for tests of pacing.
    std::vector<std::pair<std::int64_t, TimerId>> ticks;

private:
    std::map<Control, std::string> texts_;
    std::map<Control, std::string> remarks_;
    std::map<Control, bool> visible_;
    std::map<Control, bool> selected_;
    std::array<VirtualTimer, kTimerCount> timers_{};
    std::function<void(TimerId)> tick_;
    VirtualClock clock_;
};

} // namespace tavo::test
