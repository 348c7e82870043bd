// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/status_decoding.h"
#include "ctl/command_names.h"
#include "ctl/ctl_program.h"
#include "ctl/port_advisor.h"
#include "ctl/report.h"
#include "serial/device_settings.h"
#include "serial/port_messages.h"
#include "tests/ctl/tool_run.h"
#include "tests/support/loopback_port.h"
#include "tests/support/projector_over_pty.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <gtest/gtest.h>
#include <ostream>
#include <set>
#include <utility>

// Failure messages show a JSON value as JSON.
void PrintTo(const QJsonValue& value, std::ostream* os);
void PrintTo(const QJsonValue& value, std::ostream* os) {
    *os << (value.isUndefined() ? QByteArray("(absent)")
                                : QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact))
               .toStdString();
}

namespace tavo::ctl {
namespace {

TEST(CtlNames, EveryButtonHasADistinctNameMadeFromItsGroupAndCaption) {
    const auto commands = ctlCommands();
    std::set<std::string> names;
    const QRegularExpression shape(QStringLiteral("^[a-z0-9]+(-[a-z0-9]+)*$"));
    for (const auto& c : commands) {
        EXPECT_TRUE(names.insert(c.name).second) << "twice: " << c.name;
        EXPECT_TRUE(shape.match(QString::fromStdString(c.name)).hasMatch()) << c.name;
        EXPECT_GT(c.replyWaitMs, 0) << c.name;
    }
    EXPECT_EQ(commands.size(), 54U);
    const std::pair<const char*, const char*> expected[] = {
        {"power-on", "C00"},
        {"input1-analog", "CF INPUT1 ANALOG"},
        {"input2-rgb", "CF INPUT2 ANALOG"},
        {"input3-svideo", "CF INPUT3 S-VIDEO"},
        {"mute-on", "C0B"},
        {"no-show-off", "C0E"},
        {"freeze-off", "C44"},
        {"video-image-wide", "C10"},
        {"picture-cinema", "CF IMAGE CINEMA"},
        {"display-clear", "C1E"},
        {"status", "CR0"},
        {"lamp-hours", "CR3"},
        {"vol-up", "C09"},
        {"dzoom-out", "C31"},
        {"cursor-left", "C3B"},
        {"cursor-select", "C3F"},
        {"lens-shift-up", "C5D"},
    };
    for (const auto& [name, code] : expected) {
        const auto found = findCtlCommand(name);
        ASSERT_TRUE(found.has_value()) << name;
        EXPECT_EQ(found->code, code) << name;
    }
    EXPECT_EQ(findCtlCommand("zoom-in")->repeatMs, 50);
    EXPECT_EQ(findCtlCommand("cursor-up")->repeatMs, 200) << "the arrows repeat at the timer's first interval";
}

TEST(CtlUsage, UnknownCommandsAndBadOptionsAreUsageErrors) {
    const ToolRun typo = run({QStringLiteral("powr-on")});
    EXPECT_EQ(typo.code, kUsage);
    EXPECT_TRUE(typo.err.contains(QStringLiteral("power-on"))) << typo.err.toStdString();
    EXPECT_EQ(run({QStringLiteral("--speed"), QStringLiteral("4800"), QStringLiteral("status")}).code, kUsage);
    EXPECT_EQ(run({QStringLiteral("--json"), QStringLiteral("--quiet"), QStringLiteral("status")}).code, kUsage);
    EXPECT_EQ(run({QStringLiteral("--com2"), QStringLiteral("--device"), QStringLiteral("/dev/null"),
                   QStringLiteral("status")})
                  .code,
              kUsage);
    // --wait only where there is a state to wait for, --interval only for watch, and watch alone.
    const std::pair<const char*, const char*> misplaced[] = {
        {"--wait status", "--wait is for power-on and power-off only"},
        {"--wait input1-analog", "--wait is for power-on and power-off only"},
        {"--wait send C00", "--wait is for power-on and power-off only"},
        {"--interval 2 status", "--interval is for watch only"},
        {"--interval 0 watch", "--interval must lie between 1 and 3600 s"},
        {"--quiet watch", "--quiet is not for watch"},
        {"--wait watch", "--wait is not for watch"},
        {"--repeat 2 watch", "--repeat is not for watch"},
        {"watch power-on", "unexpected argument 'power-on'"},
    };
    for (const auto& [arguments, said] : misplaced) {
        const ToolRun r = run(QStringList{QStringLiteral("--device"), QStringLiteral("/nonexistent/tty")} +
                              QString::fromLatin1(arguments).split(QLatin1Char(' ')));
        EXPECT_EQ(r.code, kUsage) << arguments;
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(said))) << arguments << ": " << r.err.toStdString();
    }
}

