// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/port_advisor.h"

#include <QCoreApplication>

namespace tavo::pjlink {

// The context of the texts below.
class BridgePortAdvice {
    Q_DECLARE_TR_FUNCTIONS(tavo::pjlink::BridgePortAdvice)
};

QString BridgePortAdvisor::programName() const {
    return BridgePortAdvice::tr("the bridge");
}

QString BridgePortAdvisor::programNameFirst() const {
    return BridgePortAdvice::tr("The bridge");
}

} // namespace tavo::pjlink
