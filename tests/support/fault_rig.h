// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The real panel (window, logic, COM ports) on a pseudo-terminal whose far end a fault test
// or benchmark controls: it can hang the line up, break the writes under the port, flood the line
// from another thread, and count what the logic asks of the window and the port.

#include "core/panel_logic.h"
#include "serial/com_ports.h"
#include "tests/support/pty_pair.h"
#include "ui/main_window.h"
#include "ui/panel_port_advisor.h"

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

class QLabel;

namespace tavo::test {

// Writes to the projector's side as fast as the line takes it, from its own thread.
class Flooder {
public:
    explicit Flooder(int masterFd);
    ~Flooder();
    Flooder(const Flooder&) = delete;
    Flooder& operator=(const Flooder&) = delete;

    void stop();
    [[nodiscard]] std::uint64_t bytesWritten() const { return written_.load(); }

private:
    void run(int fd);

    std::atomic<bool> stop_{false};
    std::atomic<std::uint64_t> written_{0};
    std::thread thread_;
};

// The window with the dialogs and the program end replaced by counters, so that a storm of dialogs
// is counted rather than shown; the labels are still shown. A test answers a question through the
// logic's answered().
class CountingWindow : public MainWindow {
public:
    void setLabelText(Control label, std::string_view text) override;
    void showWarning(std::string_view text) override;
    void showPortWarning(std::string_view text) override { showWarning(text); }
    void showStartupError(std::string_view text) override;
    void endProgram() override;

    int warnings = 0;
    int startupErrors = 0;
    int endings = 0;
    std::string lastMessage;
    // The status line's last text other than empty: short repeat intervals clear it again at once.
    std::string lastStatus;
};

// Passes everything through to the real port, counting the writes the logic attempts and the
// receive notifications it gets.
class CountingPort : public SerialPort {
public:
    explicit CountingPort(SerialPort& inner) : inner_(inner) {}

    PortError setPortNumber(int number) override { return inner_.setPortNumber(number); }
    PortError setLineSettings(const LineSettings& settings) override { return inner_.setLineSettings(settings); }
    [[nodiscard]] PortResult<bool> isOpen() override { return inner_.isOpen(); }
    [[nodiscard]] PortResult<Opening> open() override { return inner_.open(); }
    PortError close() override { return inner_.close(); }
    PortError write(std::string_view text) override;
    [[nodiscard]] PortResult<std::string> readAll() override;
    void setEventHandler(EventHandler handler) override;
    [[nodiscard]] std::string describe(PortEvent event) override { return inner_.describe(event); }
    [[nodiscard]] std::string describeOpening() override { return inner_.describeOpening(); }
    [[nodiscard]] std::string describePort() override { return inner_.describePort(); }

    int writes = 0;
    int failedWrites = 0;
    std::string firstFailure;
    int notifications = 0;
    std::uint64_t bytesRead = 0;
    // Called after each notification was handled, for checks that must hold at every arrival.
    std::function<void()> afterNotification;

private:
    SerialPort& inner_;
};

// One panel instance: window, logic, counting port, real COM ports on the given device.
struct PanelRig {
    explicit PanelRig(const QString& device);
    ~PanelRig();
    PanelRig(const PanelRig&) = delete;
    PanelRig& operator=(const PanelRig&) = delete;

    // Loads the logic and shows the window in the full view; false if the port could not be opened
    // (the start-up error is then asked).
    [[nodiscard]] bool start();
    void click(Control control);
    void press(Control control);
    void release(Control control);
    [[nodiscard]] QLabel* label(Control control) const;

    CountingWindow window;
    PanelPortAdvisor advisor;
    ComPorts port;
    CountingPort counting{port};
    std::unique_ptr<PanelLogic> logic;
};

[[nodiscard]] double cpuSeconds();
[[nodiscard]] std::int64_t residentBytes();
// The heap in use. Under AddressSanitizer the resident size mostly shows the quarantine of freed
// blocks, which grows with any churn, so a growing heap is judged by this figure there.
[[nodiscard]] std::int64_t heapBytesInUse();
[[nodiscard]] bool residentSizeIsMeaningful();

} // namespace tavo::test
