// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The core's texts in the user's language: none is installed with --json, so they stay English.

#include "core/ports/wording.h"

#include <QCoreApplication>
#include <string>

namespace tavo::ctl {

class TranslatedWording final : public Wording {
public:
    [[nodiscard]] std::string wordsOf(const Phrase& phrase) const override {
        return QCoreApplication::translate(phrase.context, phrase.source).toStdString();
    }
};

} // namespace tavo::ctl
