// Arbitrary bytes from the serial line into the burner reply parsers. Besides memory
// safety this checks that each parser accepts exactly what its layout allows and that
// the values it reads match an independent reading of the same characters.
#include "burner/burner_frames.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition) std::abort();
}

int digit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

bool isHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool allHex(const QByteArray& text, int from, int to)
{
    for (int i = from; i < to; ++i)
        if (!isHex(text[i])) return false;
    return true;
}

bool hasLowerAscii(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() >= 'a' && c.unicode() <= 'z') return true;
    return false;
}

void imageText(const QByteArray& reply)
{
    const auto image = Parse_Image_Hex_Text(reply);
    // Only 512 hex digits make an image; whatever follows them is not read.
    check(image.has_value() == (reply.size() >= Image_Hex_Text_Length && allHex(reply, 0, Image_Hex_Text_Length)));
    if (!image) return;
    bool canonical = true;
    for (int i = 0; i < 256; ++i) {
        check((*image)[static_cast<size_t>(i)] == 16 * digit(reply[2 * i]) + digit(reply[2 * i + 1]));
        for (char c : { reply[2 * i], reply[2 * i + 1] })
            canonical = canonical && ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'));
    }
    if (canonical) check(Image_Hex_Text(*image) == reply.left(Image_Hex_Text_Length));
}

void statusFrame(const QByteArray& reply)
{
    const auto f = Parse_Burner_Status_Frame(reply);
    check(f.has_value() == (reply.size() >= 8 && reply.mid(4, 4) == "55AA"));
    if (!f) return;
    check(f->socketResults == 16 * digit(reply[0]) + digit(reply[1]));
    check(f->autoSerialCode.size() <= 2 && f->gangCode.size() <= 2 && f->keypadCode.size() <= 2);
    check(f->version.size() <= 2 && f->directionCode.size() <= 2 && f->currentSerial.size() <= 8);
    check(!hasLowerAscii(f->autoSerialCode) && !hasLowerAscii(f->gangCode) && !hasLowerAscii(f->keypadCode));
    check(!hasLowerAscii(f->version) && !hasLowerAscii(f->directionCode));
    check(f->versionCaption().startsWith(QLatin1String("Ver:")));
    if (reply.size() >= Burner_Status_Frame_Length) check(f->directionCode.size() == 2 && f->socketSerial[7].size() == 8);
    for (int k = 0; k <= 9; ++k) {
        const QString shown = f->socketSerialShown(k);
        check(shown.size() <= 8);
        if (k >= 1 && k <= 8 && f->socketFailed(k)) check(shown == QLatin1String("00000000"));
    }
    const QString caption = Gang_Mode_Caption(f->gangCode);
    check(caption.isNull() || f->gangCode.size() == 2);
}

void shortStatus(const QByteArray& reply)
{
    const auto s = Parse_Burner_Short_Status(reply);
    // Its eight field characters are hex digits, and the hex text ends with them: a
    // terminator may follow, a longer run of digits is some other reply.
    const int n = Burner_Short_Status_Length;
    const bool shortForm = reply.size() >= n && allHex(reply, 2, n) && (reply.size() == n || !isHex(reply[n]));
    check(s.has_value() == shortForm);
    if (!s) return;
    check(s->autoSerialCode.size() == 2 && s->gangCode.size() == 2);
    check(s->keypadCode.size() == 2 && s->directionCode.size() == 2);
    check(s->autoSerialOn() == (reply.mid(2, 2) != "00"));
    check(s->lowToHigh() == (reply.mid(8, 2) == "00"));
}

void programFrame(const QByteArray& frame)
{
    const auto content = Parse_Program_Frame(frame);
    if (!content) return;
    check(content->k >= 0 && content->k < Program_Frame_Count);
    const QByteArray rebuilt = Program_Frame(content->k, content->bytes);
    check(rebuilt.size() == Program_Frame_Length);
    check(rebuilt.mid(3, 32) == frame.mid(3, 32).toUpper() && rebuilt.left(3) == frame.left(3));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray reply(reinterpret_cast<const char*>(data), static_cast<int>(size));
    imageText(reply);
    statusFrame(reply);
    shortStatus(reply);
    programFrame(reply);
    return 0;
}