class CtlOverPty : public test::ProjectorOverPty {
protected:
    void SetUp() override {
        ProjectorModel::Options model;
        model.splitPercent = 100; // replies in pieces: the tool must gather them
        ASSERT_NO_FATAL_FAILURE(startProjector(model));
        QObject::connect(projector.get(), &PtyProjector::received,
                         [this](const QByteArray& bytes) { written += bytes; });
    }
    QStringList on(QStringList arguments) const {
        return QStringList{QStringLiteral("--device"), link->path()} + arguments;
    }
    QByteArray written;
};

struct ExchangeCase {
    const char* arguments;
    int code;
    const char* line;
    const char* printed;
};

TEST_F(CtlOverPty, CommandsAreAnsweredAcknowledgedOrRefused) {
    const ExchangeCase cases[] = {
        {"status", kAnswered, "CR0\r", "Stand by"},
        // Power on depends on the power state, which is read first.
        {"power-on", kAnswered, "CR0\rC00\r", "ACK CR"},
        {"input", kAnswered, "CR1\r", "Input 1"},
        {"lamp-hours", kAnswered, "CR3\r", "1234 hours"},
        {"temperatures", kAnswered, "CR6\r", "S1=25.0 C, S2=31.5 C, S3=42.0 C"},
        {"send CR4", kAnswered, "CR4\r", "Normally"},
        {"send C99", kRefused, "C99\r", "? CR"},
        {"--repeat 3 vol-up", kAnswered, "C09\rC09\rC09\r", "ACK CR ACK CR ACK CR"},
        {"--repeat 2 send C09", kAnswered, "C09\rC09\r", "ACK CR ACK CR"},
    };
    for (const auto& c : cases) {
        written.clear();
        const ToolRun r = run(on(QString::fromLatin1(c.arguments).split(QLatin1Char(' '))));
        EXPECT_EQ(r.code, c.code) << c.arguments << ": " << r.err.toStdString();
        EXPECT_EQ(written.toStdString(), c.line) << c.arguments;
        EXPECT_EQ(r.out.trimmed().toStdString(), c.printed) << c.arguments;
    }
}

TEST_F(CtlOverPty, JsonCarriesTheLineTheReplyItsRenderingAndTheValue) {
    const ToolRun r = run(on({QStringLiteral("--json"), QStringLiteral("status")}));
    ASSERT_EQ(r.code, kAnswered) << r.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(o.value(QStringLiteral("line")).toString(), QStringLiteral("CR0\\x0D"));
    EXPECT_EQ(o.value(QStringLiteral("reply")).toString(), QStringLiteral("80\\x0D"));
    EXPECT_EQ(o.value(QStringLiteral("rendering")).toString(), QStringLiteral(" 8 0 CR "));
    EXPECT_EQ(o.value(QStringLiteral("decoded")).toString(), QStringLiteral("Stand by"));
}

TEST_F(CtlOverPty, RepeatOnAButtonThatIsNotHeldSaysWhyAndSendsNothing) {
    const char* const cases[] = {"--repeat 3 power-on", "--repeat 2 send CR0", "--repeat 2 send C99"};
    for (const char* arguments : cases) {
        written.clear();
        const ToolRun r = run(on(QString::fromLatin1(arguments).split(QLatin1Char(' '))));
        EXPECT_EQ(r.code, kUsage) << arguments;
        EXPECT_TRUE(r.err.contains(QStringLiteral("--repeat is for the"))) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("held buttons only"))) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("nothing was sent"))) << r.err.toStdString();
        EXPECT_FALSE(r.err.contains(QStringLiteral("is sent once"))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << arguments;
        EXPECT_TRUE(written.isEmpty()) << arguments << ": " << written.toStdString();
    }
}

