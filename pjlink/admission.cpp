// SPDX-License-Identifier: GPL-3.0-or-later
#include "pjlink/admission.h"

#include <algorithm>
#include <tuple>

namespace tavo::pjlink {

namespace {

// A quarter of the slots, at least one, stays out of reach of failed logins, except where there
// is only one slot.
int penaltyCapFor(int slots) {
    return std::max(1, slots - std::max(1, slots / 4));
}

} // namespace

Admission::Admission(int slots)
    : slotCount_(std::max(1, slots)), perHost_(std::min(kMaxSlotsPerHost, std::max(1, slots))),
      penaltyCap_(penaltyCapFor(std::max(1, slots))) {}

Admission::Slot* Admission::find(Id id) {
    const auto found = std::ranges::find(slots_, id, &Slot::id);
    return found == slots_.end() ? nullptr : &*found;
}

int Admission::count(State state) const {
    return static_cast<int>(std::ranges::count(slots_, state, &Slot::state));
}

int Admission::heldBy(const std::string& host) const {
    return static_cast<int>(std::ranges::count(slots_, host, &Slot::host));
}

void Admission::remove(Id id) {
    std::erase_if(slots_, [id](const Slot& s) { return s.id == id; });
}

std::optional<Admission::Id> Admission::victim(const std::string* host) const {
    // Ranks a slot as a victim: lower goes first. A connection already being closed costs nothing;
    // then the host with the most slots gives one up, its waiting one idle longest; a digest that
    // waits is the last, and the newest of them, so that the one longest in line is judged.
    using Rank = std::tuple<int, int, std::int64_t>;
    const auto rank = [this](const Slot& s) -> std::optional<Rank> {
        // A host that failed a login of late gives up its connections before any other, one that
        // earned a slot lately after all others.
        const int trust = s.suspect ? 0 : s.trusted ? 4 : 2;
        switch (s.state) {
        case State::Closing:
            return Rank{0, 0, s.enteredMs};
        case State::Waiting:
            return Rank{1 + trust, -heldBy(s.host), s.enteredMs};
        case State::Pending:
            return Rank{2 + trust, -heldBy(s.host), -static_cast<std::int64_t>(s.queued)};
        case State::Earned:
        case State::Penalised:
            break;
        }
        return std::nullopt;
    };
    std::optional<Id> best;
    Rank bestRank{};
    for (const Slot& s : slots_) {
        const auto r = rank(s);
        if (!r || (host != nullptr && s.host != *host)) {
            continue;
        }
        if (!best || *r < bestRank) {
            best = s.id;
            bestRank = *r;
        }
    }
    return best;
}

bool Admission::remembered(const std::vector<Remembered>& list, const std::string& host, std::int64_t nowMs,
                           std::int64_t forMs) {
    return std::ranges::any_of(list, [&](const Remembered& r) { return r.host == host && nowMs - r.atMs < forMs; });
}

void Admission::remember(std::vector<Remembered>& list, const std::string& host, std::int64_t nowMs,
                         std::int64_t forMs) {
    std::erase_if(list, [&](const Remembered& r) { return r.host == host || nowMs - r.atMs >= forMs; });
    if (list.size() >= kMaxRememberedHosts) {
        list.erase(list.begin());
    }
    list.push_back({.host = host, .atMs = nowMs});
}

Admission::Entry Admission::enter(const std::string& host, std::int64_t nowMs, bool suspect) {
    Entry entry;
    const bool trusted = !suspect && remembered(trusted_, host, nowMs, kTrustMs);
    if (heldBy(host) >= perHost_) {
        // A host makes room among its own connections only.
        entry.displaced = victim(&host);
        if (!entry.displaced) {
            entry.refusal = Refusal::HostFull;
            return entry;
        }
    } else if (taken() >= slotCount_) {
        const bool mayDisplace = trusted || !remembered(displaced_, host, nowMs, kDisplaceCooldownMs);
        entry.displaced = mayDisplace ? victim(nullptr) : std::nullopt;
        if (!entry.displaced) {
            entry.refusal = Refusal::AllTaken;
            return entry;
        }
        remember(displaced_, find(*entry.displaced)->host, nowMs, kDisplaceCooldownMs);
    }
    if (entry.displaced) {
        remove(*entry.displaced);
    }
    entry.id = nextId_++;
    slots_.push_back({.id = entry.id,
                      .host = host,
                      .state = State::Waiting,
                      .enteredMs = nowMs,
                      .suspect = suspect,
                      .trusted = trusted});
    return entry;
}

bool Admission::mayJudge(Id id) {
    Slot* slot = find(id);
    if (slot == nullptr || slot->state != State::Waiting) {
        return false;
    }
    // A host that earned a slot lately has shown it knows the password; should it fail now, it
    // loses that standing at once.
    if (slot->trusted || (count(State::Penalised) < penaltyCap_ && count(State::Pending) == 0)) {
        return true;
    }
    slot->state = State::Pending;
    slot->queued = nextQueued_++;
    return false;
}

void Admission::earned(Id id, std::int64_t nowMs) {
    if (Slot* slot = find(id)) {
        slot->state = State::Earned;
        remember(trusted_, slot->host, nowMs, kTrustMs);
    }
}

void Admission::failed(Id id, std::int64_t nowMs) {
    Slot* slot = find(id);
    if (slot == nullptr) {
        return;
    }
    slot->state = State::Penalised;
    slot->untilMs = nowMs + kFailedLoginDelayMs;
    for (Slot& s : slots_) {
        if (s.host == slot->host) {
            s.suspect = true;
            s.trusted = false;
        }
    }
    std::erase_if(trusted_, [slot](const Remembered& r) { return r.host == slot->host; });
}

void Admission::left(Id id) {
    Slot* slot = find(id);
    if (slot == nullptr) {
        return;
    }
    if (slot->state == State::Penalised) {
        slot->gone = true;
    } else {
        remove(id);
    }
}

std::vector<Admission::Due> Admission::due(std::int64_t nowMs) {
    std::vector<Due> list;
    for (Slot& s : slots_) {
        if (s.state == State::Waiting && nowMs - s.enteredMs >= kEarnDeadlineMs) {
            s.state = State::Closing;
            list.push_back({.what = Due::What::Expired, .id = s.id});
        } else if (s.state == State::Penalised && nowMs >= s.untilMs) {
            s.state = State::Closing;
            if (!s.gone) {
                list.push_back({.what = Due::What::PenaltyOver, .id = s.id});
            }
        }
    }
    std::erase_if(slots_, [](const Slot& s) { return s.gone; });
    // Each digest judged may turn out wrong, so no more are judged than may be held for it.
    int room = penaltyCap_ - count(State::Penalised);
    std::vector<Slot*> pending;
    for (Slot& s : slots_) {
        if (s.state == State::Pending) {
            pending.push_back(&s);
        }
    }
    // Trusted hosts first and those with a failed login last, each in the order its digest came.
    std::ranges::sort(pending, {}, [](const Slot* s) {
        return std::tuple{s->suspect ? 2 : s->trusted ? 0 : 1, s->queued};
    });
    for (Slot* s : pending) {
        if (room-- <= 0) {
            break;
        }
        s->state = State::Waiting;
        list.push_back({.what = Due::What::Judge, .id = s->id});
    }
    return list;
}

std::optional<std::int64_t> Admission::nextDueMs() const {
    std::optional<std::int64_t> next;
    const auto consider = [&next](std::int64_t at) {
        next = next ? std::min(*next, at) : at;
    };
    for (const Slot& s : slots_) {
        if (s.state == State::Waiting) {
            consider(s.enteredMs + kEarnDeadlineMs);
        } else if (s.state == State::Penalised) {
            consider(s.untilMs);
        } else if (s.state == State::Pending && count(State::Penalised) < penaltyCap_) {
            consider(0);
        }
    }
    return next;
}

} // namespace tavo::pjlink
