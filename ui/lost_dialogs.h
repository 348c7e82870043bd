// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A dialog whose window was destroyed from outside the program (a tool that closes windows by
// force) can never be answered, and a modal one would block the panel for good with nothing in
// view. On X11 the server tells of the destruction; the dialog is then closed as its Escape closes
// it, so that the question still gets its answer. Elsewhere this does nothing.

#include <QAbstractNativeEventFilter>

namespace tavo {

class LostDialogs : public QAbstractNativeEventFilter {
public:
    // Watches while it exists; there is one, in the panel window.
    LostDialogs();
    ~LostDialogs() override;
    LostDialogs(const LostDialogs&) = delete;
    LostDialogs& operator=(const LostDialogs&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
};

} // namespace tavo
