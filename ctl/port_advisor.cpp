// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/port_advisor.h"

#include <QCoreApplication>

namespace tavo::ctl {

// The context of the texts below.
class CtlPortAdvice {
    Q_DECLARE_TR_FUNCTIONS(tavo::ctl::CtlPortAdvice)
};

QString CtlPortAdvisor::programName() const {
    return QStringLiteral("tavo-ctl");
}

QString CtlPortAdvisor::programNameFirst() const {
    return programName();
}

QString CtlPortAdvisor::chooseDevice(int /*portNumber*/) const {
    return CtlPortAdvice::tr(" Name the device with --device DEV (such as /dev/ttyUSB0, rfc2217://HOST:PORT or "
                             "tcp://HOST:PORT); --com1 and --com2 use the devices chosen in the panel.");
}

QString CtlPortAdvisor::useAnotherDevice(int /*portNumber*/) const {
    return CtlPortAdvice::tr(", or name another device with --device DEV");
}

QString CtlPortAdvisor::notOpen(const QString& /*port*/, int /*portNumber*/) const {
    return {};
}

} // namespace tavo::ctl
