// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Who holds the bridge's connection slots, and for how long: plain code with the time passed in,
// so that it runs on a virtual clock in tests and the server only carries out what it decides.
//
// A slot is earned, not squatted: a connection that has not sent a valid command (after the right
// digest where there is a password) within kEarnDeadlineMs is closed. While every slot is taken, a
// new connection displaces a waiting one: of a host that failed a login of late first, else of the
// host that holds the most slots, the one idle longest; a host that earned a slot within kTrustMs
// (a controller that polls) is displaced last. A host whose connection was displaced may not
// displace another for kDisplaceCooldownMs unless it is trusted so, or those displaced would,
// coming back, displace each other (and the newcomer) without end. One host holds at most
// kMaxSlotsPerHost slots.
//
// A wrong digest keeps its slot for kFailedLoginDelayMs before the answer and the close, even if the
// controller leaves sooner, so that guesses cost time whatever the number of addresses they come
// from. At most penaltyCap() slots are held so; while they are, a digest waits unjudged (and so
// tells nothing), which keeps slots for a controller with the right password; a trusted host's
// digest is judged at once.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavo::pjlink {

inline constexpr std::int64_t kEarnDeadlineMs = 5000;
inline constexpr std::int64_t kFailedLoginDelayMs = 1000;
inline constexpr int kMaxSlotsPerHost = 4;
inline constexpr std::int64_t kDisplaceCooldownMs = 2000;
inline constexpr std::int64_t kTrustMs = 10 * 60'000;
// Hosts remembered as displaced, and as trusted, at once; past it the oldest is forgotten.
inline constexpr std::size_t kMaxRememberedHosts = 64;

class Admission {
public:
    using Id = std::uint64_t;

    explicit Admission(int slots);

    enum class Refusal : std::uint8_t {
        None,
        // The host holds its kMaxSlotsPerHost slots, none of them waiting.
        HostFull,
        // Every slot is held by a controller that earned it or by a failed login, or the host was
        // displaced a moment ago and may only take a free slot.
        AllTaken,
    };
    struct Entry {
        // Valid when not refused.
        Id id = 0;
        // A waiting connection to close at once to make room.
        std::optional<Id> displaced;
        Refusal refusal = Refusal::None;
    };
    // A new connection from `host`; `suspect` if logins from there have failed of late, which
    // outweighs trust.
    [[nodiscard]] Entry enter(const std::string& host, std::int64_t nowMs, bool suspect = false);

    // A connection that has not earned its slot sent its first line with a digest. True: judge it
    // now. False: it waits, and a Judge in due() says when.
    [[nodiscard]] bool mayJudge(Id id);
    // The right digest, or without a password a valid command: the slot is the controller's until
    // it leaves.
    void earned(Id id, std::int64_t nowMs);
    // A wrong digest: the slot is held until the delay ends (PenaltyOver).
    void failed(Id id, std::int64_t nowMs);
    // The connection ended. A slot held for a failed login stays held until its delay ends.
    void left(Id id);

    struct Due {
        enum class What : std::uint8_t {
            // No valid command within kEarnDeadlineMs: close it.
            Expired,
            // A failed login's delay is over: answer and close it if it is still there.
            PenaltyOver,
            // A digest that waited may now be judged.
            Judge,
        };
        What what;
        Id id;

        friend bool operator==(const Due&, const Due&) = default;
    };
    // What has fallen due by now, in order; each is reported once.
    [[nodiscard]] std::vector<Due> due(std::int64_t nowMs);
    // When due() next has something, if ever.
    [[nodiscard]] std::optional<std::int64_t> nextDueMs() const;

    // Slots held, also by failed logins whose connection has gone.
    [[nodiscard]] int taken() const { return static_cast<int>(slots_.size()); }
    // Slots that may be held for failed logins at once.
    [[nodiscard]] int penaltyCap() const { return penaltyCap_; }

private:
    enum class State : std::uint8_t {
        // Has not earned its slot yet.
        Waiting,
        // Its digest waits to be judged.
        Pending,
        Earned,
        // Held for a failed login until untilMs.
        Penalised,
        // Told to close (expired, or its delay is over): the first to make room.
        Closing,
    };
    struct Slot {
        Id id = 0;
        std::string host;
        State state = State::Waiting;
        std::int64_t enteredMs = 0;
        std::int64_t untilMs = 0;
        // The order in which digests began to wait.
        std::uint64_t queued = 0;
        // The connection has ended; only a penalised slot outlives it.
        bool gone = false;
        // Its host failed a login of late: it makes room first, and its digest is judged last.
        bool suspect = false;
        // Its host earned a slot within kTrustMs: it makes room last, and its digest is judged first.
        bool trusted = false;
    };

    [[nodiscard]] Slot* find(Id id);
    [[nodiscard]] int count(State state) const;
    [[nodiscard]] int heldBy(const std::string& host) const;
    // The waiting connection to close for a newcomer, among those of `host` or all.
    [[nodiscard]] std::optional<Id> victim(const std::string* host) const;
    struct Remembered {
        std::string host;
        std::int64_t atMs = 0;
    };
    [[nodiscard]] static bool remembered(const std::vector<Remembered>& list, const std::string& host,
                                         std::int64_t nowMs, std::int64_t forMs);
    static void remember(std::vector<Remembered>& list, const std::string& host, std::int64_t nowMs,
                         std::int64_t forMs);
    void remove(Id id);

    int slotCount_;
    int perHost_;
    int penaltyCap_;
    Id nextId_ = 1;
    std::uint64_t nextQueued_ = 0;
    std::vector<Slot> slots_;
    std::vector<Remembered> displaced_;
    std::vector<Remembered> trusted_;
};

} // namespace tavo::pjlink
