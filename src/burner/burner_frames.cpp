#include "burner/burner_frames.h"

#include <algorithm>

#include "spd_document/spd_record.h"

namespace {

// Value of one character of a reply as a hex digit, 0 when it is none.
uint8_t digitOf(char c)
{
    return Hex_To_Byte(QString(QLatin1Char(c)));
}

// Characters first..first+length-1 (counted from 1) of a reply, cut short at its end:
// an empty text when the reply ends before the field.
QString fieldText(const QByteArray& reply, int first, int length)
{
    const int start = first - 1;
    if (start >= reply.size()) return QString(QLatin1String(""));
    return QString::fromLatin1(reply.mid(start, length));
}

// Upper-cases the ASCII letters only, so that every character stays one character.
QString asciiUpper(QString s)
{
    for (QChar& c : s) {
        const ushort u = c.unicode();
        if (u >= 'a' && u <= 'z') c = QChar(u - 'a' + 'A');
    }
    return s;
}

int strictHexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

QByteArray Burner_Command(char letter)
{
    QByteArray command;
    command.append(letter);
    command.append(Burner_Terminator);
    return command;
}

QByteArray Program_Frame(int k, const std::array<uint8_t, 16>& bytes)
{
    if (k < 0 || k >= Program_Frame_Count) return QByteArray();
    QByteArray frame;
    frame.reserve(Program_Frame_Length);
    frame.append(Burner_Letter::Program);
    frame.append('X');
    frame.append(static_cast<char>(48 + k));
    for (uint8_t b : bytes) frame.append(Hex_Byte_Text(b).toLatin1());
    frame.append(Burner_Terminator);
    return frame;
}

QByteArray Program_Frame(int k, const std::array<uint8_t, 256>& image)
{
    if (k < 0 || k >= Program_Frame_Count) return QByteArray();
    std::array<uint8_t, 16> block{};
    for (int j = 0; j < 16; ++j) block[static_cast<size_t>(j)] = image[static_cast<size_t>(16 * k + j)];
    return Program_Frame(k, block);
}

std::optional<Program_Frame_Content> Parse_Program_Frame(const QByteArray& frame)
{
    if (frame.size() != Program_Frame_Length) return std::nullopt;
    if (frame[0] != Burner_Letter::Program || frame[1] != 'X') return std::nullopt;
    if (frame[Program_Frame_Length - 1] != Burner_Terminator) return std::nullopt;
    const int k = static_cast<unsigned char>(frame[2]) - 48;
    if (k < 0 || k >= Program_Frame_Count) return std::nullopt;
    Program_Frame_Content content;
    content.k = k;
    for (int j = 0; j < 16; ++j) {
        const int high = strictHexDigit(frame[3 + 2 * j]);
        const int low = strictHexDigit(frame[4 + 2 * j]);
        if (high < 0 || low < 0) return std::nullopt;
        content.bytes[static_cast<size_t>(j)] = static_cast<uint8_t>(high * 16 + low);
    }
    return content;
}

QByteArray Image_Hex_Text(const std::array<uint8_t, 256>& image)
{
    QByteArray text;
    text.reserve(Image_Hex_Text_Length);
    for (uint8_t b : image) text.append(Hex_Byte_Text(b).toLatin1());
    return text;
}

std::optional<uint8_t> Image_Hex_Byte(const QByteArray& reply, int i)
{
    if (i < 0 || reply.size() < 2 * i + 2) return std::nullopt;
    const int high = strictHexDigit(reply[2 * i]);
    const int low = strictHexDigit(reply[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    return static_cast<uint8_t>(16 * high + low);
}

std::optional<std::array<uint8_t, 256>> Parse_Image_Hex_Text(const QByteArray& reply)
{
    if (reply.size() < Image_Hex_Text_Length) return std::nullopt;
    std::array<uint8_t, 256> image{};
    for (int i = 0; i < 256; ++i) {
        const std::optional<uint8_t> b = Image_Hex_Byte(reply, i);
        if (!b) return std::nullopt;
        image[static_cast<size_t>(i)] = *b;
    }
    return image;
}

bool Burner_Status_Frame::socketFailed(int socket) const
{
    if (socket < 1 || socket > 8) return false;
    return (socketResults >> (socket - 1)) & 1;
}

QString Burner_Status_Frame::socketSerialShown(int socket) const
{
    if (socket < 1 || socket > 8) return QString();
    if (socketFailed(socket)) return QStringLiteral("00000000");
    return socketSerial[static_cast<size_t>(socket - 1)];
}

bool Could_Begin_Status_Frame(const QByteArray& text)
{
    const int end = std::min<int>(static_cast<int>(text.size()), 8);
    for (int i = 4; i < end; ++i)
        if (text[i] != Burner_Signature[i - 4]) return false;
    return true;
}

std::optional<Burner_Status_Frame> Parse_Burner_Status_Frame(const QByteArray& reply)
{
    if (reply.size() < 8 || reply.mid(4, 4) != QByteArray(Burner_Signature)) return std::nullopt;
    Burner_Status_Frame f;
    f.socketResults = static_cast<uint8_t>(16 * digitOf(reply[0]) + digitOf(reply[1]));
    f.autoSerialCode = asciiUpper(fieldText(reply, 3, 2));
    f.currentSerial = fieldText(reply, 13, 8);
    for (int k = 1; k <= 8; ++k)
        f.socketSerial[static_cast<size_t>(k - 1)] = fieldText(reply, 21 + 8 * (k - 1), 8);
    f.gangCode = asciiUpper(fieldText(reply, 85, 2));
    f.keypadCode = asciiUpper(fieldText(reply, 87, 2));
    f.version = asciiUpper(fieldText(reply, 89, 2));
    f.directionCode = asciiUpper(fieldText(reply, 91, 2));
    return f;
}

std::optional<Burner_Short_Status> Parse_Burner_Short_Status(const QByteArray& reply)
{
    if (reply.size() < Burner_Short_Status_Length) return std::nullopt;
    for (int i = 2; i < Burner_Short_Status_Length; ++i)
        if (strictHexDigit(reply[i]) < 0) return std::nullopt;
    if (reply.size() > Burner_Short_Status_Length && strictHexDigit(reply[Burner_Short_Status_Length]) >= 0)
        return std::nullopt;
    Burner_Short_Status s;
    s.autoSerialCode = fieldText(reply, 3, 2);
    s.gangCode = fieldText(reply, 5, 2);
    s.keypadCode = fieldText(reply, 7, 2);
    s.directionCode = fieldText(reply, 9, 2);
    return s;
}

Burner_Panel_Settings Panel_Settings(const Burner_Status_Frame& f)
{
    Burner_Panel_Settings p;
    p.autoSerialOn = f.autoSerialOn();
    p.gangCode = f.gangCode;
    p.keypadLocked = !f.keypadUnlocked();
    p.directionCode = f.directionCode;
    p.lowToHigh = f.lowToHigh();
    return p;
}

std::optional<Burner_Panel_Settings> Parse_Status_Reply(const QByteArray& reply)
{
    Burner_Panel_Settings p;
    // A long frame cut short holds none of the fields the panel takes from its end.
    const std::optional<Burner_Status_Frame> f =
        reply.size() >= Burner_Status_Frame_Length ? Parse_Burner_Status_Frame(reply) : std::nullopt;
    if (f) return Panel_Settings(*f);
    if (const std::optional<Burner_Short_Status> s = Parse_Burner_Short_Status(reply)) {
        p.autoSerialOn = s->autoSerialOn();
        p.gangCode = s->gangCode;
        p.keypadLocked = s->keypadLocked();
        p.directionCode = s->directionCode;
        p.lowToHigh = s->lowToHigh();
        return p;
    }
    return std::nullopt;
}

QString Gang_Mode_Caption(const QString& code)
{
    if (code == QLatin1String("01")) return QStringLiteral("連片複製+比對");
    if (code == QLatin1String("02")) return QStringLiteral("連片複製");
    if (code == QLatin1String("04")) return QStringLiteral("連片比對");
    if (code == QLatin1String("08")) return QStringLiteral("連片比對88");
    return QString();
}
