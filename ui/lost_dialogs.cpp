// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/lost_dialogs.h"

#include "ui/ui_log.h"

#include <QApplication>
#include <QDialog>
#include <QMetaObject>
#include <cstdint>
#include <cstring>

namespace tavo {

namespace {

// The X protocol's DestroyNotify event as it comes over the wire: the event code, then
// the window that was told and the one destroyed. Qt hands every event over in this wire form.
constexpr std::uint8_t kDestroyNotify = 17;
struct DestroyNotify {
    std::uint8_t responseType;
    std::uint8_t pad;
    std::uint16_t sequence;
    std::uint32_t event;
    std::uint32_t window;
};

} // namespace

LostDialogs::LostDialogs() {
    QCoreApplication::instance()->installNativeEventFilter(this);
}

LostDialogs::~LostDialogs() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeNativeEventFilter(this);
    }
}

bool LostDialogs::nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) {
    if (eventType != "xcb_generic_event_t") {
        return false;
    }
    DestroyNotify event{};
    std::memcpy(&event, message, sizeof event);
    // The high bit tells an event another client sent.
    if ((event.responseType & 0x7FU) != kDestroyNotify) {
        return false;
    }
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog != nullptr && dialog->isVisible() && dialog->internalWinId() == event.window) {
            qCDebug(lcUi) << "the window of" << dialog->metaObject()->className() << "was destroyed from outside";
            // Once this event has been handled; Qt's own window is gone, and it says so.
            QMetaObject::invokeMethod(dialog, &QDialog::reject, Qt::QueuedConnection);
        }
    }
    return false;
}

} // namespace tavo
