// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The panel's words in the texts of its COM ports: what its user can do about a port that failed,
// with the window's device chooser, Try Without a Projector, and the options --com1, --com2 and
// --simulate.

#include "serial/port_advisor.h"

namespace tavo {

class PanelPortAdvisor final : public PortAdvisor {
public:
    [[nodiscard]] QString programName() const override;
    [[nodiscard]] QString programNameFirst() const override;
    [[nodiscard]] bool waitsForLostDevice() const override { return true; }
    [[nodiscard]] QString chooseDevice(int portNumber) const override;
    [[nodiscard]] QString useAnotherDevice(int portNumber) const override;
    [[nodiscard]] QString notOpen(const QString& port, int portNumber) const override;
};

} // namespace tavo
