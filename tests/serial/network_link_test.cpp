// SPDX-License-Identifier: GPL-3.0-or-later
// The COM ports on a device server: ser2net on 127.0.0.1 in front of the simulated
// projector's pseudo-terminal, over RFC 2217 and raw TCP; and scripted servers for the failures.

#include "serial/com_ports.h"
#include "serial/device_factory.h"
#include "serial/reconnect_policy.h"
#include "simulator/pty_projector.h"
#include "tests/support/fake_port_advisor.h"
#include "tests/support/loopback_port.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace tavo {

namespace {

using namespace std::string_literals;
using test::FakePortAdvisor;

// ser2net in the foreground with one RFC 2217 and one raw TCP accepter for the same device.
class Ser2net {
public:
    explicit Ser2net(const QString& device) : Ser2net(device, test::freeLoopbackPorts(2)) {}
    Ser2net(const QString& device, const std::vector<quint16>& ports)
        : rfc2217Port(ports.empty() ? 0 : ports[0]), rawPort(ports.empty() ? 0 : ports[1]) {
        QFile config(dir_.filePath(QStringLiteral("ser2net.yaml")));
        if (!config.open(QIODevice::WriteOnly)) {
            return;
        }
        const auto connection = [&device](const char* name, const QString& accepter) {
            return QStringLiteral("connection: &%1\n  accepter: %2\n  connector: serialdev,%3,19200n81,local\n"
                                  "  options:\n    kickolduser: true\n")
                .arg(QLatin1String(name), accepter, device);
        };
        config.write((QStringLiteral("%YAML 1.1\n---\n") +
                      connection("rfc2217", QStringLiteral("telnet(rfc2217),tcp,127.0.0.1,%1").arg(rfc2217Port)) +
                      connection("raw", QStringLiteral("tcp,127.0.0.1,%1").arg(rawPort)))
                         .toUtf8());
    }
    ~Ser2net() { stop(); }
    Ser2net(const Ser2net&) = delete;
    Ser2net& operator=(const Ser2net&) = delete;

    // Starts it and waits (bounded) until it accepts connections.
    [[nodiscard]] bool start() {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.start(QStringLiteral("ser2net"),
                       {QStringLiteral("-n"), QStringLiteral("-d"), QStringLiteral("-u"), QStringLiteral("-P"),
                        dir_.filePath(QStringLiteral("pid")), QStringLiteral("-c"),
                        dir_.filePath(QStringLiteral("ser2net.yaml"))});
        // Listening is seen by the port being taken: a probing connection would make ser2net open
        // the device, and hold it for a moment after.
        return process_.waitForStarted() && QTest::qWaitFor(
                                                [this] {
                                                    QTcpServer probe;
                                                    return !probe.listen(QHostAddress::LocalHost, rfc2217Port) &&
                                                           !probe.listen(QHostAddress::LocalHost, rawPort);
                                                },
                                                5000);
    }
    void stop() {
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }

    const quint16 rfc2217Port;
    const quint16 rawPort;

private:
    QTemporaryDir dir_;
    QProcess process_;
};

struct Protocol {
    const char* name;
    const char* scheme;
    bool setsSpeed;
};

void PrintTo(const Protocol& protocol, std::ostream* os) {
    *os << protocol.name;
}

class OverSer2net : public testing::TestWithParam<Protocol> {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("ser2net")).isEmpty()) {
            GTEST_SKIP() << "ser2net is not installed (scripts/install-deps installs it)";
        }
        ProjectorModel::Options model;
        model.replyDelayMs = 5;
        model.splitPercent = 0;
        QString error;
        projector = PtyProjector::create({.model = model, .device = {}}, &error);
        ASSERT_TRUE(projector) << error.toStdString();
        QObject::connect(projector.get(), &PtyProjector::received,
                         [this](const QByteArray& bytes) { atProjector += bytes.toStdString(); });
        server = std::make_unique<Ser2net>(projector->devicePath());
        ASSERT_TRUE(server->start());
        const quint16 serverPort = GetParam().setsSpeed ? server->rfc2217Port : server->rawPort;
        port = std::make_unique<ComPorts>(
            QStringList{QStringLiteral("%1://127.0.0.1:%2").arg(QLatin1String(GetParam().scheme)).arg(serverPort), {}},
            makeDevice, advisor);
        port->setEventHandler([this](PortEvent event) {
            events.push_back(event);
            if (event == PortEvent::Received) {
                received += port->readAll().value;
            } else if (event == PortEvent::Notice) {
                notices.push_back(port->describe(event));
            }
        });
        ASSERT_FALSE(port->setLineSettings({.baud = 19200}));
        const PortResult<Opening> opening = port->open();
        ASSERT_FALSE(opening.error) << *opening.error;
        ASSERT_EQ(opening.value, Opening::InProgress) << "a device on the network connects in the background";
        ASSERT_TRUE(seen(PortEvent::Opened)) << port->describe(PortEvent::OpenFailed);
    }

    // Sends a line and waits (bounded) for the answer's bytes.
    std::string exchange(const std::string& line, std::size_t replySize = 3) {
        received.clear();
        EXPECT_FALSE(port->write(line));
        (void)QTest::qWaitFor([this, replySize] { return received.size() >= replySize; }, 2000);
        return received;
    }

    bool seen(PortEvent event, int withinMs = 8000) {
        return QTest::qWaitFor([this, event] { return std::find(events.begin(), events.end(), event) != events.end(); },
                               withinMs);
    }

    std::unique_ptr<PtyProjector> projector;
    std::unique_ptr<Ser2net> server;
    FakePortAdvisor advisor;
    std::unique_ptr<ComPorts> port;
    std::string atProjector;
    std::string received;
    std::vector<PortEvent> events;
    std::vector<std::string> notices;
};

