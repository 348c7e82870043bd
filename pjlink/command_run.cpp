// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/command_run.h"

#include "core/commands.h"
#include "core/operation_model.h"
#include "core/rendering.h"
#include "core/reply_judgement.h"
#include "core/status_decoding.h"
#include "pjlink/input_mapping.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

namespace tavo::pjlink {

namespace {

constexpr std::string_view kQuery = "?";
constexpr std::string_view kOk = "OK";

// The panel's line for a command button, and the reply wait its button sets; a button that sets
// none waits as long as the panel does at start.
LineRequest lineOf(Control control) {
    const OneShotCommand* command = findOneShot(control);
    return {.line = std::string(command->code) + kCarriageReturn,
            .replyWaitMs = command->intervals ? command->intervals->replyWait : startInterval(TimerId::ReplyWait),
            .steps = 1,
            .periodMs = 0};
}

// POWR's answer: 0 stand-by, 1 on, 2 cooling down, 3 warming up.
char powerDigit(PowerPhase phase) {
    switch (phase) {
    case PowerPhase::Standby:
        return '0';
    case PowerPhase::On:
        return '1';
    case PowerPhase::CoolingDown:
        return '2';
    case PowerPhase::CountDown:
        return '3';
    }
    return '0';
}

// A reply in the trace: a projector's longest is 18 bytes, so more is noise, whose start is enough.
constexpr std::size_t kTraceReplyBytes = 48;

std::string shownReply(std::string_view reply) {
    if (reply.size() <= kTraceReplyBytes) {
        return spelledOut(reply);
    }
    return spelledOut(reply.substr(0, kTraceReplyBytes)) + "... (" + std::to_string(reply.size()) + " bytes)";
}

// ERST's fields: 0 no error, 1 warning, 2 error.
constexpr char kNoError = '0';
constexpr char kWarning = '1';
constexpr char kError = '2';

// "0123" is 123 hours.
std::string withoutPadding(std::string_view digits) {
    const auto first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string("0") : std::string(digits.substr(first));
}

} // namespace

std::optional<std::string> identityProblem(std::string_view text) {
    if (const auto at = text.find_first_of(kFormCharacters); at != std::string_view::npos) {
        return std::string(1, text[at]);
    }
    const auto sameIgnoringCase = [text](std::string_view error) {
        return std::ranges::equal(text, error, [](char a, char b) {
            return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
        });
    };
    if (std::ranges::any_of(kErrorAnswers, sameIgnoringCase)) {
        return std::string(text);
    }
    return std::nullopt;
}

std::span<const CommandRun::Handling> CommandRun::handlings() {
    static constexpr std::array<Handling, 11> kHandlings{{
        {.command = "POWR", .query = &CommandRun::powerQuery, .set = &CommandRun::powerSet},
        {.command = "INPT", .query = &CommandRun::inputQuery, .set = &CommandRun::inputSet},
        {.command = "AVMT", .query = &CommandRun::muteQuery, .set = &CommandRun::muteSet},
        {.command = "ERST", .query = &CommandRun::errorStatusQuery, .set = nullptr},
        {.command = "LAMP", .query = &CommandRun::lampQuery, .set = nullptr},
        {.command = "INST", .query = &CommandRun::inputListQuery, .set = nullptr},
        {.command = "NAME", .query = &CommandRun::nameQuery, .set = nullptr},
        {.command = "INF1", .query = &CommandRun::makerQuery, .set = nullptr},
        {.command = "INF2", .query = &CommandRun::productQuery, .set = nullptr},
        {.command = "INFO", .query = &CommandRun::infoQuery, .set = nullptr},
        {.command = "CLSS", .query = &CommandRun::classQuery, .set = nullptr},
    }};
    return kHandlings;
}

CommandRun::CommandRun(Request request, const Identity& identity, BridgeMemory& memory)
    : request_(std::move(request)), identity_(identity), memory_(memory) {
    carryOn();
}

std::optional<LineRequest> CommandRun::next() const {
    if (!pending_) {
        return std::nullopt;
    }
    return lineOf(*pending_);
}

void CommandRun::answer(std::string_view reply, bool kept) {
    if (!pending_) {
        return;
    }
    if (!trace_.empty()) {
        trace_ += ", ";
    }
    trace_ += std::string(findOneShot(*pending_)->code) + " -> ";
    trace_ += reply.empty() ? std::string("no reply") : shownReply(reply);
    if (kept) {
        trace_ += " (kept)";
    }
    exchanges_.push_back({.control = *pending_, .reply = std::string(reply)});
    pending_.reset();
    carryOn();
}

void CommandRun::fail(std::string_view reason) {
    if (!pending_) {
        return;
    }
    if (!trace_.empty()) {
        trace_ += ", ";
    }
    trace_ += std::string(findOneShot(*pending_)->code) + " failed: " + spelledOut(reason);
    pending_.reset();
    finish(Error::ProjectorFailure);
}

bool CommandRun::changesProjector() const {
    return request_.parameter != kQuery;
}

std::string CommandRun::outcome() const {
    const std::string line = responseLine(header(request_.command), result());
    std::string text = spelledOut(header(request_.command) + ' ' + request_.parameter) + " -> " +
                       spelledOut(std::string_view(line).substr(0, line.size() - 1));
    if (!trace_.empty()) {
        text += " [" + trace_ + "]";
    }
    return text;
}

std::string CommandRun::response() const {
    return responseLine(header(request_.command), result());
}

void CommandRun::carryOn() {
    const auto handlingList = handlings();
    const auto handling = std::ranges::find(handlingList, std::string_view(request_.command), &Handling::command);
    if (handling == handlingList.end()) {
        finish(Error::UndefinedCommand);
    } else if (request_.parameter == kQuery) {
        (this->*(handling->query))();
    } else if (handling->set != nullptr) {
        (this->*(handling->set))();
    } else {
        finish(Error::OutOfParameter);
    }
}

void CommandRun::ask(Control control) {
    pending_ = control;
}

void CommandRun::finish(std::string result) {
    pending_.reset();
    result_ = std::move(result);
}

void CommandRun::finish(Error error) {
    finish(errorText(error));
}

std::optional<std::string_view> CommandRun::reading(std::size_t i) {
    const Exchange& exchange = exchanges_.at(i);
    const std::string line = lineOf(exchange.control).line;
    switch (judgeReply(line, exchange.reply).verdict) {
    case ReplyVerdict::Status:
        return std::string_view(exchange.reply).substr(0, exchange.reply.size() - 1);
    case ReplyVerdict::Refused:
        finish(Error::UnavailableTime);
        return std::nullopt;
    default:
        finish(Error::ProjectorFailure);
        return std::nullopt;
    }
}

bool CommandRun::acknowledged(std::size_t i) {
    const Exchange& exchange = exchanges_.at(i);
    switch (judgeReply(lineOf(exchange.control).line, exchange.reply).verdict) {
    case ReplyVerdict::Acknowledged:
        return true;
    case ReplyVerdict::Refused:
        finish(Error::UnavailableTime);
        return false;
    default:
        finish(Error::ProjectorFailure);
        return false;
    }
}

bool CommandRun::allowed(Control control) {
    const auto status = reading(0);
    if (!status) {
        return false;
    }
    const auto condition = powerCondition(*status);
    if (!condition) {
        finish(Error::ProjectorFailure);
        return false;
    }
    // The same decision tavo-ctl makes: a command the projector would take and ignore is not sent.
    switch (decide(control, condition->phase)) {
    case Decision::Send:
        return true;
    case Decision::Ignored:
        finish(Error::UnavailableTime);
        return false;
    case Decision::Unknown:
        break;
    }
    finish(Error::ProjectorFailure);
    return false;
}

bool CommandRun::carriedOut(std::span<const Control> plan) {
    // A command the power state decides goes out after a status read, exchange 0.
    const std::size_t reads = dependsOnPower(plan.front()) ? 1 : 0;
    const std::size_t done = exchanges_.size();
    if (done < reads) {
        ask(Control::ReadStatus);
        return false;
    }
    if (done == reads) {
        if (reads == 0 || allowed(plan.front())) {
            ask(plan.front());
        }
        return false;
    }
    if (!acknowledged(done - 1)) {
        return false;
    }
    const std::size_t sent = done - reads;
    remember(plan[sent - 1]);
    if (sent < plan.size()) {
        ask(plan[sent]);
        return false;
    }
    return true;
}

void CommandRun::remember(Control control) {
    switch (control) {
    case Control::NoShowOn:
    case Control::NoShowOff:
        memory_.videoMuted = control == Control::NoShowOn;
        return;
    case Control::AudioMuteOn:
    case Control::AudioMuteOff:
        memory_.audioMuted = control == Control::AudioMuteOn;
        return;
    default:
        if (projectorInputOf(control)) {
            memory_.lastInput = control;
        }
        return;
    }
}

void CommandRun::powerQuery() {
    if (exchanges_.empty()) {
        ask(Control::ReadStatus);
        return;
    }
    const auto status = reading(0);
    if (!status) {
        return;
    }
    const auto condition = powerCondition(*status);
    if (!condition || !condition->phase) {
        finish(Error::ProjectorFailure);
        return;
    }
    finish(std::string(1, powerDigit(*condition->phase)));
}

void CommandRun::powerSet() {
    const std::string& p = request_.parameter;
    if (p != "0" && p != "1") {
        finish(Error::OutOfParameter);
        return;
    }
    const std::array plan{p == "1" ? Control::PowerOn : Control::PowerOff};
    if (carriedOut(plan)) {
        finish(std::string(kOk));
    }
}

void CommandRun::inputQuery() {
    if (exchanges_.empty()) {
        ask(Control::ReadInput);
        return;
    }
    const auto input = reading(0);
    if (!input) {
        return;
    }
    const auto code = inputForRead(input->front(), memory_.lastInput);
    if (!code) {
        finish(Error::ProjectorFailure);
        return;
    }
    finish(std::string(*code));
}

void CommandRun::inputSet() {
    const InputChoice* choice = findInputChoice(request_.parameter);
    if (choice == nullptr) {
        finish(Error::OutOfParameter);
        return;
    }
    const std::array plan{choice->control};
    if (carriedOut(plan)) {
        finish(std::string(kOk));
    }
}

void CommandRun::muteQuery() {
    if (memory_.videoMuted && memory_.audioMuted) {
        finish(std::string("31"));
    } else if (memory_.videoMuted) {
        finish(std::string("11"));
    } else if (memory_.audioMuted) {
        finish(std::string("21"));
    } else {
        finish(std::string("30"));
    }
}

void CommandRun::muteSet() {
    const std::string& p = request_.parameter;
    if (p.size() != 2 || p[0] < '1' || p[0] > '3' || (p[1] != '0' && p[1] != '1')) {
        finish(Error::OutOfParameter);
        return;
    }
    const bool on = p[1] == '1';
    // 1 the picture ("No Show"), 2 the sound, 3 both.
    std::vector<Control> plan;
    if (p[0] != '2') {
        plan.push_back(on ? Control::NoShowOn : Control::NoShowOff);
    }
    if (p[0] != '1') {
        plan.push_back(on ? Control::AudioMuteOn : Control::AudioMuteOff);
    }
    if (carriedOut(plan)) {
        finish(std::string(kOk));
    }
}

void CommandRun::lampQuery() {
    if (exchanges_.empty()) {
        ask(Control::ReadLampTime);
        return;
    }
    const auto hours = reading(0);
    if (!hours) {
        return;
    }
    if (exchanges_.size() == 1) {
        ask(Control::ReadStatus);
        return;
    }
    const auto status = reading(1);
    if (!status) {
        return;
    }
    const auto condition = powerCondition(*status);
    const bool lit = condition && condition->phase &&
                     (*condition->phase == PowerPhase::On || *condition->phase == PowerPhase::CountDown);
    finish(withoutPadding(*hours) + (lit ? " 1" : " 0"));
}

// Fan, lamp, temperature, cover, filter, other. The projector reports no fan, cover or filter of
// its own: a failing fan shows as a temperature abnormality. A power abnormality is taken for the
// lamp's, the part a projector of this kind fails in.
void CommandRun::errorStatusQuery() {
    if (exchanges_.empty()) {
        ask(Control::ReadStatus);
        return;
    }
    const auto status = reading(0);
    if (!status) {
        return;
    }
    if (exchanges_.size() == 1) {
        ask(Control::ReadTemperatures);
        return;
    }
    const auto condition = powerCondition(*status);
    if (!condition) {
        finish(Error::ProjectorFailure);
        return;
    }
    const Exchange& temperatures = exchanges_.at(1);
    const ReplyVerdict verdict = judgeReply(lineOf(temperatures.control).line, temperatures.reply).verdict;
    bool hot = false;
    if (verdict == ReplyVerdict::Status) {
        const std::string_view body(temperatures.reply.data(), temperatures.reply.size() - 1);
        const auto values = temperatureValues(body);
        hot = values && std::ranges::any_of(*values, [](double v) { return v >= kTemperatureWarningCelsius; });
    } else if (verdict != ReplyVerdict::Refused) {
        // A projector that does not read its temperatures at this time refuses; anything else is
        // a failure.
        finish(Error::ProjectorFailure);
        return;
    }
    std::string fields(6, kNoError);
    fields[1] = condition->fault == PowerFault::Power ? kError : kNoError;
    fields[2] = condition->fault == PowerFault::Temperature ? kError : (hot ? kWarning : kNoError);
    finish(fields);
}

void CommandRun::inputListQuery() {
    finish(inputList());
}

void CommandRun::classQuery() {
    finish(std::string("1"));
}

void CommandRun::nameQuery() {
    finish(identity_.name);
}

void CommandRun::makerQuery() {
    finish(identity_.maker);
}

void CommandRun::productQuery() {
    finish(identity_.product);
}

void CommandRun::infoQuery() {
    finish(identity_.info);
}

} // namespace tavo::pjlink
