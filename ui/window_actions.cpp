// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/window_actions.h"

#include "ui/device_chooser.h"
#include "ui/shown_focus.h"

#include <QAction>
#include <QMenu>
#include <QWidget>
#include <utility>

namespace tavo {

WindowActions::WindowActions(QWidget& window, QWidget& paneButton, const ShownFocus& focus, WindowCommands commands)
    : window_(window), paneButton_(paneButton), focus_(focus), commands_(std::move(commands)) {
    // Ctrl+H is the logic's own key: it goes to the key-down handler as it was pressed, and the
    // focused control never sees it. Other chords with H do not match and reach no handler.
    // Also in the context menu, where its shortcut is the hint that Ctrl+H shows the data.
    fullView_ = new QAction(tr("Full View with Data and Status"), this);
    fullView_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    fullView_->setShortcutContext(Qt::WindowShortcut);
    window_.addAction(fullView_);
    connect(fullView_, &QAction::triggered, this, [this] { commands_.fullView(); });

    // In every window of the program: the help is a window of its own, and F1 there brings it
    // forward as F1 in the panel does, even before the activation has passed back to the panel.
    // A modal dialog still blocks it.
    help_ = new QAction(tr("Help"), this);
    help_->setShortcut(QKeySequence(Qt::Key_F1));
    help_->setShortcutContext(Qt::ApplicationShortcut);
    window_.addAction(help_);
    connect(help_, &QAction::triggered, this, [this] { commands_.help(); });

    // Like Ctrl+H, a shortcut of the window: the focused button never sees the key.
    exchangeLog_ = new QAction(tr("Exchange Log…"), this);
    exchangeLog_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    exchangeLog_->setShortcutContext(Qt::WindowShortcut);
    window_.addAction(exchangeLog_);
    connect(exchangeLog_, &QAction::triggered, this, [this] { commands_.exchangeLog(); });

    chooseDevice_ = new QAction(chooseDeviceCommand(), this);
    chooseDevice_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    chooseDevice_->setShortcutContext(Qt::WindowShortcut);
    window_.addAction(chooseDevice_);
    connect(chooseDevice_, &QAction::triggered, this, [this] { commands_.chooseDevices(); });

    // Where the platform makes no context menu event of these keys; where it does, the menu that
    // is already open is not opened twice.
    auto* menuKeys = new QAction(this);
    menuKeys->setShortcuts({QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)});
    menuKeys->setShortcutContext(Qt::WindowShortcut);
    window_.addAction(menuKeys);
    connect(menuKeys, &QAction::triggered, this, &WindowActions::popUpFromKeyboard);
}

void WindowActions::fill(QMenu& menu, [[maybe_unused]] QWidget* under) {
    chooseDevice_->setEnabled(commands_.canChooseDevices());
    menu.addAction(chooseDevice_);
    menu.addAction(help_);
    menu.addAction(exchangeLog_);
    menu.addSeparator();
    menu.addAction(fullView_);
    // The pane button's own click, for the view in which the window's edge cuts the button off,
    // out of reach of the keyboard.
    if (paneButton_.isVisibleTo(&window_) && !focus_.wholeShown(paneButton_)) {
        QAction* toggle = menu.addAction(tr("Show Data Pane"));
        connect(toggle, &QAction::triggered, this, [this] { commands_.paneButton(); });
    }
}

void WindowActions::popUp(QWidget* under, QPoint globalPos) {
    if (menu_ != nullptr && menu_->isVisible()) {
        return;
    }
    // Not exec(): a nested event loop would hold up the timers' routing until the menu closes.
    menu_ = new QMenu(&window_);
    menu_->setObjectName(QStringLiteral("contextMenu"));
    menu_->setAttribute(Qt::WA_DeleteOnClose);
    fill(*menu_, under);
    menu_->popup(globalPos);
}

void WindowActions::popUpFromKeyboard() {
    QWidget* focused = window_.focusWidget();
    if (focused != nullptr && focused != &window_ && focus_.partlyShown(*focused)) {
        popUp(focused, focused->mapToGlobal(focused->rect().center()));
    } else {
        popUp(nullptr, window_.mapToGlobal(window_.rect().center()));
    }
}

} // namespace tavo
