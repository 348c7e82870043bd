// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help_window.h"

#include "ui/help_text.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tavo {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(tr("Panel help"));
    setModal(false);

    browser_->setObjectName(QStringLiteral("HelpText"));
    browser_->setAccessibleName(tr("Help text"));
    browser_->setOpenLinks(false);
    browser_->setHtml(helpText(QCoreApplication::applicationVersion(), device_));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addWidget(buttons);
    resize(480, 560);
}

void HelpWindow::setDevice(const QString& device) {
    if (device == device_) {
        return;
    }
    device_ = device;
    QScrollBar* bar = browser_->verticalScrollBar();
    const int kept = bar->value();
    browser_->setHtml(helpText(QCoreApplication::applicationVersion(), device_));
    bar->setValue(kept);
}

} // namespace tavo
