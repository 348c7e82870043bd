// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bridge's words in the texts of its COM port, for its log: it names itself, opens its device
// again by itself and takes the device as its argument, so it has no options to offer.

#include "serial/port_advisor.h"

namespace tavo::pjlink {

class BridgePortAdvisor final : public PortAdvisor {
public:
    [[nodiscard]] QString programName() const override;
    [[nodiscard]] QString programNameFirst() const override;
    [[nodiscard]] bool waitsForLostDevice() const override { return true; }
    [[nodiscard]] QString chooseDevice(int /*portNumber*/) const override { return {}; }
    [[nodiscard]] QString useAnotherDevice(int /*portNumber*/) const override { return {}; }
    [[nodiscard]] QString notOpen(const QString& /*port*/, int /*portNumber*/) const override { return {}; }
};

} // namespace tavo::pjlink
