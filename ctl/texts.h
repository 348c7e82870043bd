// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tavo-ctl's texts for people share one translation context, whichever of its units says them.

#include <QCoreApplication>

namespace tavo::ctl {

class Texts {
    Q_DECLARE_TR_FUNCTIONS(tavo::ctl::Texts)
};

} // namespace tavo::ctl