TEST_F(CtlOverPty, QuietPrintsNothingOnSuccessButStillTellsAFailure) {
    struct QuietCase {
        const char* arguments;
        int code;
        const char* printed;
        const char* said;
    };
    const QuietCase cases[] = {
        {"--quiet power-on", kAnswered, "", ""},
        {"--quiet status", kAnswered, "", ""},
        {"--quiet --repeat 2 vol-up", kAnswered, "", ""},
        {"--quiet send C99", kRefused, "? CR\n", "the projector refused C99\\x0D"},
    };
    for (const auto& c : cases) {
        const ToolRun r = run(on(QString::fromLatin1(c.arguments).split(QLatin1Char(' '))));
        EXPECT_EQ(r.code, c.code) << c.arguments;
        EXPECT_EQ(r.out.toStdString(), c.printed) << c.arguments;
        if (*c.said == '\0') {
            EXPECT_TRUE(r.err.isEmpty()) << c.arguments << ": " << r.err.toStdString();
        } else {
            EXPECT_TRUE(r.err.contains(QString::fromLatin1(c.said))) << c.arguments << ": " << r.err.toStdString();
        }
    }
}

TEST(CtlQuiet, ADeviceErrorIsStillTold) {
    const ToolRun r = run({QStringLiteral("--quiet"), QStringLiteral("--device"), QStringLiteral("/nonexistent/tty"),
                           QStringLiteral("status")});
    EXPECT_EQ(r.code, kDeviceError);
    EXPECT_FALSE(r.err.isEmpty());
}

// The power status's words as the README and the man page promise them to scripts.
constexpr std::array<std::pair<PowerPhase, const char*>, 4> kDocumentedPhaseWords{{
    {PowerPhase::Standby, "standby"},
    {PowerPhase::CountDown, "warming"},
    {PowerPhase::On, "on"},
    {PowerPhase::CoolingDown, "cooling"},
}};

QJsonValue phaseWord(std::optional<PowerPhase> phase) {
    if (!phase) {
        return QJsonValue::Null;
    }
    const auto* found = std::ranges::find(kDocumentedPhaseWords, *phase, &std::pair<PowerPhase, const char*>::first);
    return QString::fromLatin1(found->second);
}

// What --json adds for each read, worked out from the model's settings rather than its replies.
QJsonObject valuesFromModel(const QString& command, const ProjectorModel::Options& model) {
    if (command == QStringLiteral("status")) {
        const std::string_view code = powerStatusCode(model.power);
        return {{QStringLiteral("power"), phaseWord(powerCondition(code)->phase)},
                {QStringLiteral("status"), QString::fromLatin1(code.data(), static_cast<qsizetype>(code.size()))},
                {QStringLiteral("fault"), QJsonValue::Null}};
    }
    if (command == QStringLiteral("input")) {
        return {{QStringLiteral("input"), model.input}};
    }
    if (command == QStringLiteral("lamp-hours")) {
        return {{QStringLiteral("hours"), model.lampHours}};
    }
    if (command == QStringLiteral("temperatures")) {
        QJsonArray values;
        for (const QString& t :
             QString::fromStdString(model.temperatures).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            values.append(t.toDouble());
        }
        return {{QStringLiteral("temperatures"), values}};
    }
    return {};
}

struct JsonValuesCase {
    const char* name;
    ProjectorModel::Options model;
    std::vector<QString> commands;
};

void PrintTo(const JsonValuesCase& row, std::ostream* os) {
    *os << row.name;
}

class CtlJsonValues : public test::ProjectorOverPty, public testing::WithParamInterface<JsonValuesCase> {};

