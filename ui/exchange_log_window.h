// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The exchange log: a window of its own beside the panel that lists every line sent, every reply
// and what happened to the port, with the time of day to the millisecond. Rows can be selected,
// copied (Ctrl+C) and saved as text. It only reads the record: the panel's fields, timings and
// window stay as they are whether it is open or not. It never waits for the user: the file dialog
// and any warning open beside it and answer later.

#include "core/exchange_log.h"

#include <QDialog>

class QTableView;

namespace tavo {

class ExchangeLogModel;

class ExchangeLogWindow final : public QDialog {
    Q_OBJECT

public:
    ExchangeLogWindow(const ExchangeLog& log, qint64 wallOffsetMs, QWidget* parent = nullptr);

    // The record changed.
    void sync();

    [[nodiscard]] QTableView* view() const { return view_; }
    [[nodiscard]] ExchangeLogModel* model() const { return model_; }
    // The selected rows as text, one line each, fields separated by tabs; all rows when none is
    // selected.
    [[nodiscard]] QString selectedText() const;
    // Writes every row to the file, with a header line; an error text when it could not.
    [[nodiscard]] QString saveTo(const QString& path) const;

private:
    void copy();
    void chooseFile();

    ExchangeLogModel* model_;
    QTableView* view_;
};

} // namespace tavo
