// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The panel port: everything the logic asks of the window. The logic never draws; it sets label
// texts and captions, shows or hides controls, selects option buttons, moves and sizes the
// window, runs the four timers and shows messages. Geometry is in twips (15 twips are one pixel
// at 96 dots per inch) and includes the title bar and frame. All calls come from the UI thread.
//
// Timer semantics the logic relies on: setting the interval of a running timer restarts its
// count; enabling a timer that is already running leaves its count alone; each tick is delivered
// to the logic's timer handler, and a timer runs on until it is disabled.
//
// No call waits for the user. A question (the port warning, the start-up error) is shown and the
// call returns at once; the window reports the answer later, from the event loop, to the logic's
// answered(). Every way out of a question's dialog is an answer. A new question replaces one
// still open, whose answer then never comes.

#include "core/ports/clock.h"
#include "core/ports/controls.h"
#include "core/ports/wording.h"

#include <cstdint>
#include <string_view>

namespace tavo {

// What the user made of a port failure: dismissed it (OK, Quit, Escape, the window's close button,
// the device chooser's Cancel), or asked to try again (after choosing another device, or the
// simulated projector, which the window carries out itself).
enum class PortFailureChoice : std::uint8_t { Dismiss, Retry };

// A notice over the lower edge of the window, seen in every view and taking no focus. A lasting one
// stays until replaced or cleared; a passing one goes by itself after a few seconds; a progress one
// tells of an open in progress, which the user may cancel, and stays until replaced or cleared; a
// calm one tells how things stand (the panel runs on the simulated projector) and goes by itself.
enum class Notice { Lasting, Passing, Progress, Calm };

struct ScreenSize {
    double width = 0;  // twips
    double height = 0; // twips
};

// The window is also the logic's wording: the texts the logic makes are shown in the language the
// window speaks.
class Panel : public Wording {
public:
    virtual void setLabelText(Control label, std::string_view text) = 0;
    // A remark on what a label shows, read with it but never shown in it: the label's tool tip and
    // spoken description carry it after the text. A new text of the label drops it, and so does
    // an empty remark.
    virtual void setLabelRemark(Control label, std::string_view remark) = 0;
    virtual void setCaption(Control button, std::string_view caption) = 0;
    virtual void setVisible(Control control, bool visible) = 0;
    // Selecting an option button deselects the other one of its group. It does not run the
    // option's click handler; the logic does that itself where it must.
    virtual void selectOption(Control option) = 0;

    [[nodiscard]] virtual double outerHeight() const = 0;
    virtual void setOuterHeight(double twips) = 0;
    [[nodiscard]] virtual double outerWidth() const = 0;
    virtual void setPosition(double left, double top) = 0;
    [[nodiscard]] virtual ScreenSize screenSize() const = 0;

    virtual void setTimerEnabled(TimerId timer, bool enabled) = 0;
    virtual void setTimerInterval(TimerId timer, int milliseconds) = 0;
    // The clock of the event loop the four timers run on. The conversation with the projector
    // measures its waits and stamps its log on it, so that both keep one time with the timers.
    [[nodiscard]] virtual Clock& clock() = 0;

    // A warning with a single OK button, which asks nothing: no answer follows.
    virtual void showWarning(std::string_view text) = 0;
    // The warning of a failed port change, a question: OK, or choosing a device for the port and
    // trying again.
    virtual void showPortWarning(std::string_view text) = 0;
    // The error when the port cannot be opened at start-up, a question: quit (before the window
    // has been shown it then never is), or try again after choosing a device or the simulated
    // projector.
    virtual void showStartupError(std::string_view text) = 0;
    // The start-up is through: the window is shown for the first time. Until then it stays
    // hidden, and only the start-up error may be in view.
    virtual void showWindow() = 0;
    virtual void showNotice(std::string_view text, Notice kind) = 0;
    virtual void clearNotice() = 0;
    // Closes the window and ends the program.
    virtual void endProgram() = 0;
};

} // namespace tavo