TEST_P(CtlJsonValues, EachReadGivesItsValueAsNumbersAndWordsBesideTheDecodedText) {
    const JsonValuesCase& row = GetParam();
    ASSERT_NO_FATAL_FAILURE(startProjector(row.model));
    const QStringList newKeys = {QStringLiteral("power"), QStringLiteral("status"), QStringLiteral("fault"),
                                 QStringLiteral("input"), QStringLiteral("hours"),  QStringLiteral("temperatures")};
    for (const QString& command : row.commands) {
        const ToolRun r = run({QStringLiteral("--device"), link->path(), QStringLiteral("--json"), command});
        ASSERT_EQ(r.code, kAnswered) << command.toStdString() << ": " << r.err.toStdString();
        const QJsonObject o = QJsonDocument::fromJson(r.out.toUtf8()).object();
        EXPECT_TRUE(o.value(QStringLiteral("decoded")).isString()) << command.toStdString();
        const QJsonObject expected = valuesFromModel(command, row.model);
        for (const QString& key : newKeys) {
            EXPECT_EQ(o.value(key), expected.value(key))
                << command.toStdString() << ", " << key.toStdString() << ": " << r.out.toStdString();
        }
    }
}

ProjectorModel::Options modelWith(PowerState power, int input, int lampHours, std::string temperatures) {
    ProjectorModel::Options model;
    model.power = power;
    model.input = input;
    model.lampHours = lampHours;
    model.temperatures = std::move(temperatures);
    model.splitPercent = 100;
    return model;
}

INSTANTIATE_TEST_SUITE_P(
    Reads, CtlJsonValues,
    testing::Values(JsonValuesCase{.name = "AllReadsOfAStandby",
                                   .model = modelWith(PowerState::Standby, 3, 7, "025.0 031.5 042.0"),
                                   .commands = {QStringLiteral("status"), QStringLiteral("input"),
                                                QStringLiteral("lamp-hours"), QStringLiteral("temperatures"),
                                                QStringLiteral("mirror")}},
                    JsonValuesCase{.name = "WarmingAndPaddedNumbers",
                                   .model = modelWith(PowerState::CountDown, 2, 9999, " -5.5 100.0 007.2"),
                                   .commands = {QStringLiteral("status"), QStringLiteral("input"),
                                                QStringLiteral("lamp-hours"), QStringLiteral("temperatures")}},
                    JsonValuesCase{.name = "On",
                                   .model = modelWith(PowerState::On, 1, 0, "025.0 031.5 042.0"),
                                   .commands = {QStringLiteral("status"), QStringLiteral("lamp-hours")}},
                    JsonValuesCase{.name = "Cooling",
                                   .model = modelWith(PowerState::CoolingDown, 1, 1234, "025.0 031.5 042.0"),
                                   .commands = {QStringLiteral("status")}}),
    [](const testing::TestParamInfo<JsonValuesCase>& row) { return std::string(row.param.name); });

// Every power status of the production table: its code as the projector sends it, the phase as a
// word, and the fault it reports.
TEST(CtlStatusValues, EveryPowerStatusOfTheTableHasItsWordsAndNothingElseHasAny) {
    const auto faultWord = [](PowerFault fault) -> QJsonValue {
        return fault == PowerFault::Power         ? QJsonValue(QStringLiteral("power"))
               : fault == PowerFault::Temperature ? QJsonValue(QStringLiteral("temperature"))
                                                  : QJsonValue(QJsonValue::Null);
    };
    int keys = 0;
    for (char first = '0'; first <= '9'; ++first) {
        for (char second = '0'; second <= '9'; ++second) {
            const std::string code{first, second};
            const QJsonObject values = statusValues("CR0\r", code + '\r');
            const auto condition = powerCondition(code);
            if (!condition) {
                EXPECT_TRUE(values.isEmpty()) << code;
                continue;
            }
            ++keys;
            EXPECT_EQ(values.value(QStringLiteral("status")).toString().toStdString(), code);
            EXPECT_EQ(values.value(QStringLiteral("power")), phaseWord(condition->phase)) << code;
            EXPECT_EQ(values.value(QStringLiteral("fault")), faultWord(condition->fault)) << code;
        }
    }
    EXPECT_GT(keys, 4) << "the faults are in the table too";
    EXPECT_TRUE(statusValues("CR0\r", "80").isEmpty()) << "a reply without its CR";
    EXPECT_TRUE(statusValues("C00\r", "\x06\r").isEmpty()) << "no read";
}