TEST_P(OverSer2net, PassesBytesAsTheyAreBothWays) {
    EXPECT_EQ(exchange("CR0\r"), "80\r");
    EXPECT_EQ(exchange("\xff\r"s, 2), "?\r");
    EXPECT_EQ(atProjector, "CR0\r\xff\r"s);
    EXPECT_EQ(projector->panelBaud(), 19200);
}

TEST_P(OverSer2net, ChangesSpeedBehindTheServerOrSaysItCannot) {
    EXPECT_FALSE(port->setLineSettings({.baud = 9600}));
    if (GetParam().setsSpeed) {
        EXPECT_TRUE(QTest::qWaitFor([this] { return projector->panelBaud() == 9600; }, 2000));
        // The projector still talks at 19200: its answer no longer comes through whole.
        EXPECT_NE(exchange("CR0\r"), "80\r");
        EXPECT_TRUE(notices.empty());
        EXPECT_EQ(std::count(events.begin(), events.end(), PortEvent::SettingsRefused), 0);
    } else {
        EXPECT_EQ(exchange("CR0\r"), "80\r");
        EXPECT_EQ(projector->panelBaud(), 19200);
        ASSERT_EQ(notices.size(), 1U);
        EXPECT_NE(notices[0].find("set on the device server"), std::string::npos) << notices[0];
    }
}

TEST_P(OverSer2net, ResumesAfterTheServerWasGone) {
    if (GetParam().setsSpeed) {
        ASSERT_FALSE(port->setLineSettings({.baud = 9600}));
    }
    server->stop();
    ASSERT_TRUE(seen(PortEvent::DeviceLost));
    const PortError failure = port->write("CR0\r");
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("lost the connection"), std::string::npos) << *failure;
    EXPECT_TRUE(port->isOpen().value);

    ASSERT_TRUE(server->start());
    // On a slow machine the server may come back just after a try: the next follows the longest delay.
    ASSERT_TRUE(seen(PortEvent::DeviceBack, kLongestRetryMs + 4000));
    if (GetParam().setsSpeed) {
        // The line is set again as it was before the loss.
        EXPECT_TRUE(QTest::qWaitFor([this] { return projector->panelBaud() == 9600; }, 2000));
        ASSERT_FALSE(port->setLineSettings({.baud = 19200}));
    }
    EXPECT_EQ(exchange("CR0\r"), "80\r");
}

INSTANTIATE_TEST_SUITE_P(Protocols, OverSer2net,
                         testing::Values(Protocol{.name = "Rfc2217", .scheme = "rfc2217", .setsSpeed = true},
                                         Protocol{.name = "RawTcp", .scheme = "tcp", .setsSpeed = false}),
                         [](const testing::TestParamInfo<Protocol>& p) { return std::string(p.param.name); });

// A server that plays a fixed script as soon as the panel has said something.
struct Script {
    const char* name;
    bool listening;
    std::string reply;
    std::string failure; // part of the failure text; empty: opens
    std::string data;    // what the panel then reads
};

void PrintTo(const Script& script, std::ostream* os) {
    *os << script.name;
}

class ScriptedServer : public testing::TestWithParam<Script> {};

