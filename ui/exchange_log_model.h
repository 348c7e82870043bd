// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The exchange log as a table for the view: one row per row of the record, in columns time, port,
// what happened, the data as the data pane shows it, and what it means. It follows the record as
// it changes and reads each row by its serial number, so a view that asks between a change and the
// model's being told never reads a row in the wrong place.

#include "core/exchange_log.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

namespace tavo {

class ExchangeLogModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Time, Port, What, Data, Meaning, ColumnCount };

    // `wallOffsetMs` turns the record's clock into the time of day: milliseconds since the epoch
    // minus the clock's reading at the same moment.
    ExchangeLogModel(const ExchangeLog& log, qint64 wallOffsetMs, QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The record changed: rows dropped at the top, added at the bottom, or the last one grown.
    void sync();

    // A row as one line of text, its fields separated by tabs.
    [[nodiscard]] QString rowText(int row) const;
    [[nodiscard]] QString headerText() const;

private:
    [[nodiscard]] const LogRow* rowAt(int row) const;
    [[nodiscard]] QString cell(const LogRow& row, int column) const;

    const ExchangeLog& log_;
    qint64 wallOffsetMs_;
    std::uint64_t firstSerial_ = 1;
    int count_ = 0;
    std::size_t lastBytes_ = 0;
};

} // namespace tavo
