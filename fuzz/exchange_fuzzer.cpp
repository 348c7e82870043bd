// SPDX-License-Identifier: GPL-3.0-or-later
// The conversation against anything a device can send at any time: the input is a script of lines
// submitted, chunks of arbitrary bytes arriving, time passing, waits ended, the device lost and the
// line abandoned, under both pacings. Whatever comes, a reply stays within its bound, each
// exchange ends once, bytes are credited only to the line in flight (a late reply only to its own
// line), and with AfterReply no line goes out while another is in flight.

#include "core/commands.h"
#include "core/line_exchange.h"
#include "fuzz/script.h"
#include "tests/support/fake_serial_port.h"
#include "tests/support/virtual_clock.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <string>

namespace {

using tavo::ExchangeId;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

class Auditor final : public tavo::ExchangeListener {
public:
    explicit Auditor(tavo::Pacing pacing) : pacing_(pacing) {}

    void lineWritten(ExchangeId id, std::string_view /*line*/, int step) override {
        if (step == 1) {
            check(!ended_.contains(id));
            if (pacing_ == tavo::Pacing::AfterReply) {
                check(!open_.has_value());
            }
            open_ = id;
        } else {
            check(open_ == id);
        }
    }
    void bytesArrived(const tavo::Arrival& arrival) override {
        if (!arrival.credited.empty()) {
            check(open_ == arrival.creditedId);
            credited_[arrival.creditedId] += arrival.credited;
        }
        if (!arrival.late.empty()) {
            check(ended_.contains(arrival.lateId));
            check(arrival.creditedId == 0 || arrival.lateId < arrival.creditedId);
        }
    }
    void exchangeEnded(const tavo::ExchangeResult& result) override {
        check(ended_.insert(result.id).second);
        check(result.reply.size() <= tavo::kMaxReplyBytes);
        check(result.reply == credited_[result.id]);
        credited_.erase(result.id);
        if (open_ == result.id) {
            open_.reset();
        }
    }

private:
    tavo::Pacing pacing_;
    std::optional<ExchangeId> open_;
    std::set<ExchangeId> ended_;
    std::map<ExchangeId, std::string> credited_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavo::fuzz::Script script(data, size);
    const tavo::Pacing pacing = script.next() % 2 == 0 ? tavo::Pacing::AfterReply : tavo::Pacing::AtOnce;
    tavo::test::FakeSerialPort port;
    tavo::test::VirtualClock clock;
    tavo::LineExchange exchange(port, clock, pacing);
    Auditor auditor(pacing);
    exchange.addListener(auditor);
    port.setEventHandler([&exchange](tavo::PortEvent event) {
        if (event == tavo::PortEvent::Received) {
            (void)exchange.received();
        }
    });
    (void)port.open();

    while (!script.done()) {
        switch (script.next() % 7) {
        case 0: {
            const auto& command = tavo::kOneShotCommands[script.next() % tavo::kOneShotCommands.size()];
            const std::uint8_t shape = script.next();
            tavo::LineRequest request{.line = std::string(command.code) + tavo::kCarriageReturn,
                                      .replyWaitMs = std::nullopt,
                                      .steps = 1 + shape % 4,
                                      .periodMs = shape / 4};
            if (shape % 8 != 7) {
                request.replyWaitMs = script.next() * 8;
            }
            (void)exchange.submit(std::move(request));
            break;
        }
        case 1:
            port.deliver(script.take(script.next()));
            break;
        case 2:
            // A flood that no reply could be.
            port.deliver(std::string(tavo::kMaxReplyBytes / 4 + script.next(), static_cast<char>(script.next())));
            break;
        case 3:
            clock.advance(script.next() * 4);
            break;
        case 4:
            exchange.endWait();
            break;
        case 5:
            exchange.portFailed("lost");
            break;
        default:
            exchange.abandon();
            break;
        }
        port.calls.clear();
        port.writes.clear();
    }
    return 0;
}
