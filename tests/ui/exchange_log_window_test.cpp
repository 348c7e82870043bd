// SPDX-License-Identifier: GPL-3.0-or-later
// The exchange log's table follows the record through its bound, and what is copied and saved is
// what is shown.

#include "core/exchange_log.h"
#include "tests/support/virtual_clock.h"
#include "ui/exchange_log_model.h"
#include "ui/exchange_log_window.h"

#include <QAbstractItemModelTester>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tavo::test {
namespace {

class ExchangeLogWindowTest : public ::testing::Test {
protected:
    ExchangeLogWindowTest() {
        log.setPort("COM1");
        log.setChangeHandler([this] { window.sync(); });
    }

    VirtualClock clock;
    ExchangeLog log{clock};
    ExchangeLogWindow window{log, 0};
};

TEST_F(ExchangeLogWindowTest, TheTableKeepsTheNewestRowsInOrder) {
    for (std::size_t i = 1; i <= kMaxLogRows - 2; ++i) {
        log.portEvent("event " + std::to_string(i));
    }
    // Checks the model's contract at every change from here on: it reads every row each time.
    const QAbstractItemModelTester tester(window.model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    log.bytesArrived({.late = {}, .lateId = 0, .credited = {}, .creditedId = 0, .unasked = "x"});
    log.bytesArrived({.late = {}, .lateId = 0, .credited = {}, .creditedId = 0, .unasked = "y"});
    for (std::size_t i = kMaxLogRows - 1; i <= kMaxLogRows + 2; ++i) {
        log.portEvent("event " + std::to_string(i));
    }
    ASSERT_EQ(window.model()->rowCount(), static_cast<int>(kMaxLogRows));
    EXPECT_TRUE(window.model()->rowText(0).endsWith(QStringLiteral("\t\tevent 4")));
    EXPECT_TRUE(window.model()->rowText(static_cast<int>(kMaxLogRows) - 5).contains(QStringLiteral(" x y")))
        << "bytes nobody asked for, back to back, grow one row";
    EXPECT_TRUE(window.model()
                    ->rowText(static_cast<int>(kMaxLogRows) - 1)
                    .endsWith(QStringLiteral("\t\tevent %1").arg(kMaxLogRows + 2)));
}

TEST_F(ExchangeLogWindowTest, SavesEveryRowUnderAHeader) {
    clock.advance(1234);
    log.portEvent("opened");
    log.notSent("C00\r", "not open");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.txt"));
    ASSERT_EQ(window.saveTo(path), QString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], window.model()->headerText());
    EXPECT_EQ(lines[1], window.model()->rowText(0));
    EXPECT_TRUE(lines[2].contains(QStringLiteral(" C 0 0 CR ")));
    EXPECT_EQ(window.selectedText(), lines[1] + QLatin1Char('\n') + lines[2] + QLatin1Char('\n'))
        << "with nothing selected, everything is copied";
}

} // namespace
} // namespace tavo::test
