// SPDX-License-Identifier: GPL-3.0-or-later
#include "simulator/projector_model.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace tavo {

namespace {

constexpr std::int64_t kMsPerHour = 3'600'000;
constexpr int kMaxLampHours = 9999;
constexpr int kBitsPerFrame = 10; // start, 8 data, stop

bool lampLit(PowerState state) {
    return state == PowerState::CountDown || state == PowerState::On;
}

// The line as a sender at one speed drives it: idle high, then back-to-back frames. Time is counted
// in units in which both bit times are whole numbers, so sampling needs no rounding.
class UartLine {
public:
    UartLine(std::string_view bytes, std::int64_t bitTime) : bytes_(bytes), bitTime_(bitTime) {}

    [[nodiscard]] int level(std::int64_t t) const {
        const std::int64_t bit = t / bitTime_;
        const auto frame = static_cast<std::size_t>(bit / kBitsPerFrame);
        if (frame >= bytes_.size()) {
            return 1;
        }
        const auto inFrame = bit % kBitsPerFrame;
        if (inFrame == 0) {
            return 0;
        }
        if (inFrame == kBitsPerFrame - 1) {
            return 1;
        }
        const auto byte = static_cast<unsigned char>(bytes_[frame]);
        return (byte >> (inFrame - 1)) & 1U;
    }

    // The first time at or after t at which the line is at the given level.
    [[nodiscard]] std::optional<std::int64_t> next(std::int64_t t, int wanted) const {
        if (level(t) == wanted) {
            return t;
        }
        const std::int64_t end = static_cast<std::int64_t>(bytes_.size()) * kBitsPerFrame;
        for (std::int64_t bit = t / bitTime_ + 1; bit < end; ++bit) {
            if (level(bit * bitTime_) == wanted) {
                return bit * bitTime_;
            }
        }
        if (wanted == 1) {
            return end * bitTime_;
        }
        return std::nullopt;
    }

private:
    std::string_view bytes_;
    std::int64_t bitTime_;
};

} // namespace

std::string resampleUart(std::string_view bytes, int fromBaud, int toBaud) {
    if (fromBaud == toBaud || fromBaud <= 0 || toBaud <= 0) {
        return std::string(bytes);
    }
    // Units of 1 / (2 * fromBaud * toBaud) seconds.
    const UartLine line(bytes, 2 * std::int64_t{toBaud});
    const std::int64_t halfReceiveBit = fromBaud;
    std::string out;
    std::int64_t t = 0;
    bool waitForIdle = false;
    for (;;) {
        if (waitForIdle) {
            t = *line.next(t, 1);
        }
        const auto start = line.next(t, 0);
        if (!start) {
            break;
        }
        unsigned value = 0;
        for (int i = 0; i < 8; ++i) {
            const auto bit = line.level(*start + halfReceiveBit * (3 + 2 * i));
            value |= static_cast<unsigned>(bit) << i;
        }
        const std::int64_t stopSample = *start + halfReceiveBit * 19;
        waitForIdle = line.level(stopSample) == 0;
        out.push_back(waitForIdle ? '\0' : static_cast<char>(value));
        t = stopSample;
    }
    return out;
}

std::optional<std::string> ProjectorModel::validate(const Options& options) {
    if (options.input < 1 || options.input > 3) {
        return "the input must be 1, 2 or 3";
    }
    if (options.lampHours < 0 || options.lampHours > kMaxLampHours) {
        return "the lamp hours must lie between 0 and 9999";
    }
    if (options.mirror.size() != 2 || options.mirror.find_first_not_of("01") != std::string::npos) {
        return "the mirror setting must be two characters, each 0 or 1";
    }
    if (options.temperatures.find_first_of("\r\n") != std::string::npos) {
        return "the temperatures must not contain a line end";
    }
    if (options.baud <= 0) {
        return "the line speed must be positive";
    }
    if (options.replyDelayMs < 0 || options.countDownMs < 0 || options.coolingDownMs < 0 || options.pieceGapMs < 0) {
        return "delays must not be negative";
    }
    if (options.splitPercent < 0 || options.splitPercent > 100) {
        return "the split share must lie between 0 and 100 percent";
    }
    return std::nullopt;
}

ProjectorModel::ProjectorModel(Options options)
    : options_(std::move(options)), power_(options_.power), input_(options_.input),
      lampMs_(std::int64_t{options_.lampHours} * kMsPerHour), panelBaud_(options_.baud), random_(options_.seed) {
    if (power_ == PowerState::CountDown) {
        stateEndsMs_ = options_.countDownMs;
    } else if (power_ == PowerState::CoolingDown) {
        stateEndsMs_ = options_.coolingDownMs;
    }
}

int ProjectorModel::lampHours() const {
    return static_cast<int>(std::min<std::int64_t>(lampMs_ / kMsPerHour, kMaxLampHours));
}

