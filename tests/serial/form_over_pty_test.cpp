// The panel's logic driving the simulated projector through the host serial port and a real
// pseudo-terminal: the whole road of an exchange except the window.

#include "core/form.h"
#include "serial/host_serial_port.h"
#include "serial/pty_projector.h"
#include "tests/support/fake_panel.h"
#include "tests/support/projector_over_pty.h"
#include "tests/support/qt_wait.h"

#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>

namespace tavo {

namespace {

using test::FakePanel;
using test::waitUntil;

class FormOverPty : public test::ProjectorOverPty {
protected:
    void start(ProjectorModel::Options model) {
        ASSERT_NO_FATAL_FAILURE(startProjector(std::move(model)));
        form = std::make_unique<Form1>(panel, *port);
        panel.setTickHandler([this](TimerId timer) { form->timerTick(timer); });
        ASSERT_TRUE(form->load());
        ASSERT_TRUE(port->isOpen().value);
    }

    // Clicks and waits (bounded, on real time) until a reply ending in CR has arrived; the
    // virtual clock stands still meanwhile, so the reply wait cannot run out.
    bool clickAndAwaitReply(Control control) {
        form->click(control);
        return waitUntil([this] {
            const auto& buffer = form->receiveBuffer();
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
    std::unique_ptr<Form1> form;
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
    ASSERT_TRUE(clickAndAwaitReply(GetParam().button)) << form->receiveBuffer();
    EXPECT_EQ(panel.text(Control::Label12), GetParam().rxd);
    EXPECT_EQ(panel.text(Control::Label25), GetParam().status);
    EXPECT_EQ(form->replyPending(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, StatusReadsOverPty,
    testing::Values(StatusCase{"Status", Control::Command44, " 8 0 CR ", " Stand by"},
                    StatusCase{"Mode", Control::Command45, " 1 CR ", " Input 1"},
                    StatusCase{"LampTime", Control::Command46, " 1 2 3 4 CR ", " 1 2 3 4 Hour Use"},
                    StatusCase{"Setting", Control::Command47, " 1 1 CR ", " Normally"},
                    StatusCase{"Temperatures", Control::Command38, " 0 2 5 . 0   0 3 1 . 5   0 4 2 . 0 CR ",
                               "  S1= 0 2 5 . 0 C  ,   S2=  3 1 . 5 C , S3= 0 4 2 . 0 C"}),
    [](const testing::TestParamInfo<StatusCase>& row) { return std::string(row.param.name); });

TEST_F(FormOverPty, PowerOnThenStatusCountsDown) {
    start(projectorOptions());
    ASSERT_TRUE(clickAndAwaitReply(Control::Command17));
    EXPECT_EQ(panel.text(Control::Label12), " ACK CR ");
    // The reply wait of POWER ON ends; the buffer starts afresh for the next read.
    panel.advance(5000);
    ASSERT_TRUE(clickAndAwaitReply(Control::Command44)) << form->receiveBuffer();
    EXPECT_EQ(panel.text(Control::Label25), " Count down");
}

TEST_F(FormOverPty, SilentProjectorLeavesTheNoReplyMarker) {
    auto options = projectorOptions();
    options.silent = true;
    start(options);
    QByteArray heard;
    QObject::connect(projector.get(), &PtyProjector::received, [&heard](const QByteArray& bytes) { heard += bytes; });
    form->click(Control::Command44);
    ASSERT_TRUE(waitUntil([&] { return heard == "CR0\r"; })) << heard.toStdString();
    panel.advance(2000);
    EXPECT_EQ(panel.text(Control::Label12), " X X X X");
}

TEST_F(FormOverPty, WrongSpeedShowsGarbleAndDecodesNothing) {
    auto options = projectorOptions();
    options.splitPercent = 0; // one piece, garbled as a whole
    start(options);
    form->click(Control::Option4); // 9600 while the projector runs at 19200
    EXPECT_EQ(form->commSettings(), "9600,N,8,1");
    EXPECT_EQ(projector->panelBaud(), 9600);
    form->click(Control::Command44);
    const std::string garbled = resampleUart("?\r", 19200, 9600);
    ASSERT_TRUE(waitUntil([&] { return form->receiveBuffer().size() >= garbled.size(); }));
    EXPECT_EQ(form->receiveBuffer(), garbled);
    EXPECT_EQ(panel.text(Control::Label25), "");
}

} // namespace

} // namespace tavo
