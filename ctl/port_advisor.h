// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tavo-ctl's words in the texts of its COM port: its options --device, --com1 and --com2. It ends
// where the other programs wait for a lost device.

#include "serial/port_advisor.h"

namespace tavo::ctl {

class CtlPortAdvisor final : public PortAdvisor {
public:
    [[nodiscard]] QString programName() const override;
    [[nodiscard]] QString programNameFirst() const override;
    [[nodiscard]] bool waitsForLostDevice() const override { return false; }
    [[nodiscard]] QString chooseDevice(int portNumber) const override;
    [[nodiscard]] QString useAnotherDevice(int portNumber) const override;
    [[nodiscard]] QString notOpen(const QString& port, int portNumber) const override;
};

} // namespace tavo::ctl
