// SPDX-License-Identifier: GPL-3.0-or-later
// tavo-ctl and the projector's power state: a command the projector would ignore is not sent,
// --wait waits through warm-up and cool-down, watch tells each change, and a late reply is never
// taken for the answer to a later line.

#include "core/commands.h"
#include "core/operation_model.h"
#include "core/wording.h"
#include "ctl/exit_code.h"
#include "ctl/power_wait.h"
#include "tests/ctl/tool_run.h"
#include "tests/support/projector_over_pty.h"
#include "tests/support/pty_pair.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace tavo::ctl {
namespace {

QStringList words(const char* arguments) {
    return QString::fromLatin1(arguments).split(QLatin1Char(' '));
}

std::string lineOf(Control control) {
    return std::string(findOneShot(control)->code) + kCarriageReturn;
}

// How often `line` is among the lines written.
int timesWritten(const QByteArray& written, const std::string& line) {
    return static_cast<int>(written.count(QByteArray::fromStdString(line)));
}

QString whyIgnoredInEnglish(Control control, PowerPhase phase) {
    return QString::fromStdString(whyIgnored(control, phase, SourceWording()));
}

ProjectorModel::Options modelIn(PowerState power, int changeMs = 800) {
    ProjectorModel::Options model;
    model.power = power;
    model.countDownMs = changeMs;
    model.coolingDownMs = changeMs;
    return model;
}

class CtlPowerState : public test::ProjectorOverPty {
protected:
    void start(const ProjectorModel::Options& model) {
        ASSERT_NO_FATAL_FAILURE(startProjector(model));
        written.clear();
        QObject::connect(projector.get(), &PtyProjector::received,
                         [this](const QByteArray& bytes) { written += bytes; });
    }
    [[nodiscard]] QStringList on(const char* arguments) const {
        return QStringList{QStringLiteral("--device"), link->path()} + words(arguments);
    }
    QByteArray written;
};

struct GateCase {
    const char* name;
    PowerState power;
    const char* arguments;
    int code;
    // Every line written, in order.
    std::string written;
    // What standard error must contain; empty when it must be empty.
    QString said;
};

TEST_F(CtlPowerState, ACommandTheProjectorWouldIgnoreIsNotSentAndSaysWhy) {
    const std::string status = lineOf(Control::ReadStatus);
    const GateCase cases[] = {
        {.name = "power-on while cooling down",
         .power = PowerState::CoolingDown,
         .arguments = "power-on",
         .code = kRefused,
         .written = status,
         .said = whyIgnoredInEnglish(Control::PowerOn, PowerPhase::CoolingDown)},
        {.name = "an input in standby",
         .power = PowerState::Standby,
         .arguments = "input1-analog",
         .code = kRefused,
         .written = status,
         .said = whyIgnoredInEnglish(Control::Input1Analog, PowerPhase::Standby)},
        {.name = "power-on in standby",
         .power = PowerState::Standby,
         .arguments = "power-on",
         .code = kAnswered,
         .written = status + lineOf(Control::PowerOn),
         .said = {}},
        {.name = "power-off depends on no state",
         .power = PowerState::CoolingDown,
         .arguments = "power-off",
         .code = kAnswered,
         .written = lineOf(Control::PowerOff),
         .said = {}},
        {.name = "a raw line goes out as it is",
         .power = PowerState::CoolingDown,
         .arguments = "send C00",
         .code = kAnswered,
         .written = lineOf(Control::PowerOn),
         .said = {}},
    };
    for (const GateCase& row : cases) {
        ASSERT_NO_FATAL_FAILURE(start(modelIn(row.power, 60000)));
        const ToolRun r = run(on(row.arguments));
        EXPECT_EQ(r.code, row.code) << row.name << ": " << r.err.toStdString();
        EXPECT_EQ(written.toStdString(), row.written) << row.name;
        if (row.said.isEmpty()) {
            EXPECT_TRUE(r.err.isEmpty()) << row.name << ": " << r.err.toStdString();
        } else {
            EXPECT_TRUE(r.err.contains(row.said)) << row.name << ": " << r.err.toStdString();
            EXPECT_TRUE(r.out.isEmpty()) << row.name << ": " << r.out.toStdString();
        }
    }
}

TEST_F(CtlPowerState, JsonTellsAnIgnoredCommandWithTheStatusValues) {
    ASSERT_NO_FATAL_FAILURE(start(modelIn(PowerState::CoolingDown, 60000)));
    const ToolRun r = run(on("--json power-on"));
    EXPECT_EQ(r.code, kRefused);
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o.value(QStringLiteral("outcome")).toString(), QStringLiteral("ignored"));
    EXPECT_EQ(o.value(QStringLiteral("exit")).toInt(), kRefused);
    EXPECT_EQ(o.value(QStringLiteral("power")).toString(), QStringLiteral("cooling"));
    EXPECT_EQ(o.value(QStringLiteral("status")).toString().toStdString(), powerStatusCode(PowerState::CoolingDown));
    EXPECT_FALSE(o.value(QStringLiteral("sent")).toBool(true));
    EXPECT_TRUE(o.value(QStringLiteral("error"))
                    .toString()
                    .contains(whyIgnoredInEnglish(Control::PowerOn, PowerPhase::CoolingDown)));
}

