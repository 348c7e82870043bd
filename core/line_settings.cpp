// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/line_settings.h"

#include "core/wording.h"

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

std::string describeLine(const LineSettings& settings, const Wording& wording) {
    // Data bits, parity letter and stop bits run together, as on a device server's page.
    std::string frame = std::to_string(settings.dataBits);
    frame += static_cast<char>(settings.parity);
    switch (settings.stopBits) {
    case StopBits::One:
        frame += '1';
        break;
    case StopBits::OneAndHalf:
        frame += "1.5";
        break;
    case StopBits::Two:
        frame += '2';
        break;
    }
    return fillIn(wording.wordsOf(TAVO_PHRASE("tavo::LineSettings", "%1 baud, %2")),
                  {std::to_string(settings.baud), frame});
}

} // namespace tavo
