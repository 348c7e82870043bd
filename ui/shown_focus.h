// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Keeps the keyboard on the part of the window that is shown. The window's height cuts off the
// lower bands of the layout, and the port panel covers the COM button while it is shown: a control
// there cannot be seen, so Tab and Shift+Tab pass it by, and a control that goes out of sight while
// it has the focus hands the focus on.

#include <QList>
#include <utility>

class QWidget;

namespace tavo {

class ShownFocus {
public:
    explicit ShownFocus(QWidget& window) : window_(window) {}

    // The panels that hide what lies under them while they are shown.
    void setCovers(QList<const QWidget*> covers) { covers_ = std::move(covers); }

    // Some of the control can be seen (and so clicked).
    [[nodiscard]] bool partlyShown(const QWidget& control) const;
    // All of the control can be seen: only such a control takes the focus from the keyboard.
    [[nodiscard]] bool wholeShown(const QWidget& control) const;

    // Tab (next) or Shift+Tab: the focus goes to the next or previous control in the tab order that
    // is whole shown. False when there is none.
    bool moveFocus(bool next);
    // The shown part changed: a control that has the focus and is no longer whole shown passes it
    // on to the next one that is.
    void keepFocusShown();

private:
    [[nodiscard]] bool takesTabFocus(const QWidget& widget) const;

    QWidget& window_;
    QList<const QWidget*> covers_;
};

} // namespace tavo