TEST_P(ScriptedServer, OpensOrSaysWhatToCheckInBoundedTime) {
    const Script& script = GetParam();
    // On ::1 where the machine has IPv6, to try an address in brackets; else on 127.0.0.1.
    QTcpServer server;
    const bool ipv6 = test::listenBelowClientPorts(server, QHostAddress(QHostAddress::LocalHostIPv6));
    ASSERT_TRUE(ipv6 || test::listenBelowClientPorts(server));
    const QString host = ipv6 ? QStringLiteral("[::1]") : QStringLiteral("127.0.0.1");
    const quint16 serverPort = server.serverPort();
    QObject::connect(&server, &QTcpServer::newConnection, [&server, &script] {
        QTcpSocket* client = server.nextPendingConnection();
        QObject::connect(client, &QTcpSocket::readyRead, client, [client, &script] {
            client->readAll();
            if (!script.reply.empty()) {
                client->write(script.reply.data(), static_cast<qint64>(script.reply.size()));
            }
        });
    });
    if (!script.listening) {
        server.close();
    }
    const FakePortAdvisor advisor;
    ComPorts port({QStringLiteral("rfc2217://%1:%2").arg(host).arg(serverPort), {}}, makeDevice, advisor);
    std::vector<PortEvent> events;
    port.setEventHandler([&events](PortEvent event) { events.push_back(event); });
    QElapsedTimer clock;
    clock.start();
    const PortResult<Opening> opening = port.open();
    ASSERT_FALSE(opening.error) << *opening.error;
    EXPECT_LT(clock.elapsed(), 100) << "opening does not wait";
    ASSERT_TRUE(QTest::qWaitFor([&events] { return !events.empty(); }, 7000));
    if (!script.failure.empty()) {
        ASSERT_EQ(events, std::vector<PortEvent>{PortEvent::OpenFailed});
        const std::string failure = port.describe(PortEvent::OpenFailed);
        EXPECT_NE(failure.find(script.failure), std::string::npos) << failure;
        EXPECT_FALSE(port.isOpen().value);
        return;
    }
    ASSERT_EQ(events.front(), PortEvent::Opened) << port.describe(PortEvent::OpenFailed);
    std::string data;
    (void)QTest::qWaitFor(
        [&] {
            data += port.readAll().value;
            return data.size() >= script.data.size();
        },
        2000);
    EXPECT_EQ(data, script.data);
}

// IAC DO COM-PORT-OPTION, the answer 19200 to the speed, then data with an escaped 0xFF.
const std::string kAnsweringServer = "\xff\xfd\x2c"
                                     "\xff\xfa\x2c\x65\x00\x00\x4b\x00\xff\xf0"
                                     "A\xff\xff"
                                     "B"s;

INSTANTIATE_TEST_SUITE_P(
    Servers, ScriptedServer,
    testing::Values(
        Script{.name = "Answering",
               .listening = true,
               .reply = kAnsweringServer,
               .failure = {},
               .data = "A\xff"
                       "B"s},
        Script{.name = "Silent", .listening = true, .reply = {}, .failure = "did not answer", .data = {}},
        Script{.name = "NoComPortOption",
               .listening = true,
               .reply = "\xff\xfe\x2c"s,
               .failure = "does not let the program set",
               .data = {}},
        Script{.name = "Closed", .listening = false, .reply = {}, .failure = "refused the connection", .data = {}},
        // What ser2net answers a client while another has its port: an open failure, not data.
        Script{.name = "InUse",
               .listening = true,
               .reply = "\xff\xfb\x03\xff\xfd\x2cPort already in use\r\n"s,
               .failure = "the device server says the port is in use; another client may be using it",
               .data = {}},
        // A speed the server replaces while the line is set is a failure of the open.
        Script{.name = "SpeedReplaced",
               .listening = true,
               .reply = "\xff\xfd\x2c\xff\xfa\x2c\x65\x00\x00\x25\x80\xff\xf0"s,
               .failure = "does not accept the line settings 19200,N,8,1: the device server set 9600 baud",
               .data = {}}),
    [](const testing::TestParamInfo<Script>& p) { return std::string(p.param.name); });

// Another client takes the port: the server closes the panel's connection, then turns each new one
// away. The panel says so and tries again ever less often, rather than taking the line back at once.
TEST(Takeover, IsToldAndTriedAgainLessOften) {
    QTcpServer server;
    ASSERT_TRUE(test::listenBelowClientPorts(server));
    QElapsedTimer clock;
    clock.start();
    std::vector<qint64> connections;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* client = server.nextPendingConnection();
        connections.push_back(clock.elapsed());
        if (connections.size() == 1) {
            // The first client has the line until another takes it.
            QTimer::singleShot(300, client, [client] { client->disconnectFromHost(); });
        } else {
            client->write("Port already in use\r\n");
            client->disconnectFromHost();
        }
    });
    const FakePortAdvisor advisor;
    ComPorts port({QStringLiteral("tcp://127.0.0.1:%1").arg(server.serverPort()), {}}, makeDevice, advisor);
    std::vector<PortEvent> events;
    qint64 lostAt = -1;
    port.setEventHandler([&](PortEvent event) {
        events.push_back(event);
        if (event == PortEvent::DeviceLost) {
            lostAt = clock.elapsed();
        }
    });
    ASSERT_FALSE(port.open().error);
    ASSERT_TRUE(QTest::qWaitFor([&] { return lostAt >= 0; }, 3000));
    const std::string told = port.describe(PortEvent::DeviceLost);
    EXPECT_NE(told.find("Another client may be using the port"), std::string::npos) << told;
    // An ordinary loss is tried again after 1 s; a takeover after 2 s, then 4 s.
    ASSERT_TRUE(QTest::qWaitFor([&] { return connections.size() >= 3; }, 9000)) << connections.size();
    EXPECT_GE(connections[1] - lostAt, 1900);
    EXPECT_GE(connections[2] - connections[1], 3800);
    EXPECT_EQ(std::count(events.begin(), events.end(), PortEvent::DeviceBack), 0)
        << "a connection turned away is never back";
}

} // namespace

} // namespace tavo
