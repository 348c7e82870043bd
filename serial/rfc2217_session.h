// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The telnet side of one connection to a device server that speaks RFC 2217: libtelnet behind the
// framing guard (telnet_framing.h), the options the panel offers (binary both ways, so that a
// carriage return passes alone, and the COM-PORT-OPTION on the panel's side), the line settings
// sent as COM-PORT commands, and the server's answer to the speed read back. It judges nothing:
// what the server's answers mean for the connection is for the device that drives it to decide,
// told through the Listener. A session serves one connection; it is freed by the next or by the
// device's end, never from inside one of its own calls to the listener.

#include "core/ports/serial_port.h"
#include "serial/telnet_framing.h"

#include <QByteArray>
#include <QString>
#include <cstddef>

// libtelnet's handle and event, kept out of the headers of those that include this one.
struct telnet_t;
union telnet_event_t;

namespace tavo {

class Rfc2217Session {
public:
    // What the session tells the device that drives it, always from inside one of its own calls.
    class Listener {
    public:
        virtual ~Listener() = default;
        Listener() = default;
        Listener(const Listener&) = delete;
        Listener& operator=(const Listener&) = delete;

        // False once the connection was cut off or turned away: what is still being read of the
        // input then goes nowhere.
        [[nodiscard]] virtual bool listening() const = 0;
        // Bytes for the server: telnet answers, the line's data escaped, COM-PORT commands.
        virtual void sendToServer(const char* bytes, std::size_t size) = 0;
        // The line's data, unescaped.
        virtual void dataFromServer(const char* bytes, std::size_t size) = 0;
        // The server agreed to the COM-PORT-OPTION.
        virtual void comPortOptionAccepted() = 0;
        // The speed the server says the line has now.
        virtual void speedAnswered(int baud) = 0;
        // libtelnet found the stream broken; `message` is its own.
        virtual void telnetFailed(const QString& message) = 0;
    };

    explicit Rfc2217Session(Listener& listener);
    ~Rfc2217Session();
    Rfc2217Session(const Rfc2217Session&) = delete;
    Rfc2217Session& operator=(const Rfc2217Session&) = delete;

    // Offers binary mode both ways and the COM-PORT-OPTION.
    void offerOptions();
    // Sends the speed, data size, parity and stop size of `settings`, and no flow control.
    void sendLineSettings(const LineSettings& settings);
    // Sends the line's data, escaped.
    void sendData(const QByteArray& bytes);
    // Takes what the server sent, through the guard. After a verdict other than Ok the connection
    // must be dropped.
    [[nodiscard]] TelnetFraming::Verdict receive(const char* bytes, std::size_t size);

    [[nodiscard]] int optionCommands() const { return framing_.optionCommands(); }

private:
    static void onTelnetEvent(telnet_t* telnet, telnet_event_t* event, void* data);
    void onEvent(const telnet_event_t& event);
    void onComPortReply(unsigned char code, const char* value, std::size_t size);

    Listener& listener_;
    TelnetFraming framing_;
    telnet_t* telnet_;
};

} // namespace tavo
