// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An advisor with words of its own, so that a test of the port layer sees where a program's advice
// and name go into a text without depending on any program's wording.

#include "serial/port_advisor.h"

namespace tavo::test {

class FakePortAdvisor final : public PortAdvisor {
public:
    explicit FakePortAdvisor(bool waits = true) : waits_(waits) {}

    [[nodiscard]] QString programName() const override { return QStringLiteral("the program"); }
    [[nodiscard]] QString programNameFirst() const override { return QStringLiteral("The program"); }
    [[nodiscard]] bool waitsForLostDevice() const override { return waits_; }
    [[nodiscard]] QString chooseDevice(int portNumber) const override {
        return QStringLiteral(" [choose a device for COM%1]").arg(portNumber);
    }
    [[nodiscard]] QString useAnotherDevice(int portNumber) const override {
        return QStringLiteral(", [or another device for COM%1]").arg(portNumber);
    }
    [[nodiscard]] QString notOpen(const QString& /*port*/, int /*portNumber*/) const override { return {}; }

private:
    bool waits_;
};

} // namespace tavo::test