struct WaitCase {
    const char* name;
    ProjectorModel::Options model;
    const char* arguments;
    int code;
    const char* printed;
    Control command;
    // How often the command's line goes out; every other line is a status read.
    int sent;
    PowerState finalPower;
    const char* said;
};

void PrintTo(const WaitCase& row, std::ostream* os) {
    *os << row.name;
}

class CtlWait : public CtlPowerState, public testing::WithParamInterface<WaitCase> {};

TEST_P(CtlWait, WaitsOutWarmUpAndCoolDownSendsOnceAndEndsAtTheGoal) {
    const WaitCase& row = GetParam();
    ASSERT_NO_FATAL_FAILURE(start(row.model));
    const ToolRun r = run(on(row.arguments));
    EXPECT_EQ(r.code, row.code) << r.err.toStdString();
    EXPECT_EQ(r.out.toStdString(), row.printed);
    EXPECT_TRUE(r.err.contains(QString::fromLatin1(row.said))) << r.err.toStdString();
    const std::string command = lineOf(row.command);
    EXPECT_EQ(timesWritten(written, command), row.sent) << written.toStdString();
    EXPECT_EQ(written.size() - row.sent * command.size(),
              timesWritten(written, lineOf(Control::ReadStatus)) * lineOf(Control::ReadStatus).size())
        << "nothing but status reads besides: " << written.toStdString();
    EXPECT_EQ(projector->model().power(), row.finalPower);
}

INSTANTIATE_TEST_SUITE_P(
    PowerCommands, CtlWait,
    testing::Values(WaitCase{.name = "OnFromStandby",
                             .model = modelIn(PowerState::Standby),
                             .arguments = "--wait power-on",
                             .code = kAnswered,
                             .printed = "Power ON\n",
                             .command = Control::PowerOn,
                             .sent = 1,
                             .finalPower = PowerState::On,
                             .said = ""},
                    WaitCase{.name = "OnAfterTheCoolDown",
                             .model = modelIn(PowerState::CoolingDown),
                             .arguments = "--wait power-on",
                             .code = kAnswered,
                             .printed = "Power ON\n",
                             .command = Control::PowerOn,
                             .sent = 1,
                             .finalPower = PowerState::On,
                             .said = ""},
                    WaitCase{.name = "StandbyAfterTheWarmUp",
                             .model = modelIn(PowerState::CountDown),
                             .arguments = "--wait --quiet power-off",
                             .code = kAnswered,
                             .printed = "",
                             .command = Control::PowerOff,
                             .sent = 1,
                             .finalPower = PowerState::Standby,
                             .said = ""},
                    WaitCase{.name = "WarmingUpReachesOnWithoutASecondPowerOn",
                             .model = modelIn(PowerState::CountDown),
                             .arguments = "--wait power-on",
                             .code = kAnswered,
                             .printed = "Power ON\n",
                             .command = Control::PowerOn,
                             .sent = 0,
                             .finalPower = PowerState::On,
                             .said = ""},
                    WaitCase{.name = "AlreadyAtTheGoal",
                             .model = modelIn(PowerState::On),
                             .arguments = "--wait power-on",
                             .code = kAnswered,
                             .printed = "Power ON\n",
                             .command = Control::PowerOn,
                             .sent = 0,
                             .finalPower = PowerState::On,
                             .said = ""},
                    WaitCase{.name = "TimeoutBoundsTheWholeWait",
                             .model = modelIn(PowerState::CoolingDown, 60000),
                             .arguments = "--wait --timeout 1500 power-on",
                             .code = kNoReply,
                             .printed = "Cooling down\n",
                             .command = Control::PowerOn,
                             .sent = 0,
                             .finalPower = PowerState::CoolingDown,
                             .said = "the projector is still cooling down after 1500 ms; power-on was not sent"}),
    [](const testing::TestParamInfo<WaitCase>& row) { return std::string(row.param.name); });

TEST_F(CtlPowerState, WaitInJsonIsOneObjectWithTheStateReachedAndHowLongItTook) {
    const int coolingDownMs = 800;
    ASSERT_NO_FATAL_FAILURE(start(modelIn(PowerState::On, coolingDownMs)));
    const ToolRun r = run(on("--json --wait power-off"));
    ASSERT_EQ(r.code, kAnswered) << r.err.toStdString();
    ASSERT_EQ(r.out.count(QLatin1Char('\n')), 1) << r.out.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o.value(QStringLiteral("outcome")).toString(), QStringLiteral("answered"));
    EXPECT_EQ(o.value(QStringLiteral("power")).toString(), QStringLiteral("standby"));
    EXPECT_EQ(o.value(QStringLiteral("decoded")).toString(), QStringLiteral("Stand by"));
    EXPECT_EQ(o.value(QStringLiteral("reply")).toString(), QStringLiteral("\\x06\\x0D")) << "power-off's own reply";
    EXPECT_TRUE(o.value(QStringLiteral("sent")).toBool());
    EXPECT_GE(o.value(QStringLiteral("waited_ms")).toInteger(), coolingDownMs);
    EXPECT_LT(o.value(QStringLiteral("waited_ms")).toInteger(), coolingDownMs + 3 * kPowerPollMs);
}

