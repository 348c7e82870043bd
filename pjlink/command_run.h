// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One PJLink command carried out on the projector: which of the panel's commands and status reads
// it takes, in order, and how their replies become the response. The projector's lines, their
// waits and the meaning of their replies come from the core tables; the replies are judged as
// tavo-ctl judges them.

#include "core/ports/controls.h"
#include "pjlink/line_job.h"
#include "pjlink/protocol.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::pjlink {

// NAME, INF1, INF2 and INFO, as the options give them.
struct Identity {
    std::string name;
    std::string maker;
    std::string product;
    std::string info;
};

inline constexpr std::size_t kMaxNameLength = 64;
inline constexpr std::size_t kMaxInfoLength = 32;

// Characters of the answers' form that controllers' parsers meet in a text and trip on: they split
// a response at each "=" (one crashes on NAME with a second one), and "%" starts a header.
inline constexpr std::string_view kFormCharacters = "=%";
// Texts a controller reads as an error answer rather than as a name.
inline constexpr std::array<std::string_view, 5> kErrorAnswers{"ERR1", "ERR2", "ERR3", "ERR4", "ERRA"};

// What makes `text` unfit as an answer of NAME, INF1, INF2 or INFO: a character of kFormCharacters,
// or the whole text if it reads as an error; nothing if it is fit.
[[nodiscard]] std::optional<std::string> identityProblem(std::string_view text);

// What the bridge knows of the projector that the projector cannot be asked: the mutes and the
// signal kind last set through the bridge. One for all connections, since they share the
// projector.
struct BridgeMemory {
    bool videoMuted = false;
    bool audioMuted = false;
    std::optional<Control> lastInput;
};

// ERST's temperature field warns from this reading of any of the three sensors on.
inline constexpr double kTemperatureWarningCelsius = 60.0;

class CommandRun final : public LineJob {
public:
    CommandRun(Request request, const Identity& identity, BridgeMemory& memory);

    [[nodiscard]] std::optional<LineRequest> next() const override;
    void answer(std::string_view reply, bool kept) override;
    void fail(std::string_view reason) override;
    [[nodiscard]] bool changesProjector() const override;
    [[nodiscard]] std::string outcome() const override;

    [[nodiscard]] bool finished() const { return result_.has_value(); }
    [[nodiscard]] const Request& request() const { return request_; }
    // What follows the "=" of the response, such as "OK", "1" or "ERR3".
    [[nodiscard]] std::string result() const { return result_.value_or(std::string()); }
    // The whole response line, CR included.
    [[nodiscard]] std::string response() const;
    // The projector lines sent and what came back, in printable ASCII for the log.
    [[nodiscard]] const std::string& trace() const { return trace_; }

private:
    struct Exchange {
        Control control;
        std::string reply;
    };

    void carryOn();
    void ask(Control control);
    void finish(std::string result);
    void finish(Error error);
    // The reply to exchange i if it is a well-formed status; otherwise finishes with the error the
    // reply calls for and returns nothing.
    [[nodiscard]] std::optional<std::string_view> reading(std::size_t i);
    // Whether exchange i was acknowledged; otherwise finishes with the error it calls for.
    [[nodiscard]] bool acknowledged(std::size_t i);
    // Whether the power status read first (exchange 0) lets `control` go out, as the operation
    // model decides; otherwise finishes with ERR3 (the projector would ignore it) or ERR4 (the
    // status tells no state).
    [[nodiscard]] bool allowed(Control control);
    // Sends the plan's commands one after another, the first only once the power state allows it:
    // true once the last is acknowledged; otherwise it asks for the next line or finishes with the
    // error the reply calls for.
    [[nodiscard]] bool carriedOut(std::span<const Control> plan);
    // What an acknowledged command changed that the projector cannot be asked about.
    void remember(Control control);

    void powerQuery();
    void powerSet();
    void inputQuery();
    void inputSet();
    void muteQuery();
    void muteSet();
    void lampQuery();
    void errorStatusQuery();
    void inputListQuery();
    void classQuery();
    void nameQuery();
    void makerQuery();
    void productQuery();
    void infoQuery();

    struct Handling {
        std::string_view command;
        void (CommandRun::*query)();
        // Null for the commands that only answer queries.
        void (CommandRun::*set)();
    };
    [[nodiscard]] static std::span<const Handling> handlings();

    Request request_;
    const Identity& identity_;
    BridgeMemory& memory_;
    std::vector<Exchange> exchanges_;
    std::optional<Control> pending_;
    std::optional<std::string> result_;
    std::string trace_;
};

} // namespace tavo::pjlink
