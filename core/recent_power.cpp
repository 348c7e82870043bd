// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/recent_power.h"

#include "core/commands.h"

namespace tavo {

namespace {

bool isLineOf(std::string_view line, Control control) {
    const OneShotCommand* command = findOneShot(control);
    return command != nullptr && line.size() == command->code.size() + 1 && line.starts_with(command->code) &&
           line.back() == kCarriageReturn;
}

} // namespace

std::optional<PowerReadingAge> RecentPower::phase() const {
    const std::int64_t age = clock_.nowMs() - readAtMs_;
    if (!phase_ || age > kPowerReadingFreshMs) {
        return std::nullopt;
    }
    return PowerReadingAge{.phase = *phase_, .ageMs = age};
}

void RecentPower::lineWritten(ExchangeId /*id*/, std::string_view line, int /*step*/) {
    if (isLineOf(line, Control::PowerOn) || isLineOf(line, Control::PowerOff)) {
        phase_.reset();
    }
}

void RecentPower::exchangeEnded(const ExchangeResult& result) {
    if (result.end == ExchangeEnd::Complete) {
        read(result.line, result.reply);
    }
}

void RecentPower::lateReply(ExchangeId /*id*/, std::string_view line, std::string_view bytes) {
    read(line, bytes);
}

void RecentPower::read(std::string_view line, std::string_view reply) {
    if (!isLineOf(line, Control::ReadStatus) || !reply.ends_with(kCarriageReturn)) {
        return;
    }
    const std::optional<PowerCondition> condition = powerCondition(reply.substr(0, reply.size() - 1));
    if (!condition) {
        return;
    }
    phase_ = condition->phase;
    readAtMs_ = clock_.nowMs();
}

} // namespace tavo
