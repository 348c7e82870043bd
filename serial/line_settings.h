#pragma once

// The line-settings text of the serial port ("19200,N,8,1"): speed, parity letter, data bits and
// stop bits, separated by commas without blanks, taken apart into values a port can apply.

#include <optional>
#include <string>
#include <string_view>

namespace tavo {

enum class Parity : char { None = 'N', Even = 'E', Odd = 'O', Mark = 'M', Space = 'S' };
enum class StopBits : char { One, OneAndHalf, Two };

struct LineSettings {
    int baud = 19200;
    Parity parity = Parity::None;
    int dataBits = 8;
    StopBits stopBits = StopBits::One;

    friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// Empty unless the text has exactly four fields with a speed from 50 to 4000000, a parity letter
// N, E, O, M or S (either case), 5 to 8 data bits and 1, 1.5 or 2 stop bits.
[[nodiscard]] std::optional<LineSettings> parseLineSettings(std::string_view text);

// The text form again, such as "9600,E,7,2".
[[nodiscard]] std::string toText(const LineSettings& settings);

} // namespace tavo