TEST_F(CtlOverPty, DeviceHeldByAnotherProgramIsADeviceError) {
    ASSERT_FALSE(port->open().error.has_value());
    const ToolRun r = run(on({QStringLiteral("status")}));
    EXPECT_EQ(r.code, kDeviceError);
    EXPECT_TRUE(r.err.contains(QStringLiteral("in use by another program"))) << r.err.toStdString();
    EXPECT_TRUE(written.isEmpty());
}

TEST(CtlSilent, NoReplyWithinTheReplyWaitIsExitFour) {
    const test::PtyPair line;
    ASSERT_TRUE(line.ok());
    QElapsedTimer clock;
    clock.start();
    // Power off keeps the timers' first reply wait, 500 ms.
    const ToolRun r = run({QStringLiteral("--device"), line.devicePath(), QStringLiteral("power-off")});
    const auto elapsed = clock.elapsed();
    EXPECT_EQ(r.code, kNoReply);
    EXPECT_GE(elapsed, 500);
    EXPECT_LT(elapsed, 1500);
    EXPECT_EQ(line.drain(), "C02\r");
    EXPECT_TRUE(r.err.contains(QStringLiteral("no reply from %1 within 500 ms").arg(line.devicePath())))
        << r.err.toStdString();
}

struct NamingRun {
    const char* name;
    // The device, as given with --device or saved in the panel for COM1.
    const char* device;
    bool saved;
    const char* said;
};

void PrintTo(const NamingRun& row, std::ostream* os) {
    *os << row.name;
}

class CtlNaming : public testing::TestWithParam<NamingRun> {
protected:
    void SetUp() override {
        ASSERT_TRUE(config.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    }
    void TearDown() override { qunsetenv("XDG_CONFIG_HOME"); }

    QTemporaryDir config;
};

// A device named on the command line is named as given, never "COM1"; a device the user chose for
// COM1 in the panel is named by its port.
TEST_P(CtlNaming, TextsNameThePortAsTheUserChoseIt) {
    const NamingRun& row = GetParam();
    const QString device = QString::fromUtf8(row.device);
    QStringList arguments{QStringLiteral("status")};
    if (row.saved) {
        ASSERT_TRUE(saveChangedDevices({}, {.com1 = device, .com2 = {}}).isEmpty());
    } else {
        arguments = QStringList{QStringLiteral("--device"), device} + arguments;
    }
    const ToolRun r = run(arguments);
    EXPECT_EQ(r.code, kDeviceError);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("tavo-ctl: ") + QString::fromUtf8(row.said))) << r.err.toStdString();
    EXPECT_EQ(r.err.contains(QStringLiteral("COM1")), row.saved) << r.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Devices, CtlNaming,
    testing::Values(NamingRun{.name = "MissingDevice",
                              .device = "/nonexistent/ttyX",
                              .saved = false,
                              .said = "/nonexistent/ttyX cannot be opened: the device does not exist. "},
                    NamingRun{.name = "NoSerialPort",
                              .device = "/dev/null",
                              .saved = false,
                              .said = "/dev/null cannot be opened: it is not a serial port. Name the device with "
                                      "--device DEV"},
                    NamingRun{.name = "HostAndPortWithoutScheme",
                              .device = "127.0.0.1:1",
                              .saved = false,
                              .said = "127.0.0.1:1 cannot be opened: the device does not exist; did you mean "
                                      "tcp://127.0.0.1:1 or rfc2217://127.0.0.1:1?"},
                    NamingRun{.name = "ChosenForCom1InThePanel",
                              .device = "/nonexistent/ttyY",
                              .saved = true,
                              .said = "COM1 (/nonexistent/ttyY) cannot be opened: the device does not exist. "}),
    [](const testing::TestParamInfo<NamingRun>& row) { return std::string(row.param.name); });

