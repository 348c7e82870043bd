// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/exchange_log_model.h"

#include <QDateTime>
#include <algorithm>

namespace tavo {

namespace {

QString fromStd(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The data pane's tokens are printable ASCII.
QString fromTokens(const std::string& tokens) {
    return QString::fromLatin1(tokens.data(), static_cast<qsizetype>(tokens.size()));
}

} // namespace

ExchangeLogModel::ExchangeLogModel(const ExchangeLog& log, qint64 wallOffsetMs, QObject* parent)
    : QAbstractTableModel(parent), log_(log), wallOffsetMs_(wallOffsetMs) {
    if (!log_.rows().empty()) {
        firstSerial_ = log_.rows().front().serial;
        count_ = static_cast<int>(log_.rows().size());
        lastBytes_ = log_.rows().back().bytes;
    }
}

int ExchangeLogModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count_;
}

int ExchangeLogModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

const LogRow* ExchangeLogModel::rowAt(int row) const {
    const auto& rows = log_.rows();
    if (row < 0 || rows.empty()) {
        return nullptr;
    }
    const std::uint64_t serial = firstSerial_ + static_cast<std::uint64_t>(row);
    if (serial < rows.front().serial || serial > rows.back().serial) {
        return nullptr;
    }
    return &rows[serial - rows.front().serial];
}

void ExchangeLogModel::sync() {
    const auto& rows = log_.rows();
    if (rows.empty()) {
        if (count_ > 0) {
            beginRemoveRows({}, 0, count_ - 1);
            count_ = 0;
            endRemoveRows();
        }
        return;
    }
    const std::uint64_t front = rows.front().serial;
    const std::uint64_t back = rows.back().serial;
    if (count_ > 0 && front > firstSerial_) {
        const int gone = static_cast<int>(std::min<std::uint64_t>(front - firstSerial_, count_));
        beginRemoveRows({}, 0, gone - 1);
        firstSerial_ += static_cast<std::uint64_t>(gone);
        count_ -= gone;
        endRemoveRows();
    }
    if (count_ == 0) {
        firstSerial_ = front;
    }
    const std::uint64_t shownLast = firstSerial_ + static_cast<std::uint64_t>(count_) - 1;
    if (count_ == 0 || back > shownLast) {
        const int added = static_cast<int>(back - (count_ == 0 ? front - 1 : shownLast));
        beginInsertRows({}, count_, count_ + added - 1);
        count_ += added;
        endInsertRows();
    } else if (rows.back().bytes != lastBytes_) {
        emit dataChanged(index(count_ - 1, 0), index(count_ - 1, ColumnCount - 1));
    }
    lastBytes_ = rows.back().bytes;
}

QString ExchangeLogModel::cell(const LogRow& row, int column) const {
    switch (column) {
    case Time:
        return QDateTime::fromMSecsSinceEpoch(wallOffsetMs_ + row.atMs).toString(QStringLiteral("HH:mm:ss.zzz"));
    case Port:
        return fromStd(row.port);
    case What:
        switch (row.kind) {
        case LogKind::Sent:
            return tr("sent");
        case LogKind::Reply:
            return tr("reply");
        case LogKind::NoReply:
            return tr("no reply");
        case LogKind::LateReply:
            return tr("late reply");
        case LogKind::Unasked:
            return tr("not asked for");
        case LogKind::NotSent:
            return tr("not sent");
        case LogKind::Port:
            return tr("port");
        }
        return {};
    case Data:
        return fromTokens(row.tokens);
    case Meaning:
        switch (row.kind) {
        case LogKind::Reply:
            return fromTokens(row.decoded);
        case LogKind::NoReply:
            return tr("nothing came back to %1").arg(fromStd(row.text));
        case LogKind::LateReply:
            return row.decoded.empty()
                       ? tr("answers %1, after its wait").arg(fromStd(row.text))
                       : tr("answers %1, after its wait: %2").arg(fromStd(row.text), fromTokens(row.decoded));
        case LogKind::Unasked:
            return row.bytes > kMaxLogRowBytes ? tr("%n bytes in all", nullptr, static_cast<int>(row.bytes))
                                               : QString();
        case LogKind::NotSent:
        case LogKind::Port:
            // In the widest column: what happened to the port is a sentence.
            return fromStd(row.text);
        case LogKind::Sent:
            return {};
        }
        return {};
    default:
        return {};
    }
}

QVariant ExchangeLogModel::data(const QModelIndex& index, int role) const {
    const LogRow* row = rowAt(index.row());
    if (row == nullptr || (role != Qt::DisplayRole && role != Qt::ToolTipRole && role != Qt::AccessibleTextRole)) {
        return {};
    }
    return cell(*row, index.column());
}

QVariant ExchangeLogModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (section) {
    case Time:
        return tr("Time");
    case Port:
        return tr("Port");
    case What:
        return tr("What");
    case Data:
        return tr("Data");
    case Meaning:
        return tr("Meaning");
    default:
        return {};
    }
}

QString ExchangeLogModel::rowText(int row) const {
    const LogRow* entry = rowAt(row);
    if (entry == nullptr) {
        return {};
    }
    QStringList fields;
    for (int column = 0; column < ColumnCount; ++column) {
        fields << cell(*entry, column);
    }
    return fields.join(QLatin1Char('\t'));
}

QString ExchangeLogModel::headerText() const {
    QStringList fields;
    for (int column = 0; column < ColumnCount; ++column) {
        fields << headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    return fields.join(QLatin1Char('\t'));
}

} // namespace tavo
