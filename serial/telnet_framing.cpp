// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/telnet_framing.h"

#include <cstring>

namespace tavo {

namespace {

constexpr char kIac = '\xff';
constexpr char kSb = '\xfa';
constexpr char kSe = '\xf0';
constexpr unsigned char kWill = 251;
constexpr unsigned char kDont = 254;

bool isOptionCommand(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= kWill && value <= kDont;
}

} // namespace

TelnetFraming::Verdict TelnetFraming::feed(const char* data, std::size_t size, QByteArray& out) {
    std::size_t i = 0;
    while (i < size) {
        const char byte = data[i];
        switch (state_) {
        case State::Data: {
            // Plain data passes in runs up to the next IAC.
            const void* iac = std::memchr(data + i, static_cast<unsigned char>(kIac), size - i);
            const std::size_t end =
                iac == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(iac) - data);
            out.append(data + i, static_cast<qsizetype>(end - i));
            i = end;
            if (i < size) {
                state_ = State::Iac;
                ++i;
            }
            continue;
        }
        case State::Iac:
            if (const Verdict verdict = afterIac(byte, out); verdict != Verdict::Ok) {
                return verdict;
            }
            break;
        case State::Option:
            out.append(byte);
            state_ = State::Data;
            break;
        case State::Sub:
            if (byte == kIac) {
                state_ = State::SubIac;
            } else if (!addToSubnegotiation(byte)) {
                return Verdict::EndlessSubnegotiation;
            }
            break;
        case State::SubIac:
            if (byte == kSe) {
                if (oversized_) {
                    ++dropped_;
                } else {
                    out.append(held_);
                    out.append(kIac);
                    out.append(kSe);
                }
                held_.clear();
                state_ = State::Data;
            } else if (byte == kIac) {
                // An escaped 0xFF of the body, passed on escaped.
                if (!addToSubnegotiation(kIac) || !addToSubnegotiation(kIac)) {
                    return Verdict::EndlessSubnegotiation;
                }
                state_ = State::Sub;
            } else {
                // Another command inside the body ends the subnegotiation, as the telnet layer
                // itself takes it; then the command is read as usual.
                if (oversized_) {
                    ++dropped_;
                } else {
                    out.append(held_);
                }
                held_.clear();
                if (const Verdict verdict = afterIac(byte, out); verdict != Verdict::Ok) {
                    return verdict;
                }
            }
            break;
        }
        ++i;
    }
    return Verdict::Ok;
}

TelnetFraming::Verdict TelnetFraming::afterIac(char byte, QByteArray& out) {
    if (byte == kSb) {
        held_.clear();
        held_.append(kIac);
        held_.append(kSb);
        subSize_ = 0;
        oversized_ = false;
        state_ = State::Sub;
        return Verdict::Ok;
    }
    out.append(kIac);
    out.append(byte);
    if (isOptionCommand(byte)) {
        state_ = State::Option;
        if (++optionCommands_ > kMaxOptionCommands) {
            return Verdict::EndlessNegotiation;
        }
        return Verdict::Ok;
    }
    state_ = State::Data;
    return Verdict::Ok;
}

bool TelnetFraming::addToSubnegotiation(char byte) {
    ++subSize_;
    if (subSize_ > kMaxUnendedSubnegotiationBytes) {
        return false;
    }
    if (!oversized_) {
        if (subSize_ > kMaxSubnegotiationBytes) {
            oversized_ = true;
            held_ = QByteArray();
        } else {
            held_.append(byte);
        }
    }
    return true;
}

} // namespace tavo
