// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's logic driving the simulated projector through the COM ports and a real
// pseudo-terminal: the whole road of an exchange except the window.

#include "core/panel_logic.h"
#include "serial/com_ports.h"
#include "simulator/pty_projector.h"
#include "tests/support/fake_panel.h"
#include "tests/support/projector_over_pty.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>

namespace tavo {

namespace {

using test::FakePanel;

class FormOverPty : public test::ProjectorOverPty {
protected:
    void start(ProjectorModel::Options model) {
        ASSERT_NO_FATAL_FAILURE(startProjector(std::move(model)));
        logic = std::make_unique<PanelLogic>(panel, *port);
        panel.setTickHandler([this](TimerId timer) { logic->timerTick(timer); });
        logic->start();
        ASSERT_TRUE(panel.windowShown);
        ASSERT_TRUE(port->isOpen().value);
    }

    // Clicks and waits (bounded, on real time) until a reply ending in CR has arrived; the
    // virtual clock stands still meanwhile, so the reply wait cannot run out.
    bool clickAndAwaitReply(Control control) {
        logic->click(control);
        return QTest::qWaitFor([this] {
            const auto& buffer = logic->receiveBuffer();
            return !buffer.empty() && buffer.back() == '\r';
        });
    }

    static ProjectorModel::Options projectorOptions() {
        ProjectorModel::Options options;
        options.replyDelayMs = 5;
        options.splitPercent = 100; // every reply in pieces: the piecewise receive path
        options.pieceGapMs = 3;
        return options;
    }

    FakePanel panel;
    std::unique_ptr<PanelLogic> logic;
};

struct StatusCase {
    const char* name;
    Control button;
    std::string rxd;
    std::string status;
};

void PrintTo(const StatusCase& c, std::ostream* os) {
    *os << c.name;
}

class StatusReadsOverPty : public FormOverPty, public testing::WithParamInterface<StatusCase> {};

TEST_P(StatusReadsOverPty, AreShownAndDecoded) {
    start(projectorOptions());
    ASSERT_TRUE(clickAndAwaitReply(GetParam().button)) << logic->receiveBuffer();
    EXPECT_EQ(panel.text(Control::RxdField), GetParam().rxd);
    EXPECT_EQ(panel.text(Control::StatusLine), GetParam().status);
    EXPECT_FALSE(logic->replyPending());
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, StatusReadsOverPty,
    testing::Values(StatusCase{"Status", Control::ReadStatus, " 8 0 CR ", " Stand by"},
                    StatusCase{"Mode", Control::ReadInput, " 1 CR ", " Input 1"},
                    StatusCase{"LampTime", Control::ReadLampTime, " 1 2 3 4 CR ", " 1 2 3 4 Hour Use"},
                    StatusCase{"Setting", Control::ReadMirror, " 1 1 CR ", " Normally"},
                    StatusCase{"Temperatures", Control::ReadTemperatures, " 0 2 5 . 0   0 3 1 . 5   0 4 2 . 0 CR ",
                               "  S1= 0 2 5 . 0 C  ,   S2=  3 1 . 5 C , S3= 0 4 2 . 0 C"}),
    [](const testing::TestParamInfo<StatusCase>& row) { return std::string(row.param.name); });

TEST_F(FormOverPty, PowerOnThenStatusCountsDown) {
    start(projectorOptions());
    ASSERT_TRUE(clickAndAwaitReply(Control::PowerOn));
    EXPECT_EQ(panel.text(Control::RxdField), " ACK CR ");
    // The reply wait of POWER ON ends; the buffer starts afresh for the next read.
    panel.advance(5000);
    ASSERT_TRUE(clickAndAwaitReply(Control::ReadStatus)) << logic->receiveBuffer();
    EXPECT_EQ(panel.text(Control::StatusLine), " Count down");
}

TEST_F(FormOverPty, SilentProjectorLeavesTheNoReplyMarker) {
    auto options = projectorOptions();
    options.silent = true;
    start(options);
    QByteArray heard;
    QObject::connect(projector.get(), &PtyProjector::received, [&heard](const QByteArray& bytes) { heard += bytes; });
    logic->click(Control::ReadStatus);
    ASSERT_TRUE(QTest::qWaitFor([&] { return heard == "CR0\r"; })) << heard.toStdString();
    panel.advance(2000);
    EXPECT_EQ(panel.text(Control::RxdField), " X X X X");
}

TEST_F(FormOverPty, WrongSpeedShowsGarbleAndDecodesNothing) {
    auto options = projectorOptions();
    options.splitPercent = 0; // one piece, garbled as a whole
    start(options);
    logic->click(Control::Speed9600Option); // 9600 while the projector runs at 19200
    EXPECT_EQ(logic->lineSettings(), kSettings9600);
    EXPECT_EQ(projector->panelBaud(), 9600);
    logic->click(Control::ReadStatus);
    const std::string garbled = resampleUart("?\r", 19200, 9600);
    ASSERT_TRUE(QTest::qWaitFor([&] { return logic->receiveBuffer().size() >= garbled.size(); }));
    EXPECT_EQ(logic->receiveBuffer(), garbled);
    EXPECT_EQ(panel.text(Control::StatusLine), "");
}

} // namespace

} // namespace tavo
