// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A guard in front of the telnet layer. It passes the stream on as it comes, except that it holds
// each subnegotiation (IAC SB ... IAC SE) until its end and passes it on only when it is within
// kMaxSubnegotiationBytes; a longer one is dropped whole, so none of its body can leak into the
// data, and the data after it continues normally. It also counts what a server can send without
// end: option commands (IAC WILL, WONT, DO, DONT) per connection, and the length of a
// subnegotiation that never ends.

#include <QByteArray>
#include <cstddef>

namespace tavo {

// COM-PORT answers are a few bytes; nothing a serial device server sends comes near this.
inline constexpr std::size_t kMaxSubnegotiationBytes = 1024;
// Past this without IAC SE a subnegotiation is taken as never ending.
inline constexpr std::size_t kMaxUnendedSubnegotiationBytes = 1024 * 1024;
// A device server settles its options with a handful of commands per connection.
inline constexpr int kMaxOptionCommands = 200;

class TelnetFraming {
public:
    enum class Verdict { Ok, EndlessNegotiation, EndlessSubnegotiation };

    // Appends to `out` what may go on to the telnet layer. After a verdict other than Ok the
    // connection must be dropped.
    [[nodiscard]] Verdict feed(const char* data, std::size_t size, QByteArray& out);

    [[nodiscard]] int optionCommands() const { return optionCommands_; }
    [[nodiscard]] int droppedSubnegotiations() const { return dropped_; }

private:
    enum class State { Data, Iac, Option, Sub, SubIac };

    [[nodiscard]] bool addToSubnegotiation(char byte);
    [[nodiscard]] Verdict afterIac(char byte, QByteArray& out);

    State state_ = State::Data;
    // The subnegotiation being held, from IAC SB on; empty once it is known to be too long.
    QByteArray held_;
    std::size_t subSize_ = 0;
    bool oversized_ = false;
    int optionCommands_ = 0;
    int dropped_ = 0;
};

} // namespace tavo
