// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated projector against anything a panel (or line noise) can send: the input picks the
// projector's options, then is a script of byte chunks arriving at arbitrary later times, changes
// of the panel's line speed, clock runs and reply collection. The model must not crash, must keep
// what it holds (queued replies, the unfinished line) bounded however long the script runs, and
// must never ask to be woken for a time that has already passed.

#include "fuzz/script.h"
#include "simulator/projector_model.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

using tavo::fuzz::Script;

// The speeds a panel offers, and some it does not, so that garbled replies are exercised too.
constexpr std::array<int, 8> kBauds{19200, 9600, 38400, 4800, 1200, 115200, 0, -9600};

// A reply of the default options is at most 18 bytes, and a receiver at a faster speed reads at
// most five bytes out of each byte sent.
constexpr std::size_t kPendingByteBound = tavo::kMaxPendingPieces * 18 * 5;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

tavo::ProjectorModel::Options optionsFrom(Script& script) {
    tavo::ProjectorModel::Options options;
    options.power = static_cast<tavo::PowerState>(script.next() % 4);
    options.input = 1 + script.next() % 3;
    options.lampHours = static_cast<int>(script.next32() % 10000);
    options.mirror = (script.next() % 2 == 0) ? "00" : "11";
    options.baud = kBauds[script.next() % 6];
    const std::uint8_t flags = script.next();
    options.silent = (flags & 1U) != 0;
    options.replyDelayMs = script.next() * 4;
    options.countDownMs = script.next() * 64;
    options.coolingDownMs = script.next() * 64;
    options.splitPercent = script.next() % 101;
    options.pieceGapMs = script.next() % 64;
    options.seed = script.next32();
    return options;
}

// What the model holds for later, counted on a copy so that the run itself is not disturbed.
struct Pending {
    std::size_t pieces = 0;
    std::size_t bytes = 0;
};

Pending pendingOf(const tavo::ProjectorModel& model) {
    tavo::ProjectorModel copy = model;
    Pending pending;
    for (const auto& piece : copy.takeDue(std::numeric_limits<std::int64_t>::max())) {
        ++pending.pieces;
        pending.bytes += piece.size();
    }
    return pending;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Script script(data, size);
    const tavo::ProjectorModel::Options options = optionsFrom(script);
    if (tavo::ProjectorModel::validate(options)) {
        return 0;
    }
    tavo::ProjectorModel model(options);
    std::int64_t now = 0;

    while (!script.done()) {
        switch (script.next() % 5) {
        case 0:
        case 1:
            model.feed(script.take(script.next()), now);
            break;
        case 2:
            model.setPanelBaud(kBauds[script.next() % kBauds.size()]);
            break;
        case 3: {
            // Times only go forward; a step may be anything from nothing to days.
            const std::uint8_t scale = script.next() % 4;
            const std::uint32_t step = script.next32();
            now += scale == 0 ? step % 16 : scale == 1 ? step % 1024 : scale == 2 ? step % 65536 : step;
            model.advance(now);
            break;
        }
        default: {
            model.advance(now);
            const auto due = model.takeDue(now);
            for (const auto& piece : due) {
                check(!piece.empty());
            }
            // Everything due by now has been handed out, and the state changes up to now are done.
            if (const auto next = model.nextEventMs()) {
                check(*next > now);
            }
            break;
        }
        }
        check(model.input() >= 1 && model.input() <= 3);
        check(model.lampHours() >= 0 && model.lampHours() <= 9999);
        const Pending pending = pendingOf(model);
        check(pending.pieces <= tavo::kMaxPendingPieces);
        check(pending.bytes <= kPendingByteBound);
    }
    return 0;
}