// tavo-ctl has no chooser, no simulated projector and no reconnect: its texts name its own options.
TEST(CtlTexts, NameOnlyItsOwnOptions) {
    const CtlPortAdvisor advisor;
    const QString port = QStringLiteral("/dev/ttyS4");
    std::vector<PortProblem> problems;
    for (const OpenFailureKind kind :
         {OpenFailureKind::NoSuchDevice, OpenFailureKind::PermissionDenied, OpenFailureKind::Busy,
          OpenFailureKind::NotASerialPort, OpenFailureKind::NoHardware, OpenFailureKind::StaleLock,
          OpenFailureKind::Other}) {
        for (const QString& name : {port, QString()}) {
            problems.emplace_back(OpenFailure{.kind = kind,
                                              .device = name,
                                              .existingPorts = {},
                                              .detail = {},
                                              .owner = QStringLiteral("root"),
                                              .group = QStringLiteral("root"),
                                              .mode = 0600});
        }
    }
    for (const NetworkFailureKind kind :
         {NetworkFailureKind::BadAddress, NetworkFailureKind::HostNotFound, NetworkFailureKind::Refused,
          NetworkFailureKind::NoAnswer, NetworkFailureKind::Silent, NetworkFailureKind::NoComPortOption,
          NetworkFailureKind::ClosedByServer, NetworkFailureKind::InUse, NetworkFailureKind::Lost,
          NetworkFailureKind::CutOff, NetworkFailureKind::NotTaking, NetworkFailureKind::Other}) {
        problems.emplace_back(NetworkFailure{.kind = kind, .detail = {}});
        problems.emplace_back(NetworkLoss{.failure = {.kind = kind, .detail = {}}});
    }
    problems.insert(problems.end(), {Disconnected{}, NotOpen{}, StillOpening{}, SpeedSetOnServer{}});
    for (const PortProblem& problem : problems) {
        const QString text = describeProblem(problem, port, 1, advisor);
        for (const char* panelWords :
             {"Choose Device", "Try Without a Projector", "--simulate", "Ctrl+D", "right-click", "DEVICE", "panel set",
              "the panel is", "by the panel", "start the panel", "connects again", "opens it again"}) {
            EXPECT_FALSE(text.contains(QString::fromUtf8(panelWords))) << panelWords << " in\n" << text.toStdString();
        }
    }
    const QString first = describeProblem(problems.front(), port, 1, advisor);
    EXPECT_TRUE(first.contains(QStringLiteral("--device DEV"))) << first.toStdString();
    const QString permission = describeProblem(problems.at(2), port, 1, advisor);
    EXPECT_TRUE(permission.endsWith(QStringLiteral("mode 0660, or name another device with --device DEV.")))
        << permission.toStdString();
}

// A device server on 127.0.0.1 in raw TCP mode that plays a script: a greeting at once (then it
// closes), or one reply to whatever comes.
struct ScriptedRun {
    const char* name;
    std::string greeting;
    std::string reply;
    QStringList arguments;
    int code;
    // What standard output must be exactly, and what standard error must contain.
    const char* printed;
    const char* said;
};

void PrintTo(const ScriptedRun& row, std::ostream* os) {
    *os << row.name;
}

class CtlAgainstScriptedServer : public testing::TestWithParam<ScriptedRun> {};

