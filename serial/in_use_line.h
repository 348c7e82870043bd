// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A device server whose port another client has answers a new connection with a line saying so
// ("Port already in use") and closes it. That line turns the connection away; it is never data
// for the panel. It may arrive in pieces, so a connection's first data is held while it is still
// the start of such a line, and passed on, whole and first, once it can be none; from then on
// everything passes at once. One per connection.

#include <QByteArray>
#include <cstddef>

namespace tavo {

class InUseLine {
public:
    enum class Verdict {
        InUse, // the server turned the connection away; what was held is dropped
        Held,  // kept back: it may still be the start of an in-use line
        Passed // appended to `out`, after what was held
    };

    // Takes the connection's next data.
    [[nodiscard]] Verdict take(const char* bytes, std::size_t size, QByteArray& out);

private:
    // A strict start of an in-use line, so never longer than the longest.
    QByteArray held_;
    bool decided_ = false;
};

} // namespace tavo
