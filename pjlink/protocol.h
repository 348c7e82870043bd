// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// PJLink's lines as plain data: splitting what a controller sends into lines, reading a command
// line, and writing the responses. Nothing here talks to a socket or the projector.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

namespace tavo::pjlink {

// A command line may be this long, its CR included.
inline constexpr std::size_t kMaxLineBytes = 136;
inline constexpr char kLineEnd = '\r';
inline constexpr std::size_t kCommandLength = 4;

// "%1POWR 1": the header "%1", the command, a blank and the parameter.
struct Request {
    std::string command;
    std::string parameter;
};

struct ParsedLine {
    // Set for a well-formed Class 1 command line.
    std::optional<Request> request;
    // Otherwise the header of the command the line names, such as "%2INPT" or "%1powr", to be
    // answered ERR1; empty when the line names none and gets no response.
    std::string namedHeader;
};

// `line` without its CR.
[[nodiscard]] ParsedLine parseLine(std::string_view line);

enum class Error : std::uint8_t {
    // ERR1: no such command.
    UndefinedCommand = 1,
    // ERR2: a parameter out of range.
    OutOfParameter = 2,
    // ERR3: not possible at this time (stand-by, warming up, cooling down).
    UnavailableTime = 3,
    // ERR4: the projector failed or did not answer as it should.
    ProjectorFailure = 4,
};

[[nodiscard]] std::string errorText(Error error);

// "%1POWR=OK" and CR. `header` is "%1" and the command, or what parseLine named.
[[nodiscard]] std::string responseLine(std::string_view header, std::string_view result);
[[nodiscard]] std::string header(std::string_view command);

// Cuts a connection's bytes into lines at each CR. A line feed right after a CR (a controller
// that ends lines with CR LF) is dropped. A line longer than kMaxLineBytes keeps only its first
// bytes and is marked overlong, so that no controller can make it grow without end.
class LineSplitter {
public:
    struct Line {
        std::string text;
        bool overlong = false;
    };

    // Takes bytes until a line is complete; returns how many it took, so that a caller can leave
    // the rest where it is until the line has been dealt with.
    std::size_t feed(std::string_view bytes);
    // The complete line, if one is waiting; taking it makes room for the next.
    [[nodiscard]] std::optional<Line> take();
    [[nodiscard]] bool hasLine() const { return complete_; }

private:
    std::string partial_;
    bool overlong_ = false;
    bool complete_ = false;
    bool afterLineEnd_ = false;
};

} // namespace tavo::pjlink
