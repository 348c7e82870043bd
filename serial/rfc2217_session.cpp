// SPDX-License-Identifier: GPL-3.0-or-later
#include "serial/rfc2217_session.h"

#include <algorithm>
#include <array>
#include <libtelnet.h>

namespace tavo {

namespace {

// The COM-PORT-OPTION of RFC 2217: the client's commands, and the server's answers 100 higher.
constexpr unsigned char kComPortOption = 44;
constexpr unsigned char kSetBaudRate = 1;
constexpr unsigned char kSetDataSize = 2;
constexpr unsigned char kSetParity = 3;
constexpr unsigned char kSetStopSize = 4;
constexpr unsigned char kSetControl = 5;
constexpr unsigned char kServerReply = 100;
constexpr unsigned char kNoFlowControl = 1;

struct ParityCode {
    Parity parity;
    unsigned char code;
};

constexpr std::array<ParityCode, 5> kParityCodes{{
    {.parity = Parity::None, .code = 1},
    {.parity = Parity::Odd, .code = 2},
    {.parity = Parity::Even, .code = 3},
    {.parity = Parity::Mark, .code = 4},
    {.parity = Parity::Space, .code = 5},
}};
static_assert(kParityCodes.front().parity == Parity::None && kParityCodes.front().code == 1);

constexpr unsigned char stopSizeCode(StopBits stopBits) {
    switch (stopBits) {
    case StopBits::One:
        return 1;
    case StopBits::Two:
        return 2;
    case StopBits::OneAndHalf:
        return 3;
    }
    return 1;
}

// Binary both ways, so that a carriage return passes alone; COM-PORT-OPTION on our side only.
constexpr std::array<telnet_telopt_t, 3> kTelnetOptions{{
    {.telopt = TELNET_TELOPT_BINARY, .us = TELNET_WILL, .him = TELNET_DO},
    {.telopt = kComPortOption, .us = TELNET_WILL, .him = TELNET_DONT},
    {.telopt = -1, .us = 0, .him = 0},
}};

} // namespace

Rfc2217Session::Rfc2217Session(Listener& listener)
    : listener_(listener), telnet_(telnet_init(kTelnetOptions.data(), &Rfc2217Session::onTelnetEvent, 0, this)) {}

Rfc2217Session::~Rfc2217Session() {
    telnet_free(telnet_);
}

void Rfc2217Session::offerOptions() {
    telnet_negotiate(telnet_, TELNET_WILL, TELNET_TELOPT_BINARY);
    telnet_negotiate(telnet_, TELNET_DO, TELNET_TELOPT_BINARY);
    telnet_negotiate(telnet_, TELNET_WILL, kComPortOption);
}

void Rfc2217Session::sendLineSettings(const LineSettings& settings) {
    const auto baud = static_cast<quint32>(settings.baud);
    const std::array<char, 4> baudBytes{static_cast<char>(baud >> 24U), static_cast<char>(baud >> 16U),
                                        static_cast<char>(baud >> 8U), static_cast<char>(baud)};
    const auto parity = std::find_if(kParityCodes.begin(), kParityCodes.end(),
                                     [&settings](const ParityCode& p) { return p.parity == settings.parity; });
    const auto send = [this](unsigned char command, const char* value, std::size_t size) {
        std::array<char, 5> buffer{static_cast<char>(command)};
        std::copy_n(value, size, buffer.begin() + 1);
        telnet_subnegotiation(telnet_, kComPortOption, buffer.data(), size + 1);
    };
    const std::array<char, 4> bytes{
        static_cast<char>(settings.dataBits), static_cast<char>(parity == kParityCodes.end() ? 1 : parity->code),
        static_cast<char>(stopSizeCode(settings.stopBits)), static_cast<char>(kNoFlowControl)};
    send(kSetBaudRate, baudBytes.data(), baudBytes.size());
    send(kSetDataSize, &bytes[0], 1);
    send(kSetParity, &bytes[1], 1);
    send(kSetStopSize, &bytes[2], 1);
    send(kSetControl, &bytes[3], 1);
}

void Rfc2217Session::sendData(const QByteArray& bytes) {
    telnet_send(telnet_, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

TelnetFraming::Verdict Rfc2217Session::receive(const char* bytes, std::size_t size) {
    QByteArray passed;
    const TelnetFraming::Verdict verdict = framing_.feed(bytes, size, passed);
    if (!passed.isEmpty()) {
        telnet_recv(telnet_, passed.constData(), static_cast<std::size_t>(passed.size()));
    }
    return verdict;
}

void Rfc2217Session::onTelnetEvent(telnet_t* /*telnet*/, telnet_event_t* event, void* data) {
    static_cast<Rfc2217Session*>(data)->onEvent(*event);
}

void Rfc2217Session::onEvent(const telnet_event_t& event) {
    if (!listener_.listening()) {
        return; // cut off, or turned away, while the rest of the input was still being read
    }
    switch (event.type) {
    case TELNET_EV_SEND:
        listener_.sendToServer(event.data.buffer, event.data.size);
        break;
    case TELNET_EV_DATA:
        listener_.dataFromServer(event.data.buffer, event.data.size);
        break;
    case TELNET_EV_DO:
        if (event.neg.telopt == kComPortOption) {
            listener_.comPortOptionAccepted();
        }
        break;
    case TELNET_EV_SUBNEGOTIATION:
        if (event.sub.telopt == kComPortOption && event.sub.size > 0) {
            onComPortReply(static_cast<unsigned char>(event.sub.buffer[0]), event.sub.buffer + 1, event.sub.size - 1);
        }
        break;
    case TELNET_EV_ERROR:
        listener_.telnetFailed(QString::fromLatin1(event.error.msg));
        break;
    default:
        break;
    }
}

void Rfc2217Session::onComPortReply(unsigned char code, const char* value, std::size_t size) {
    if (code != kServerReply + kSetBaudRate || size != 4) {
        return;
    }
    const auto byte = [value](std::size_t i) {
        return static_cast<quint32>(static_cast<unsigned char>(value[i]));
    };
    listener_.speedAnswered(static_cast<int>((byte(0) << 24U) | (byte(1) << 16U) | (byte(2) << 8U) | byte(3)));
}

} // namespace tavo
