// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/device_chooser.h"

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

namespace tavo {

namespace {

enum Column { DeviceColumn, DescriptionColumn, MakerColumn, SerialColumn, StableNameColumn, ColumnCount };

} // namespace

DeviceChooser::DeviceChooser(const DeviceChoice& current, const QList<SerialDevice>& present, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Choose Device"));

    auto* intro = new QLabel(QStringLiteral("Which serial device is COM1, and which is COM2? Pick one from the "
                                            "list or type its path. The choice is kept for the next start."),
                             this);
    intro->setWordWrap(true);

    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("deviceList"));
    list_->setColumnCount(ColumnCount);
    list_->setHeaderLabels({QStringLiteral("Device"), QStringLiteral("Description"), QStringLiteral("Maker"),
                            QStringLiteral("Serial number"), QStringLiteral("Stable name")});
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    fillList(present);

    auto* asCom1 = new QPushButton(QStringLiteral("Use as COM&1"), this);
    auto* asCom2 = new QPushButton(QStringLiteral("Use as COM&2"), this);
    auto* refresh = new QPushButton(QStringLiteral("&Refresh"), this);
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
        field->setPlaceholderText(QStringLiteral("e.g. /dev/ttyUSB0"));
        field->setClearButtonEnabled(true);
        field->setMinimumWidth(360);
    }
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("COM1:"), com1_);
    fields->addRow(QStringLiteral("COM2:"), com2_);

    auto* note = new QLabel(QStringLiteral("Started with --com1 or --com2, the panel uses those for that run."), this);
    note->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list_, 1);
    layout->addLayout(listButtons);
    layout->addLayout(fields);
    layout->addWidget(note);
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
    if (present.isEmpty()) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(DeviceColumn, QStringLiteral("No serial devices found: plug the adapter in and press "
                                                   "Refresh, or type the device's path below."));
        item->setFlags(Qt::NoItemFlags);
        item->setFirstColumnSpanned(true);
    } else {
        list_->setCurrentItem(list_->topLevelItem(0));
    }
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
    return {.com1 = com1_->text(), .com2 = com2_->text()};
}

void DeviceChooser::done(int result) {
    answered_ = true;
    QDialog::done(result);
}

QString applyChosenDevices(DeviceActions& actions, const DeviceChoice& before, const DeviceChoice& after) {
    // Saved first: `before` may be the actions' own devices.
    QString failure = saveChangedDevices(before, after);
    actions.setDevices(after);
    return failure;
}

QString chooseDeviceCommand() {
    return QStringLiteral("Choose Device…");
}

ChooserOutcome chooseDevices(DeviceActions& actions, QWidget* parent) {
    const DeviceChoice before = actions.devices();
    DeviceChooser chooser(before, presentDevices(), parent);
    const int result = chooser.exec();
    if (!chooser.answered()) {
        return ChooserOutcome::Interrupted;
    }
    if (result != QDialog::Accepted) {
        return ChooserOutcome::Cancelled;
    }
    const DeviceChoice after = chooser.choice();
    if (after == before) {
        return ChooserOutcome::Unchanged;
    }
    if (const QString failure = applyChosenDevices(actions, before, after); !failure.isEmpty()) {
        // Not waited for: the panel goes on with the choice meanwhile.
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Choose Device"),
                                    QStringLiteral("The devices chosen are used until the panel ends, but they could "
                                                   "not be saved for the next start: %1.")
                                        .arg(failure),
                                    QMessageBox::Ok, parent);
        box->setObjectName(QStringLiteral("unsavedChoice"));
        box->setTextFormat(Qt::PlainText);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    }
    return ChooserOutcome::Chosen;
}

} // namespace tavo
