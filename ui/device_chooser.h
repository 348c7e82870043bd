// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The device chooser: the serial devices present, with what a person recognises them by, the
// devices chosen before, and the devices COM1 and COM2 stand for, which the user may also type,
// device servers on the network included. Its choice is used at once and saved for the next start,
// as typed. OK, and Enter in the list or a field, take the fields as they are shown.

#include "serial/device_list.h"
#include "serial/device_settings.h"

#include <QDialog>
#include <cstdint>
#include <functional>

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
};

// Cancelled also when closed by Escape or the window's close button.
enum class ChooserOutcome : std::uint8_t { Chosen, Unchanged, Cancelled };

// The chooser as offered in menus and dialogs ("Choose Device…").
[[nodiscard]] QString chooseDeviceCommand();

// Opens the chooser on the devices present now, for opening `port` again (0: none) once it is
// answered with OK, and returns it at once; it deletes itself once closed. When the user has
// answered, a new choice is set for this run and saved, and then `done` is called with the outcome;
// a save that fails is told in a warning over `parent` with the reason, and the choice stays in
// use. The chooser is opened, not run: `done` is never called from inside this function.
[[nodiscard]] DeviceChooser* chooseDevices(DeviceActions& actions, QWidget* parent, int port,
                                           std::function<void(ChooserOutcome)> done);

// Sets the devices for this run and saves the entries the user changed: an entry that came from
// the command line and was left alone is not saved. Empty when saved, else why it was not.
[[nodiscard]] QString applyChosenDevices(DeviceActions& actions, const DeviceChoice& before, const DeviceChoice& after);

} // namespace tavo
