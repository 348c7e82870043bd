// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The panel window: every control of the layout table, the decorative lines, the logo and the
// four timers, drawn at 15 twips per device-independent pixel. It implements the panel port for
// the logic and hands every toolkit event and the window's keys to the logic's handlers unchanged;
// it decides nothing itself. Building the panel, the device notice and the dialogs of a failed
// port each have a class of their own.

#include "core/ports/controls.h"
#include "core/ports/panel.h"
#include "ui/help_window.h"
#include "ui/port_failure_dialogs.h"
#include "ui/shown_focus.h"

#include <QMargins>
#include <QMenu>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

class QAction;
class QTimer;

namespace tavo {

class DeviceActions;
class DeviceNotice;
class PanelLogic;
class HoldPushButton;

class MainWindow : public QWidget, public Panel {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Where the events go from now on; nullptr stops the routing (before the logic is destroyed).
    void setLogic(PanelLogic* logic);
    // What the device chooser and "Try Without a Projector" act on; without it they are not
    // offered.
    void setDeviceActions(DeviceActions* actions);

    [[nodiscard]] QWidget* control(Control control) const;
    [[nodiscard]] QTimer* timer(TimerId timer) const;
    // Title bar and frame in device-independent pixels: assumed until the window has been framed.
    [[nodiscard]] QMargins decorations() const { return decorations_; }

    void setLabelText(Control label, std::string_view text) override;
    void setLabelRemark(Control label, std::string_view remark) override;
    void setCaption(Control button, std::string_view caption) override;
    void setVisible(Control control, bool visible) override;
    void selectOption(Control option) override;
    [[nodiscard]] double outerHeight() const override;
    void setOuterHeight(double twips) override;
    [[nodiscard]] double outerWidth() const override;
    void setPosition(double left, double top) override;
    [[nodiscard]] ScreenSize screenSize() const override;
    void setTimerEnabled(TimerId timer, bool enabled) override;
    void setTimerInterval(TimerId timer, int milliseconds) override;
    void showWarning(std::string_view text) override;
    PortFailureChoice showPortWarning(std::string_view text) override;
    PortFailureChoice showStartupError(std::string_view text) override;
    void showNotice(std::string_view text, Notice kind) override;
    void clearNotice() override;
    void endProgram() override;
    [[nodiscard]] std::string wordsOf(const Phrase& phrase) const override;

    // A lasting notice of the program's own, such as settings that could not be read: shown at
    // once, or, while the notice tells of the device, as soon as that is cleared.
    void showProgramNotice(const QString& text);

    using QWidget::setVisible;

    // Opens the help beside the panel, or brings it forward with the focus; while a hold button
    // is down, once the hold has ended.
    void showHelp();
    [[nodiscard]] HelpWindow* helpWindow() const { return help_; }
    // The window's context menu while it is open.
    [[nodiscard]] QMenu* contextMenu() const { return contextMenu_; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void routeEvents();
    void addKeys();
    void cancelHolds();
    [[nodiscard]] bool holding() const;
    void holdEnded();
    // Every entry of the window's context menu is added here; `under` is the control the pointer
    // is on (the window itself where it is on none), for entries that belong to one control.
    void fillContextMenu(QMenu& menu, QWidget* under);
    void popUpContextMenu(QWidget* under, QPoint globalPos);
    // The Menu key and Shift+F10: the menu at the control that has the focus, else at the window.
    void popUpContextMenuFromKeyboard();
    // The port the port panel shows as chosen: the one in use.
    [[nodiscard]] int portInUse() const;
    // The port in use is the simulated projector's: the COM button's tip says so, and `tell` says
    // so in a calm notice too, unless another notice is shown.
    void markSimulation(bool tell);
    void applyOuterHeight();
    void measureDecorations();
    void chooseDevicesInPanel();

    std::array<QWidget*, kControlCount> controls_{};
    std::array<QTimer*, kTimerCount> timers_{};
    std::vector<HoldPushButton*> holdButtons_;
    QPointer<HelpWindow> help_;
    bool helpAfterHold_ = false;
    PanelLogic* logic_ = nullptr;
    DeviceActions* deviceActions_ = nullptr;
    QAction* chooseDeviceAction_ = nullptr;
    QAction* helpAction_ = nullptr;
    QAction* fullViewAction_ = nullptr;
    QPointer<QMenu> contextMenu_;
    ShownFocus shownFocus_{*this};
    bool shownOnce_ = false;
    DeviceNotice* notice_ = nullptr;
    // A program notice waiting for the device's notice to end.
    QString pendingNotice_;
    PortFailureDialogs dialogs_;
    QMargins decorations_;
    // The outer height last asked for, applied again once the real decorations are known.
    double requestedOuterHeight_ = 0;
    // The frame's position last asked for: before the window manager has framed the window Qt
    // places the client area there instead, so it is applied again once the frame is known.
    std::optional<QPoint> requestedPosition_;
};

} // namespace tavo
