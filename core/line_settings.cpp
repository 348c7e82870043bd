// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/line_settings.h"

namespace tavo {

std::string toText(const LineSettings& settings) {
    std::string text = std::to_string(settings.baud);
    text += ',';
    text += static_cast<char>(settings.parity);
    text += ',';
    text += std::to_string(settings.dataBits);
    switch (settings.stopBits) {
    case StopBits::One:
        text += ",1";
        break;
    case StopBits::OneAndHalf:
        text += ",1.5";
        break;
    case StopBits::Two:
        text += ",2";
        break;
    }
    return text;
}

} // namespace tavo
