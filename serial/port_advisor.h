// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What a program adds to the texts of its COM ports. The serial layer says what happened to a port
// ("COM1 (/dev/ttyS0) cannot be opened: the device does not exist. Serial ports found: ..."); the
// program that shows the text says what its user can do about it, in the words of its own options
// and windows, and how it names itself. Each program makes its advisor and hands it to ComPorts,
// which must not outlive it. Every text is translated in the advisor's own context.

#include <QString>

namespace tavo {

class PortAdvisor {
public:
    virtual ~PortAdvisor() = default;
    PortAdvisor() = default;
    PortAdvisor(const PortAdvisor&) = delete;
    PortAdvisor& operator=(const PortAdvisor&) = delete;

    // How a sentence names the program ("the panel"), and how one that starts with it does ("The
    // panel").
    [[nodiscard]] virtual QString programName() const = 0;
    [[nodiscard]] virtual QString programNameFirst() const = 0;
    // Whether the program stays while a device is lost, to carry on when it is back; the texts of
    // a loss then say so.
    [[nodiscard]] virtual bool waitsForLostDevice() const = 0;
    // How the user names another device for COM`portNumber`: whole sentences after the failure,
    // with their leading blank, or empty.
    [[nodiscard]] virtual QString chooseDevice(int portNumber) const = 0;
    // How else to reach the projector when no group may use the device: a clause that ends the
    // sentence asking for a udev rule, with its leading ", ", or empty.
    [[nodiscard]] virtual QString useAnotherDevice(int portNumber) const = 0;
    // The whole text for a write to COM`portNumber` while it is not open, `port` naming it; empty
    // for the plain "… is not open."
    [[nodiscard]] virtual QString notOpen(const QString& port, int portNumber) const = 0;
};

} // namespace tavo