TEST_P(CtlAgainstScriptedServer, JudgesTheReplyAndPrintsNoDeviceByteRaw) {
    const ScriptedRun& row = GetParam();
    QTcpServer server;
    ASSERT_TRUE(test::listenBelowClientPorts(server));
    std::string received;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* client = server.nextPendingConnection();
        if (!row.greeting.empty()) {
            client->write(row.greeting.data(), static_cast<qint64>(row.greeting.size()));
            client->disconnectFromHost();
            return;
        }
        QObject::connect(client, &QTcpSocket::readyRead, client, [&, client] {
            received += client->readAll().toStdString();
            client->write(row.reply.data(), static_cast<qint64>(row.reply.size()));
        });
    });
    const ToolRun r =
        run(QStringList{QStringLiteral("--device"), QStringLiteral("tcp://127.0.0.1:%1").arg(server.serverPort())} +
            row.arguments);
    EXPECT_EQ(r.code, row.code) << r.err.toStdString();
    const QString address = QStringLiteral("127.0.0.1:%1").arg(server.serverPort());
    EXPECT_EQ(QString(r.out).replace(address, QStringLiteral("127.0.0.1:PORT")).toStdString(), row.printed);
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(row.said))) << r.err.toStdString();
    for (const QString& text : {r.out, r.err}) {
        EXPECT_TRUE(std::ranges::all_of(text, [](QChar c) { return c == u'\n' || (c >= u' ' && c <= u'~'); }))
            << "a byte of the device reached the terminal: " << text.toStdString();
    }
    if (row.code == kUsage || !row.greeting.empty()) {
        EXPECT_EQ(received, "") << "nothing is sent";
    }
    if (row.arguments.contains(QStringLiteral("power-on"))) {
        EXPECT_EQ(received, "CR0\r") << "the power status only";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, CtlAgainstScriptedServer,
    testing::Values(
        ScriptedRun{
            .name = "InUseBanner",
            .greeting = "Port's device already in use\r\n",
            .reply = {},
            .arguments = {QStringLiteral("--json"), QStringLiteral("power-off")},
            .code = kDeviceError,
            .printed = "{\"command\":\"power-off\",\"decoded\":null,\"error\":\"tcp://127.0.0.1:"
                       "PORT cannot be opened: the device server says the port is in use; another client may "
                       "be using it (another panel, a terminal). Close that client and try again.\",\"exit\":1,"
                       "\"line\":\"C02\\\\x0D\",\"outcome\":\"device error\",\"rendering\":\" \",\"reply\":\"\"}\n",
            .said = "the device server says the port is in use"},
        ScriptedRun{.name = "GarbageAtTheWrongSpeed",
                    .greeting = {},
                    .reply = ";",
                    .arguments = {QStringLiteral("power-off")},
                    .code = kUnexpected,
                    .printed = ";\n",
                    .said = "expected ACK CR"},
        ScriptedRun{.name = "EscapeSequencesForTemperatures",
                    .greeting = {},
                    .reply = "\x1b[31m C, S2=EVIL \x1b]0;\a\r",
                    .arguments = {QStringLiteral("temperatures")},
                    .code = kUnexpected,
                    .printed = "\\x1B[31m C, S2=EVIL \\x1B]0;\\x07\\x0D\n",
                    .said = "expected 3 temperatures such as 025.0 031.5 042.0 CR"},
        ScriptedRun{.name = "PowerAbnormalityBeforePowerOn",
                    .greeting = {},
                    .reply = "10\r",
                    .arguments = {QStringLiteral("power-on")},
                    .code = kRefused,
                    .printed = "",
                    .said = "the projector reports Power abnormality (status 10), which tells nothing of its lamp, "
                            "so power-on was not sent"},
        ScriptedRun{.name = "GarbledStatusBeforePowerOn",
                    .greeting = {},
                    .reply = ";",
                    .arguments = {QStringLiteral("power-on")},
                    .code = kUnexpected,
                    .printed = "",
                    .said = "the power status was read before power-on, and nothing was sent: an unexpected reply"},
        ScriptedRun{.name = "SendBeyondAscii",
                    .greeting = {},
                    .reply = "\x06\r",
                    .arguments = {QStringLiteral("send"), QStringLiteral("C\u20ac")},
                    .code = kUsage,
                    .printed = "",
                    .said = "character 2 of LINE (U+20AC) is not printable 7-bit ASCII; nothing was sent"}),
    [](const testing::TestParamInfo<ScriptedRun>& row) { return std::string(row.param.name); });

} // namespace
} // namespace tavo::ctl
