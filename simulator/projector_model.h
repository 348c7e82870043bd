// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A simulated projector as a protocol model, free of any I/O: bytes from the panel go in with the
// time they arrived, reply bytes come out once their time has come. Time is whatever clock the
// caller feeds in, so a real transport, a test and a fuzzer can all drive it.

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <string>
#include <string_view>

namespace tavo {

inline constexpr char kAck = '\x06';

enum class PowerState : std::uint8_t { Standby, CountDown, On, CoolingDown };

// The two-character answer to "CR0" in each state.
constexpr std::string_view powerStatusCode(PowerState state) {
    switch (state) {
    case PowerState::Standby:
        return "80";
    case PowerState::CountDown:
        return "40";
    case PowerState::On:
        return "00";
    case PowerState::CoolingDown:
        return "20";
    }
    return "80";
}

enum class CommandEffect : std::uint8_t {
    None,
    PowerOn,
    PowerOff,
    SelectInput1,
    SelectInput2,
    SelectInput3,
    ReadPower,
    ReadInput,
    ReadLampHours,
    ReadMirror,
    ReadTemperatures,
};

struct KnownCommand {
    std::string_view code;
    CommandEffect effect = CommandEffect::None;
};

// Every command the projector accepts; anything else is answered with "?".
inline constexpr std::array<KnownCommand, 54> kKnownCommands{{
    {.code = "C00", .effect = CommandEffect::PowerOn},
    {.code = "C02", .effect = CommandEffect::PowerOff},
    {.code = "CF INPUT1 ANALOG", .effect = CommandEffect::SelectInput1},
    {.code = "CF INPUT1 DIGITAL", .effect = CommandEffect::SelectInput1},
    {.code = "CF INPUT2 ANALOG", .effect = CommandEffect::SelectInput2},
    {.code = "CF INPUT2 VIDEO", .effect = CommandEffect::SelectInput2},
    {.code = "CF INPUT2 YPBPR", .effect = CommandEffect::SelectInput2},
    {.code = "CF INPUT3 VIDEO", .effect = CommandEffect::SelectInput3},
    {.code = "CF INPUT3 S-VIDEO", .effect = CommandEffect::SelectInput3},
    {.code = "CF INPUT3 YPBPR", .effect = CommandEffect::SelectInput3},
    {.code = "C0B"},
    {.code = "C0C"},
    {.code = "C0D"},
    {.code = "C0E"},
    {.code = "C43"},
    {.code = "C44"},
    {.code = "C1C"},
    {.code = "C1D"},
    {.code = "C0F"},
    {.code = "C10"},
    {.code = "C89"},
    {.code = "C27"},
    {.code = "C8A"},
    {.code = "C1E"},
    {.code = "CF IMAGE STAND"},
    {.code = "CF IMAGE REAL"},
    {.code = "CF IMAGE CINEMA"},
    {.code = "CF IMAGE CUSTOM1"},
    {.code = "CF IMAGE CUSTOM2"},
    {.code = "CF IMAGE CUSTOM3"},
    {.code = "CF IMAGE CUSTOM4"},
    {.code = "CR0", .effect = CommandEffect::ReadPower},
    {.code = "CR1", .effect = CommandEffect::ReadInput},
    {.code = "CR3", .effect = CommandEffect::ReadLampHours},
    {.code = "CR4", .effect = CommandEffect::ReadMirror},
    {.code = "CR6", .effect = CommandEffect::ReadTemperatures},
    {.code = "C01"},
    {.code = "C09"},
    {.code = "C0A"},
    {.code = "C47"},
    {.code = "C46"},
    {.code = "C4B"},
    {.code = "C4A"},
    {.code = "C30"},
    {.code = "C31"},
    {.code = "C8E"},
    {.code = "C8F"},
    {.code = "C3C"},
    {.code = "C3D"},
    {.code = "C3B"},
    {.code = "C3A"},
    {.code = "C3F"},
    {.code = "C5D"},
    {.code = "C5E"},
}};

// The longest line the projector collects; a longer one is dropped whole and answered with "?".
inline constexpr std::size_t kMaxCommandLength = 32;
// The reply pieces the projector holds before they leave. A panel that sends lines faster than
// the answers can go out loses the answers that do not fit, rather than queueing without end.
inline constexpr std::size_t kMaxPendingPieces = 64;

namespace detail {
constexpr bool knownCommandsSound() {
    for (std::size_t i = 0; i < kKnownCommands.size(); ++i) {
        const auto code = kKnownCommands[i].code;
        if (code.empty() || code.size() > kMaxCommandLength || code.find('\r') != code.npos) {
            return false;
        }
        for (std::size_t j = i + 1; j < kKnownCommands.size(); ++j) {
            if (kKnownCommands[j].code == code) {
                return false;
            }
        }
    }
    return true;
}
} // namespace detail
static_assert(detail::knownCommandsSound(), "codes must be unique, short and free of CR");

constexpr const KnownCommand* findKnownCommand(std::string_view code) {
    for (const auto& command : kKnownCommands) {
        if (command.code == code) {
            return &command;
        }
    }
    return nullptr;
}

// What a receiver set to toBaud reads when bytes are sent back to back at fromBaud, with no parity,
// 8 data bits and 1 stop bit: the sampling is done bit by bit, and a frame whose stop bit reads low
// comes out as NUL, as a raw-mode tty delivers a framing error. Equal speeds give the bytes back.
std::string resampleUart(std::string_view bytes, int fromBaud, int toBaud);

class ProjectorModel {
public:
    struct Options {
        PowerState power = PowerState::Standby;
        int input = 1;        // 1 to 3
        int lampHours = 1234; // 0 to 9999; grows while the lamp is lit
        std::string mirror = "11";
        std::string temperatures = "025.0 031.5 042.0";
        int baud = 19200;         // the projector's own line speed
        bool silent = false;      // never answer anything
        int replyDelayMs = 30;    // from the end of a command line to the first reply byte
        int countDownMs = 4000;   // "40" after power-on before "00"
        int coolingDownMs = 6000; // "20" after power-off before "80"
        int splitPercent = 25;    // share of replies sent in two or three pieces
        int pieceGapMs = 8;       // pause between such pieces
        std::uint32_t seed = 1;
    };

