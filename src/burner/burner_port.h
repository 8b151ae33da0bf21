#pragma once
// The three steps by which every burner operation uses the serial port: open it if it is
// closed, send one string, take everything received so far. Each step that cannot be
// carried out throws Burner_Error, which the operation catches at its end and turns into
// its own failure message.
#include <QByteArray>
#include <QList>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "platform/com_port.h"

class Burner_Error : public std::runtime_error {
public:
    explicit Burner_Error(const std::string& what) : std::runtime_error(what) {}
};

class BurnerPort {
public:
    explicit BurnerPort(ComPort& port) : port_(port) {}

    ComPort& port() const { return port_; }
    bool isOpen() const;

    // Opens the port unless it is open already; throws when it cannot be opened.
    void openIfClosed();
    // Closes the port (nothing happens when it is closed).
    void close();
    // Sends one command or frame; throws when the port is closed or the write fails.
    void send(const QByteArray& data);
    // Sends the letter followed by 0x7F.
    void sendCommand(char letter);
    // Every character received since the last read (possibly none); the read removes
    // them. Throws when the port is closed.
    QByteArray takeAllInput();
    // The same in the runs it came in, each with its arrival time.
    QList<Com_Input> takeInputRuns();
    // Burner_Wait for `seconds` while the port stays open. A port that reports a hang-up
    // (burner switched off, adapter pulled) drops itself; the wait then ends at once and
    // throws, since no reply can come any more.
    void waitWithPortOpen(int seconds);

private:
    ComPort& port_;
};

// The image in a reply to "L", "k" or "l"; throws Burner_Error when the reply is
// shorter than 512 characters.
std::array<uint8_t, 256> Require_Image_Hex_Text(const QByteArray& reply);
