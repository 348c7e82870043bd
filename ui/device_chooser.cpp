// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/device_chooser.h"

#include "serial/network_address.h"
#include "serial/recent_devices.h"
#include "ui/device_actions.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace tavo {

namespace {

enum Column { DeviceColumn, DescriptionColumn, MakerColumn, SerialColumn, StableNameColumn, ColumnCount };

} // namespace

DeviceChooser::DeviceChooser(const DeviceChoice& current, const QList<SerialDevice>& present, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Choose Device"));

    auto* intro = new QLabel(tr("Which serial device is COM1, and which is COM2? Pick one from the "
                                "list or type its path. For a device server on the network, type "
                                "rfc2217://HOST:PORT (RFC 2217) or tcp://HOST:PORT (raw TCP). The "
                                "choice is kept for the next start."),
                             this);
    intro->setWordWrap(true);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("deviceList"));
    list_->setColumnCount(ColumnCount);
    list_->setHeaderLabels({tr("Device"), tr("Description"), tr("Maker"), tr("Serial number"), tr("Stable name")});
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    fillList(present);

    auto* asCom1 = new QPushButton(tr("Use as COM&1"), this);
    auto* asCom2 = new QPushButton(tr("Use as COM&2"), this);
    auto* refresh = new QPushButton(tr("&Refresh"), this);
    for (QPushButton* button : {asCom1, asCom2, refresh}) {
        button->setAutoDefault(false);
    }
    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(asCom1);
    listButtons->addWidget(asCom2);
    listButtons->addStretch();
    listButtons->addWidget(refresh);

    com1_ = new QLineEdit(current.com1, this);
    com1_->setObjectName(QStringLiteral("com1Device"));
    com2_ = new QLineEdit(current.com2, this);
    com2_->setObjectName(QStringLiteral("com2Device"));
    for (QLineEdit* field : {com1_, com2_}) {
        field->setPlaceholderText(tr("e.g. /dev/ttyUSB0 or rfc2217://HOST:PORT"));
        field->setClearButtonEnabled(true);
        field->setMinimumWidth(360);
    }
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("COM1:"), com1_);
    fields->addRow(QStringLiteral("COM2:"), com2_);

    auto* note = new QLabel(tr("Started with --com1 or --com2, the panel uses those for that run."), this);
    note->setWordWrap(true);

    portToOpen_ = new QLabel(this);
    portToOpen_->setObjectName(QStringLiteral("portToOpen"));
    portToOpen_->setWordWrap(true);
    portToOpen_->hide();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list_, 1);
    layout->addLayout(listButtons);
    layout->addLayout(fields);
    layout->addWidget(note);
    layout->addWidget(portToOpen_);
    layout->addWidget(buttons);

    connect(asCom1, &QPushButton::clicked, this, [this] { useSelected(com1_); });
    connect(asCom2, &QPushButton::clicked, this, [this] { useSelected(com2_); });
    connect(refresh, &QPushButton::clicked, this, [this] { fillList(presentDevices()); });
    // Not on activation: Enter activates the highlighted row too, and Enter means OK with the
    // fields as they are.
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { useSelected(com1_); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    list_->setFocus(Qt::OtherFocusReason);
    resize(760, 400);
}

void DeviceChooser::fillList(const QList<SerialDevice>& present) {
    present_ = present;
    list_->clear();
    for (const SerialDevice& device : present) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(DeviceColumn, device.path);
        item->setText(DescriptionColumn, device.description);
        item->setText(MakerColumn, device.maker);
        item->setText(SerialColumn, device.serialNumber);
        item->setText(StableNameColumn, device.stableName);
        item->setData(DeviceColumn, Qt::UserRole, device.preferredPath());
        item->setToolTip(DeviceColumn, device.preferredPath());
    }
    addRecentRows(present);
    if (list_->topLevelItemCount() == 0) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(DeviceColumn, tr("No serial devices found: plug the adapter in and press "
                                       "Refresh, or type the device's path below."));
        item->setFlags(Qt::NoItemFlags);
        item->setFirstColumnSpanned(true);
    } else {
        list_->setCurrentItem(list_->topLevelItem(0));
    }
}

