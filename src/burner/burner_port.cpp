#include "burner/burner_port.h"

#include "burner/burner_frames.h"
#include "burner/burner_wait.h"
#include "platform/com_port.h"

namespace {
std::string portName(const ComPort& port)
{
    return "COM" + std::to_string(port.portNumber());
}
}

bool BurnerPort::isOpen() const
{
    return port_.isOpen();
}

void BurnerPort::openIfClosed()
{
    if (port_.isOpen()) return;
    if (!port_.open())
        throw Burner_Error(portName(port_) + " cannot be opened: " + port_.errorText().toStdString());
}

void BurnerPort::close()
{
    if (port_.isOpen()) port_.close();
}

void BurnerPort::send(const QByteArray& data)
{
    if (!port_.isOpen()) throw Burner_Error(portName(port_) + " is closed");
    if (!port_.output(data))
        throw Burner_Error(portName(port_) + " write failed: " + port_.errorText().toStdString());
}

void BurnerPort::sendCommand(char letter)
{
    send(Burner_Command(letter));
}

QByteArray BurnerPort::takeAllInput()
{
    if (!port_.isOpen()) throw Burner_Error(portName(port_) + " is closed");
    return port_.input();
}

QList<Com_Input> BurnerPort::takeInputRuns()
{
    if (!port_.isOpen()) throw Burner_Error(portName(port_) + " is closed");
    return port_.inputRuns();
}

void BurnerPort::waitWithPortOpen(int seconds)
{
    if (Burner_Wait(seconds, [this] { return !port_.isOpen(); }) == Burner_Wait_End::LineDown)
        throw Burner_Error(portName(port_) + " went down during the wait: " + port_.errorText().toStdString());
}

std::array<uint8_t, 256> Require_Image_Hex_Text(const QByteArray& reply)
{
    const auto image = Parse_Image_Hex_Text(reply);
    if (!image)
        throw Burner_Error("image reply holds " + std::to_string(reply.size()) + " of "
                           + std::to_string(Image_Hex_Text_Length) + " characters");
    return *image;
}
