// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of one arrival on the receive path: the whole receive buffer is rendered and decoded again
// each time a piece arrives, so the cost per arrival grows with the buffer. The buffer is capped,
// which bounds the worst case; these figures show where that bound lies.

#include "core/panel_logic.h"
#include "core/rendering.h"
#include "core/status_decoding.h"
#include "tests/support/fake_panel.h"
#include "tests/support/fake_serial_port.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

// Rendering and decoding alone, for a buffer of the given length.
void renderAndDecode(benchmark::State& state) {
    const std::string buffer(static_cast<std::size_t>(state.range(0)), '7');
    for (auto _ : state) {
        const std::string r = tavo::visibleRendering(buffer);
        benchmark::DoNotOptimize(tavo::decodeStatus("CR6\r", r));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(renderAndDecode)->RangeMultiplier(4)->Range(4, 1024);

// The whole path through the logic: one status read, then the reply arrives in pieces of the
// given size until the buffer is full. Reported per arrival.
void arrivalsUntilFull(benchmark::State& state) {
    const auto piece = static_cast<std::size_t>(state.range(0));
    tavo::test::FakePanel panel;
    tavo::test::FakeSerialPort port;
    tavo::PanelLogic logic(panel, port);
    logic.start();
    if (!panel.windowShown) {
        state.SkipWithError("start-up failed");
        return;
    }
    const std::string chunk(piece, '5');
    std::int64_t arrivals = 0;
    for (auto _ : state) {
        state.PauseTiming();
        logic.click(tavo::Control::ReadTemperatures);
        panel.advance(2000); // empties the buffer
        logic.click(tavo::Control::ReadTemperatures);
        state.ResumeTiming();
        for (std::size_t filled = 0; filled < tavo::kReceiveBufferLimit; filled += piece) {
            port.deliver(chunk);
            ++arrivals;
        }
    }
    state.counters["per_arrival"] =
        benchmark::Counter(static_cast<double>(arrivals), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(arrivalsUntilFull)->Arg(1)->Arg(8)->Arg(64);

} // namespace

BENCHMARK_MAIN();