TEST_F(CtlPowerState, WatchPrintsALineAtTheStartAndOneForTheChange) {
    const QString stamp = QStringLiteral(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d)");
    for (const bool json : {false, true}) {
        ASSERT_NO_FATAL_FAILURE(start(modelIn(PowerState::CountDown, 1500)));
        const ToolRun r = runThenInterrupt(on(json ? "--json watch --interval 1" : "watch --interval 1"), 3500);
        EXPECT_EQ(r.code, kInterrupted);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2) << r.out.toStdString();
        if (json) {
            const QJsonObject first = QJsonDocument::fromJson(lines[0].toUtf8()).object();
            const QJsonObject second = QJsonDocument::fromJson(lines[1].toUtf8()).object();
            EXPECT_EQ(first.value(QStringLiteral("power")).toString(), QStringLiteral("warming"));
            EXPECT_EQ(second.value(QStringLiteral("power")).toString(), QStringLiteral("on"));
            EXPECT_EQ(second.value(QStringLiteral("decoded")).toString(), QStringLiteral("Power ON"));
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1$").arg(stamp))
                            .match(second.value(QStringLiteral("time")).toString())
                            .hasMatch())
                << lines[1].toStdString();
        } else {
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1 Count down$").arg(stamp)).match(lines[0]).hasMatch())
                << lines[0].toStdString();
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^%1 Power ON$").arg(stamp)).match(lines[1]).hasMatch())
                << lines[1].toStdString();
        }
        EXPECT_EQ(written.count(QByteArray::fromStdString(lineOf(Control::ReadStatus))) *
                      static_cast<qsizetype>(lineOf(Control::ReadStatus).size()),
                  written.size())
            << "watch only reads";
    }
}

// A projector on a line of its own whose first answer to the power status read comes 2.3 s late,
// after the read's 2 s wait, and whose later answers come after 400 ms: a late reply not kept
// apart would be the next read's answer.
class LateFirstReply {
public:
    LateFirstReply() {
        QObject::connect(&poll_, &QTimer::timeout, [this] { answer(); });
        poll_.start(5);
    }
    [[nodiscard]] const test::PtyPair& line() const { return line_; }

private:
    void answer() {
        pending_ += line_.drain();
        const std::string read = lineOf(Control::ReadStatus);
        for (auto at = pending_.find(read); at != std::string::npos; at = pending_.find(read)) {
            pending_.erase(0, at + read.size());
            const bool first = reads_++ == 0;
            const std::string reply =
                std::string(powerStatusCode(first ? PowerState::CoolingDown : PowerState::Standby)) + kCarriageReturn;
            QTimer::singleShot(first ? 2300 : 400, &poll_, [this, reply] { line_.send(reply); });
        }
    }

    test::PtyPair line_;
    QTimer poll_;
    std::string pending_;
    int reads_ = 0;
};

TEST(CtlLateReply, ALateReplyIsNeverTheAnswerToALaterRead) {
    {
        const LateFirstReply projector;
        ASSERT_TRUE(projector.line().ok());
        const QStringList status{QStringLiteral("--device"), projector.line().devicePath(), QStringLiteral("status")};
        const ToolRun first = run(status);
        EXPECT_EQ(first.code, kNoReply) << first.err.toStdString();
        EXPECT_TRUE(first.err.contains(QStringLiteral("came only after its wait had ended")))
            << first.err.toStdString();
        const ToolRun second = run(status);
        EXPECT_EQ(second.code, kAnswered) << second.err.toStdString();
        EXPECT_EQ(second.out.toStdString(), "Stand by\n") << "the next run took the late reply";
    }
    {
        const LateFirstReply projector;
        const ToolRun watch =
            runThenInterrupt({QStringLiteral("--device"), projector.line().devicePath(), QStringLiteral("watch"),
                              QStringLiteral("--interval"), QStringLiteral("1")},
                             5000);
        EXPECT_EQ(watch.code, kInterrupted);
        const QStringList lines = watch.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2) << watch.out.toStdString();
        EXPECT_TRUE(lines[0].contains(QStringLiteral("cannot read the power status: no reply")))
            << watch.out.toStdString();
        EXPECT_TRUE(lines[1].endsWith(QStringLiteral(" Stand by"))) << "the next read took the late reply";
    }
}

} // namespace
} // namespace tavo::ctl
