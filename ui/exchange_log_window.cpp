// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exchange_log_window.h"

#include "ui/exchange_log_model.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace tavo {

ExchangeLogWindow::ExchangeLogWindow(const ExchangeLog& log, qint64 wallOffsetMs, QWidget* parent)
    : QDialog(parent), model_(new ExchangeLogModel(log, wallOffsetMs, this)), view_(new QTableView(this)) {
    setObjectName(QStringLiteral("ExchangeLogWindow"));
    setWindowTitle(tr("Exchange Log"));
    setModal(false);

    view_->setObjectName(QStringLiteral("ExchangeLogTable"));
    view_->setAccessibleName(tr("Exchange log"));
    view_->setAccessibleDescription(tr("Every line sent to the projector and every reply, with the time"));
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setWordWrap(false);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // One line of text a row, so that a morning's exchanges fit the window.
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    const QFontMetrics metrics = view_->fontMetrics();
    view_->setColumnWidth(ExchangeLogModel::Time, metrics.horizontalAdvance(QStringLiteral("00:00:00.000  ")));
    view_->setColumnWidth(ExchangeLogModel::Port, metrics.horizontalAdvance(QStringLiteral("COM1   ")));
    view_->setColumnWidth(ExchangeLogModel::What,
                          metrics.horizontalAdvance(tr("not asked for") + QStringLiteral("  ")));
    view_->setColumnWidth(ExchangeLogModel::Data,
                          metrics.horizontalAdvance(QStringLiteral(" C F   I N P U T 1   A N A L O G CR ")));

    auto* copyShortcut = new QShortcut(QKeySequence::Copy, view_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copyShortcut, &QShortcut::activated, this, &ExchangeLogWindow::copy);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copyButton = buttons->addButton(tr("&Copy"), QDialogButtonBox::ActionRole);
    QPushButton* saveButton = buttons->addButton(tr("&Save…"), QDialogButtonBox::ActionRole);
    copyButton->setAutoDefault(false);
    saveButton->setAutoDefault(false);
    connect(copyButton, &QPushButton::clicked, this, &ExchangeLogWindow::copy);
    connect(saveButton, &QPushButton::clicked, this, &ExchangeLogWindow::chooseFile);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    layout->addWidget(buttons);
    resize(880, 420);
}

void ExchangeLogWindow::sync() {
    // The view follows new rows only while the user is looking at the newest ones.
    const QScrollBar* bar = view_->verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    model_->sync();
    if (atEnd && isVisible()) {
        view_->scrollToBottom();
    }
}

QString ExchangeLogWindow::selectedText() const {
    QList<int> rows;
    for (const QModelIndex& index : view_->selectionModel()->selectedRows()) {
        rows << index.row();
    }
    if (rows.isEmpty()) {
        for (int row = 0; row < model_->rowCount(); ++row) {
            rows << row;
        }
    }
    std::ranges::sort(rows);
    QStringList lines;
    for (const int row : rows) {
        lines << model_->rowText(row);
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void ExchangeLogWindow::copy() {
    QApplication::clipboard()->setText(selectedText());
}

QString ExchangeLogWindow::saveTo(const QString& path) const {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return file.errorString();
    }
    file.write(model_->headerText().toUtf8() + '\n');
    for (int row = 0; row < model_->rowCount(); ++row) {
        file.write(model_->rowText(row).toUtf8() + '\n');
    }
    if (!file.commit()) {
        return file.errorString();
    }
    return {};
}

void ExchangeLogWindow::chooseFile() {
    const QString name =
        tr("exchange-log-%1.txt").arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    auto* dialog = new QFileDialog(this, tr("Save Exchange Log"), name, tr("Text files (*.txt);;All files (*)"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setObjectName(QStringLiteral("ExchangeLogSaveDialog"));
    // Shown, not opened: open() would make it modal to the log's window and the panel above it,
    // and the panel must work on while a file is chosen.
    dialog->setWindowModality(Qt::NonModal);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) {
        const QString error = saveTo(path);
        if (error.isEmpty()) {
            return;
        }
        auto* box = new QMessageBox(QMessageBox::Warning, tr("Exchange Log"),
                                    tr("The log could not be saved to %1: %2").arg(path, error), QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::NonModal);
        box->show();
    });
    dialog->show();
}

} // namespace tavo
