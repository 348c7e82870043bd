// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The device chooser: the serial devices present, with what a person recognises them by, the
// devices chosen before, and the devices COM1 and COM2 stand for, which the user may also type,
// device servers on the network included. Its choice is used at once and saved for the next start,
// as typed. OK, and Enter in the list or a field, take the fields as they are shown.

#include "serial/device_list.h"
#include "serial/device_settings.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTreeWidget;

namespace tavo {

class DeviceActions;

class DeviceChooser : public QDialog {
    Q_OBJECT

public:
    DeviceChooser(const DeviceChoice& current, const QList<SerialDevice>& present, QWidget* parent = nullptr);

    // Shown as the simulated projector instead of its pseudo-terminal's name; empty for none.
    void setSimulatedDevice(const QString& device);
    // Devices chosen before and not present now, offered in the list after those present.
    void setRecentDevices(const QStringList& devices);
    // The port that OK opens again, so that the chooser says which one; 0 for none.
    void setPortToOpen(int port);

    [[nodiscard]] DeviceChoice choice() const;
    // False when the dialog ended without the user's answer (the program is ending).
    [[nodiscard]] bool answered() const { return answered_; }
    void done(int result) override;

private:
    void useSelected(QLineEdit* field);
    void fillList(const QList<SerialDevice>& present);
    void addRecentRows(const QList<SerialDevice>& present);

    QTreeWidget* list_ = nullptr;
    QLineEdit* com1_ = nullptr;
    QLineEdit* com2_ = nullptr;
    QLabel* portToOpen_ = nullptr;
    QList<SerialDevice> present_;
    QString simulated_;
    QStringList recent_;
    bool answered_ = false;
};

enum class ChooserOutcome { Chosen, Unchanged, Cancelled, Interrupted };

// The chooser as offered in menus and dialogs ("Choose Device…").
[[nodiscard]] QString chooseDeviceCommand();

// Runs the chooser on the devices present now, for opening `port` again (0: none) once it is
// answered with OK. A new choice is set for this run and saved; a save that fails is told in a
// warning over `parent` with the reason, and the choice stays in use.
[[nodiscard]] ChooserOutcome chooseDevices(DeviceActions& actions, QWidget* parent, int port);

// Sets the devices for this run and saves the entries the user changed: an entry that came from
// the command line and was left alone is not saved. Empty when saved, else why it was not.
[[nodiscard]] QString applyChosenDevices(DeviceActions& actions, const DeviceChoice& before, const DeviceChoice& after);

} // namespace tavo
