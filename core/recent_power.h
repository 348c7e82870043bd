// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the panel knows of the projector's power state: the phase the last power status read
// answered, while it is recent. The panel sends whatever is clicked, but a click the projector
// would take and ignore in that state (the operation model) is worth a word in the notice. A power
// command sent, or the port opened anew, makes the reading stale: the state it told may be gone.

#include "core/line_exchange.h"
#include "core/ports/clock.h"
#include "core/status_decoding.h"

#include <cstdint>
#include <optional>

namespace tavo {

// How long a power status read counts as telling the state: a warm-up or a cool-down may end
// soon after it, so the reading is trusted only for a little while.
inline constexpr std::int64_t kPowerReadingFreshMs = 10'000;

struct PowerReadingAge {
    PowerPhase phase = PowerPhase::Standby;
    std::int64_t ageMs = 0;
};

class RecentPower final : public ExchangeListener {
public:
    explicit RecentPower(const Clock& clock) : clock_(clock) {}

    // The phase the last power status read told, and how long ago; empty when there was none
    // recently, or it told no phase (a power abnormality).
    [[nodiscard]] std::optional<PowerReadingAge> phase() const;
    // The port closed or opened anew: another device may answer now.
    void forget() { phase_.reset(); }

    void lineWritten(ExchangeId id, std::string_view line, int step) override;
    void exchangeEnded(const ExchangeResult& result) override;
    void lateReply(ExchangeId id, std::string_view line, std::string_view bytes) override;

private:
    void read(std::string_view line, std::string_view reply);

    const Clock& clock_;
    std::optional<PowerPhase> phase_;
    std::int64_t readAtMs_ = 0;
};

} // namespace tavo
