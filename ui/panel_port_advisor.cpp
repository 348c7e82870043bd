// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel_port_advisor.h"

#include <QCoreApplication>

namespace tavo {

// The context of the texts below.
class PanelPortAdvice {
    Q_DECLARE_TR_FUNCTIONS(tavo::PanelPortAdvice)
};

QString PanelPortAdvisor::programName() const {
    return PanelPortAdvice::tr("the panel");
}

QString PanelPortAdvisor::programNameFirst() const {
    return PanelPortAdvice::tr("The panel");
}

// Only what every dialog showing the text offers, since the dialogs name their other buttons
// themselves; the simulated projector stands only behind COM1.
QString PanelPortAdvisor::chooseDevice(int portNumber) const {
    return PanelPortAdvice::tr(" Choose Device… sets the device for COM%1 (in the running panel: right-click COM, or "
                               "Ctrl+D). From a terminal: --com%1 DEVICE%2.")
        .arg(portNumber)
        .arg(portNumber == 1 ? PanelPortAdvice::tr(", or --simulate for a simulated projector") : QString());
}

QString PanelPortAdvisor::useAnotherDevice(int portNumber) const {
    return PanelPortAdvice::tr(", or start the panel with --com%1 DEVICE to use another device").arg(portNumber);
}

// The panel's port is closed only after a port change failed; choosing the port again opens it.
QString PanelPortAdvisor::notOpen(const QString& port, int portNumber) const {
    return PanelPortAdvice::tr("%1 is not open: a port change failed. Choose COM%2 again under COM to try again, or "
                               "choose another device (Ctrl+D).")
        .arg(port)
        .arg(portNumber);
}

} // namespace tavo