void ProjectorModel::advance(std::int64_t nowMs) {
    // Equal times still finish a state that ends now, such as a count-down of no length.
    if (nowMs < clockMs_) {
        return;
    }
    if (lampLit(power_)) {
        lampMs_ += nowMs - clockMs_;
    }
    clockMs_ = nowMs;
    if (power_ == PowerState::CountDown && nowMs >= stateEndsMs_) {
        power_ = PowerState::On;
    } else if (power_ == PowerState::CoolingDown && nowMs >= stateEndsMs_) {
        power_ = PowerState::Standby;
    }
}

void ProjectorModel::feed(std::string_view bytes, std::int64_t nowMs) {
    advance(nowMs);
    for (const char c : bytes) {
        if (c == '\n') {
            continue; // terminals that send CR LF
        }
        if (c != '\r') {
            if (line_.size() < kMaxCommandLength) {
                line_.push_back(c);
            } else {
                lineOverflow_ = true;
            }
            continue;
        }
        if (lineOverflow_) {
            queueReply("?\r", nowMs);
        } else {
            runLine(line_, nowMs);
        }
        line_.clear();
        lineOverflow_ = false;
    }
}

void ProjectorModel::runLine(std::string_view line, std::int64_t nowMs) {
    if (panelBaud_ != options_.baud) {
        // What arrives at the wrong speed is noise, never a command the projector knows.
        queueReply("?\r", nowMs);
        return;
    }
    queueReply(replyTo(line, nowMs), nowMs);
}

std::string ProjectorModel::replyTo(std::string_view line, std::int64_t nowMs) {
    const KnownCommand* command = findKnownCommand(line);
    if (command == nullptr) {
        return "?\r";
    }
    const std::string ack{kAck, '\r'};
    switch (command->effect) {
    case CommandEffect::None:
        return ack;
    case CommandEffect::PowerOn:
        if (power_ == PowerState::Standby) {
            power_ = PowerState::CountDown;
            stateEndsMs_ = nowMs + options_.countDownMs;
        }
        return ack;
    case CommandEffect::PowerOff:
        if (lampLit(power_)) {
            power_ = PowerState::CoolingDown;
            stateEndsMs_ = nowMs + options_.coolingDownMs;
        }
        return ack;
    case CommandEffect::SelectInput1:
        input_ = 1;
        return ack;
    case CommandEffect::SelectInput2:
        input_ = 2;
        return ack;
    case CommandEffect::SelectInput3:
        input_ = 3;
        return ack;
    case CommandEffect::ReadPower:
        return std::string(powerStatusCode(power_)) + '\r';
    case CommandEffect::ReadInput:
        return std::to_string(input_) + '\r';
    case CommandEffect::ReadLampHours: {
        std::array<char, 8> digits{};
        std::snprintf(digits.data(), digits.size(), "%04d", lampHours());
        return std::string(digits.data()) + '\r';
    }
    case CommandEffect::ReadMirror:
        return options_.mirror + '\r';
    case CommandEffect::ReadTemperatures:
        return options_.temperatures + '\r';
    }
    return "?\r";
}

void ProjectorModel::queueReply(std::string reply, std::int64_t nowMs) {
    if (options_.silent || reply.empty()) {
        return;
    }
    std::int64_t due = nowMs + options_.replyDelayMs;
    if (!pending_.empty()) {
        due = std::max(due, pending_.back().dueMs);
    }
    std::size_t pieces = 1;
    if (reply.size() >= 2 && static_cast<int>(random_() % 100) < options_.splitPercent) {
        pieces = std::min<std::size_t>(reply.size(), 2 + random_() % 2);
    }
    if (pending_.size() + pieces > kMaxPendingPieces) {
        return; // overrun: this answer is lost
    }
    std::size_t begin = 0;
    for (std::size_t piece = 0; piece < pieces; ++piece) {
        std::size_t end = reply.size();
        if (piece + 1 < pieces) {
            // Leave at least one byte for each later piece.
            const std::size_t room = reply.size() - begin - (pieces - piece - 1);
            end = begin + 1 + random_() % room;
        }
        pending_.push_back(
            {.dueMs = due, .bytes = resampleUart(reply.substr(begin, end - begin), options_.baud, panelBaud_)});
        begin = end;
        due += options_.pieceGapMs;
    }
}

std::deque<std::string> ProjectorModel::takeDue(std::int64_t nowMs) {
    std::deque<std::string> due;
    while (!pending_.empty() && pending_.front().dueMs <= nowMs) {
        due.push_back(std::move(pending_.front().bytes));
        pending_.pop_front();
    }
    return due;
}

std::optional<std::int64_t> ProjectorModel::nextEventMs() const {
    std::optional<std::int64_t> next;
    if (!pending_.empty()) {
        next = pending_.front().dueMs;
    }
    if (power_ == PowerState::CountDown || power_ == PowerState::CoolingDown) {
        next = next ? std::min(*next, stateEndsMs_) : stateEndsMs_;
    }
    return next;
}

} // namespace tavo
