#include "serial/line_settings.h"

#include <array>
#include <charconv>

namespace tavo {

namespace {

std::optional<int> parseNumber(std::string_view field) {
    int value = 0;
    const auto* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (field.empty() || ec != std::errc{} || ptr != end) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<LineSettings> parseLineSettings(std::string_view text) {
    std::array<std::string_view, 4> fields;
    std::size_t count = 0;
    for (;;) {
        const auto comma = text.find(',');
        if (count == fields.size()) {
            return std::nullopt;
        }
        fields[count++] = text.substr(0, comma);
        if (comma == std::string_view::npos) {
            break;
        }
        text.remove_prefix(comma + 1);
    }
    if (count != fields.size()) {
        return std::nullopt;
    }

    LineSettings settings;
    const auto baud = parseNumber(fields[0]);
    if (!baud || *baud < 50 || *baud > 4'000'000) {
        return std::nullopt;
    }
    settings.baud = *baud;

    if (fields[1].size() != 1) {
        return std::nullopt;
    }
    switch (fields[1][0]) {
    case 'N':
    case 'n':
        settings.parity = Parity::None;
        break;
    case 'E':
    case 'e':
        settings.parity = Parity::Even;
        break;
    case 'O':
    case 'o':
        settings.parity = Parity::Odd;
        break;
    case 'M':
    case 'm':
        settings.parity = Parity::Mark;
        break;
    case 'S':
    case 's':
        settings.parity = Parity::Space;
        break;
    default:
        return std::nullopt;
    }

    const auto dataBits = parseNumber(fields[2]);
    if (!dataBits || *dataBits < 5 || *dataBits > 8) {
        return std::nullopt;
    }
    settings.dataBits = *dataBits;

    if (fields[3] == "1") {
        settings.stopBits = StopBits::One;
    } else if (fields[3] == "1.5") {
        settings.stopBits = StopBits::OneAndHalf;
    } else if (fields[3] == "2") {
        settings.stopBits = StopBits::Two;
    } else {
        return std::nullopt;
    }
    return settings;
}

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