    // Empty if the options are usable, else what is wrong with them.
    [[nodiscard]] static std::optional<std::string> validate(const Options& options);

    // The options must be valid.
    explicit ProjectorModel(Options options);

    // Bytes from the panel, received at nowMs. Times never go backwards.
    void feed(std::string_view bytes, std::int64_t nowMs);
    // The speed the panel's end of the line is set to; replies are garbled while it differs from
    // the projector's own, and the panel's commands cannot be understood.
    void setPanelBaud(int baud) { panelBaud_ = baud; }
    // Runs the clock to nowMs: finishes warm-up and cool-down, counts lamp time.
    void advance(std::int64_t nowMs);
    // The reply bytes due by nowMs, in order, each piece as it leaves the projector.
    [[nodiscard]] std::deque<std::string> takeDue(std::int64_t nowMs);
    // When the next reply piece or state change falls due, if any.
    [[nodiscard]] std::optional<std::int64_t> nextEventMs() const;

    [[nodiscard]] PowerState power() const { return power_; }
    [[nodiscard]] int input() const { return input_; }
    [[nodiscard]] int lampHours() const;
    [[nodiscard]] const Options& options() const { return options_; }

private:
    struct Piece {
        std::int64_t dueMs;
        std::string bytes;
    };

    void runLine(std::string_view line, std::int64_t nowMs);
    [[nodiscard]] std::string replyTo(std::string_view line, std::int64_t nowMs);
    void queueReply(std::string reply, std::int64_t nowMs);

    Options options_;
    PowerState power_;
    int input_;
    std::int64_t lampMs_;
    std::int64_t clockMs_ = 0;
    std::int64_t stateEndsMs_ = 0;
    int panelBaud_;
    std::string line_;
    bool lineOverflow_ = false;
    std::deque<Piece> pending_;
    std::minstd_rand random_;
};

} // namespace tavo
