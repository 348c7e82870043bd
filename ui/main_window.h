// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The panel window: every control of the layout table, the decorative lines and the logo. It
// implements the panel port for the logic and hands every toolkit event, every timer tick and the
// user's answers to the logic's handlers unchanged; it decides nothing itself. Building the panel,
// the timers, the geometry in twips, the keys and the context menu, the help, the exchange log,
// the device notice and the dialogs of a failed port each have a class of their own.

#include "core/ports/controls.h"
#include "core/ports/panel.h"
#include "serial/event_loop_clock.h"
#include "ui/exchange_log_opener.h"
#include "ui/help_opener.h"
#include "ui/lost_dialogs.h"
#include "ui/panel_builder.h"
#include "ui/panel_timers.h"
#include "ui/port_failure_dialogs.h"
#include "ui/shown_focus.h"
#include "ui/window_actions.h"
#include "ui/window_geometry.h"

#include <QMargins>
#include <QWidget>

class QDialog;
class QMenu;
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

    // Where the events go from now on, and whose exchange log the window shows; nullptr stops the
    // routing and closes the log's window (before the logic is destroyed).
    void setLogic(PanelLogic* logic);
    // What the device chooser and "Try Without a Projector" act on; without it they are not
    // offered.
    void setDeviceActions(DeviceActions* actions);

    [[nodiscard]] QWidget* control(Control control) const;
    [[nodiscard]] QTimer* timer(TimerId timer) const { return timers_.timer(timer); }
    // Title bar and frame in device-independent pixels: assumed until the window has been framed.
    [[nodiscard]] QMargins decorations() const { return geometry_.decorations(); }

    void setLabelText(Control label, std::string_view text) override;
    void setLabelRemark(Control label, std::string_view remark) override;
    void setCaption(Control button, std::string_view caption) override;
    void setVisible(Control control, bool visible) override;
    void selectOption(Control option) override;
    [[nodiscard]] double outerHeight() const override { return geometry_.outerHeight(); }
    void setOuterHeight(double twips) override { geometry_.setOuterHeight(twips); }
    [[nodiscard]] double outerWidth() const override { return geometry_.outerWidth(); }
    void setPosition(double left, double top) override { geometry_.setPosition(left, top); }
    [[nodiscard]] ScreenSize screenSize() const override { return geometry_.screenSize(); }
    void setTimerEnabled(TimerId timer, bool enabled) override { timers_.setEnabled(timer, enabled); }
    void setTimerInterval(TimerId timer, int milliseconds) override { timers_.setInterval(timer, milliseconds); }
    [[nodiscard]] Clock& clock() override { return clock_; }
    void showWarning(std::string_view text) override;
    void showPortWarning(std::string_view text) override;
    void showStartupError(std::string_view text) override;
    void showWindow() override;
    void showNotice(std::string_view text, Notice kind) override;
    void clearNotice() override;
    void endProgram() override;
    [[nodiscard]] std::string wordsOf(const Phrase& phrase) const override;

    // The start-up error with the answer going to `answer` instead of the logic: for a start-up
    // step of the program's own before the logic starts (the simulated projector of --simulate).
    void askAtStartUp(const QString& text, PortFailureDialogs::Answer answer);
    // The dialog of the question open now (the port warning, the start-up error, the device
    // chooser offered there), if any.
    [[nodiscard]] QDialog* question() const { return dialogs_.question(); }

    // A lasting notice of the program's own, such as settings that could not be read: shown once
    // the window is, at once or, while the notice tells of the device, as soon as that is cleared.
    void showProgramNotice(const QString& text);

    using QWidget::setVisible;

    // Opens the help beside the panel, or brings it forward with the focus; while a hold button
    // is down, once the hold has ended.
    void showHelp() { help_.showHelp(); }
    [[nodiscard]] HelpWindow* helpWindow() const { return help_.helpWindow(); }
    // Opens the exchange log beside the panel, or brings it forward, as the help opens.
    void showExchangeLog() { logOpener_.showLog(); }
    [[nodiscard]] ExchangeLogWindow* exchangeLogWindow() const { return logOpener_.logWindow(); }
    // The port in use, its device and its line, as COM's tool tip and the help name them:
    // "COM1: rfc2217://10.0.0.7:2001, 19200 baud, 8N1".
    [[nodiscard]] QString deviceInUse() const;
    // The window's context menu while it is open.
    [[nodiscard]] QMenu* contextMenu() const { return actions_.contextMenu(); }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void routeEvents();
    void routeHoldButton(HoldPushButton* hold, Control id);
    void cancelHolds();
    [[nodiscard]] bool holding() const;
    void answer(PortFailureChoice choice);
    [[nodiscard]] WindowCommands commands();
    // The port the port panel shows as chosen: the one in use.
    [[nodiscard]] int portInUse() const;
    // COM's tool tip and description, and the help, name the port, its device and its line. When
    // it is the simulated projector's, the tip says so, and `tell` says so in a calm notice too,
    // unless another notice is shown.
    void showDevice(bool tell);
    void chooseDevicesInPanel();

    PanelLogic* logic_ = nullptr;
    EventLoopClock clock_;
    DeviceActions* deviceActions_ = nullptr;
    PanelWidgets widgets_;
    ShownFocus shownFocus_{*this};
    WindowGeometry geometry_{*this};
    PanelTimers timers_;
    WindowActions actions_;
    HelpOpener help_;
    ExchangeLogOpener logOpener_;
    PortFailureDialogs dialogs_;
    LostDialogs lostDialogs_;
    bool shownOnce_ = false;
    DeviceNotice* notice_ = nullptr;
    // A program notice waiting for the window to be shown or the device's notice to end.
    QString pendingNotice_;
};

} // namespace tavo
