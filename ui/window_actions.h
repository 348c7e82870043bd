// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window's keys and its context menu: Ctrl+H (the logic's own key), F1 for the help, Ctrl+L for
// the exchange log, Ctrl+D for the device chooser, and the menu that offers them, opened by the
// right mouse button on the window, the Menu key or Shift+F10. What each one does is the window's
// to say.

#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>

class QAction;
class QWidget;

namespace tavo {

class ShownFocus;

struct WindowCommands {
    std::function<void()> fullView;
    std::function<void()> help;
    std::function<void()> exchangeLog;
    std::function<void()> chooseDevices;
    std::function<bool()> canChooseDevices;
    // The pane button's own click.
    std::function<void()> paneButton;
};

class WindowActions : public QObject {
    Q_OBJECT

public:
    WindowActions(QWidget& window, QWidget& paneButton, const ShownFocus& focus, WindowCommands commands);

    // The menu at the pointer; `under` is the control the pointer is on (nullptr: the window).
    void popUp(QWidget* under, QPoint globalPos);
    // The Menu key and Shift+F10: the menu at the control that has the focus, else at the window.
    void popUpFromKeyboard();

    // The window's context menu while it is open.
    [[nodiscard]] QMenu* contextMenu() const { return menu_; }

private:
    // Every entry of the menu is added here; `under` is for entries that belong to one control.
    void fill(QMenu& menu, QWidget* under);

    QWidget& window_;
    QWidget& paneButton_;
    const ShownFocus& focus_;
    WindowCommands commands_;
    QAction* chooseDevice_ = nullptr;
    QAction* help_ = nullptr;
    QAction* exchangeLog_ = nullptr;
    QAction* fullView_ = nullptr;
    QPointer<QMenu> menu_;
};

} // namespace tavo