void DeviceChooser::addRecentRows(const QList<SerialDevice>& present) {
    for (const QString& device : std::as_const(recent_)) {
        const bool listed = std::ranges::any_of(
            present, [&device](const SerialDevice& d) { return d.path == device || d.stableName == device; });
        if (listed || device == simulated_) {
            continue;
        }
        auto* item = new QTreeWidgetItem(list_);
        item->setText(DeviceColumn, device);
        item->setText(DescriptionColumn, isNetworkDevice(device) ? tr("Device server on the network, chosen before")
                                                                 : tr("Chosen before, not present now"));
        item->setData(DeviceColumn, Qt::UserRole, device);
        item->setToolTip(DeviceColumn, device);
    }
}

void DeviceChooser::setSimulatedDevice(const QString& device) {
    simulated_ = device;
    for (QLineEdit* field : {com1_, com2_}) {
        if (!device.isEmpty() && field->text() == device) {
            field->setText(simulatedProjectorName());
        }
    }
}

void DeviceChooser::setRecentDevices(const QStringList& devices) {
    recent_ = devices;
    fillList(QList<SerialDevice>(present_));
}

void DeviceChooser::setPortToOpen(int port) {
    portToOpen_->setText(tr("OK opens COM%1 again with the device given.").arg(port));
    portToOpen_->setVisible(port == 1 || port == 2);
}

void DeviceChooser::useSelected(QLineEdit* field) {
    const QTreeWidgetItem* item = list_->currentItem();
    const QString path = item != nullptr ? item->data(DeviceColumn, Qt::UserRole).toString() : QString();
    if (!path.isEmpty()) {
        field->setText(path);
    }
}

DeviceChoice DeviceChooser::choice() const {
    // As typed: a device's name may hold blanks anywhere.
    const auto device = [this](const QLineEdit* field) {
        const QString text = field->text();
        return !simulated_.isEmpty() && text == simulatedProjectorName() ? simulated_ : text;
    };
    return {.com1 = device(com1_), .com2 = device(com2_)};
}

QString applyChosenDevices(DeviceActions& actions, const DeviceChoice& before, const DeviceChoice& after) {
    // Saved first: `before` may be the actions' own devices.
    QString failure = saveChangedDevices(before, after);
    actions.setDevices(after);
    return failure;
}

QString chooseDeviceCommand() {
    return DeviceChooser::tr("Choose Device…");
}

namespace {

// Carries out the user's OK: the choice is set for this run, saved and remembered.
ChooserOutcome takeChoice(DeviceActions& actions, const DeviceChoice& before, const DeviceChoice& after,
                          QWidget* parent) {
    if (after == before) {
        return ChooserOutcome::Unchanged;
    }
    if (const QString failure = applyChosenDevices(actions, before, after); !failure.isEmpty()) {
        // Not waited for: the panel goes on with the choice meanwhile.
        auto* box =
            new QMessageBox(QMessageBox::Warning, DeviceChooser::tr("Choose Device"),
                            DeviceChooser::tr("The devices chosen are used until the panel ends, but they could "
                                              "not be saved for the next start: %1.")
                                .arg(failure),
                            QMessageBox::Ok, parent);
        box->setObjectName(QStringLiteral("unsavedChoice"));
        box->setTextFormat(Qt::PlainText);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setAttribute(Qt::WA_QuitOnClose, false);
        box->open();
    }
    // Offered the next time; the simulated projector's pseudo-terminal is gone by then.
    QStringList chosen;
    for (const QString& device : {after.com1, after.com2}) {
        if (!device.isEmpty() && device != actions.simulatedDevice() && device != before.com1 &&
            device != before.com2) {
            chosen << device;
        }
    }
    rememberDevices(chosen);
    return ChooserOutcome::Chosen;
}

} // namespace

DeviceChooser* chooseDevices(DeviceActions& actions, QWidget* parent, int port,
                             std::function<void(ChooserOutcome)> done) {
    const DeviceChoice before = actions.devices();
    auto* chooser = new DeviceChooser(before, presentDevices(), parent);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    // Before the panel is shown it is the only window there is; closing it ends nothing.
    chooser->setAttribute(Qt::WA_QuitOnClose, false);
    chooser->setSimulatedDevice(actions.simulatedDevice());
    chooser->setRecentDevices(loadRecentDevices());
    chooser->setPortToOpen(port);
    QObject::connect(chooser, &QDialog::finished, chooser,
                     [&actions, before, chooser, parent, done = std::move(done)](int result) {
                         done(result == QDialog::Accepted ? takeChoice(actions, before, chooser->choice(), parent)
                                                          : ChooserOutcome::Cancelled);
                     });
    chooser->open();
    return chooser;
}

} // namespace tavo
