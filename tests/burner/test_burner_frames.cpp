// Frames of the burner line: commands, program frames, image text, long and short status.
#include <gtest/gtest.h>

#include "burner/burner_frames.h"

#include <algorithm>
#include <vector>

namespace {

// Every byte value once, in an order where neighbours differ in both digits.
std::array<uint8_t, 256> permutedImage()
{
    std::array<uint8_t, 256> image{};
    for (int i = 0; i < 256; ++i) image[static_cast<size_t>(i)] = static_cast<uint8_t>((i * 167 + 13) & 0xFF);
    return image;
}

QByteArray repeat(const char* text, int times)
{
    return QByteArray(text).repeated(times);
}

// A long status frame assembled field by field, so each field's position is visible.
QByteArray longFrame(const QByteArray& results = "A5", const QByteArray& autoSerial = "FF",
                     const QByteArray& signature = "55AA", const QByteArray& gang = "04",
                     const QByteArray& keypad = "FF", const QByteArray& version = "3c",
                     const QByteArray& direction = "ff")
{
    QByteArray f = results + autoSerial + signature + "RSVD" + "CUR12345";
    for (int k = 1; k <= 8; ++k) f += "SOCKET_" + QByteArray::number(k);
    return f + gang + keypad + version + direction;
}

} // namespace

TEST(BurnerCommand, LetterFollowedByDel)
{
    const std::vector<std::pair<char, char>> letters = {
        { Burner_Letter::BlankIC, 'L' }, { Burner_Letter::ReadModule, 'k' }, { Burner_Letter::ReadIC, 'l' },
        { Burner_Letter::Status, 's' },  { Burner_Letter::EraseIC, 'e' },    { Burner_Letter::AutoOn, 'a' },
        { Burner_Letter::AutoOff, 'z' }, { Burner_Letter::Read_Command, 'r' }, { Burner_Letter::EN_KEY, 'y' },
        { Burner_Letter::DIS_KEY, 'Y' }, { Burner_Letter::SNUM_P, 'n' },     { Burner_Letter::SNUM_N, 'N' },
        { Burner_Letter::Mcopy, 'm' },   { Burner_Letter::Copy, 'c' },       { Burner_Letter::Verify, 'v' },
        { Burner_Letter::Program, 'w' },
    };
    for (const auto& [constant, letter] : letters) {
        EXPECT_EQ(constant, letter);
        const QByteArray command = Burner_Command(constant);
        ASSERT_EQ(command.size(), 2) << letter;
        EXPECT_EQ(command[0], letter);
        EXPECT_EQ(static_cast<unsigned char>(command[1]), 0x7F);
    }
}

TEST(ProgramFrame, LayoutOfEveryBlock)
{
    const auto image = permutedImage();
    const char blockChars[] = "0123456789:;<=>?";
    for (int k = 0; k < 16; ++k) {
        const QByteArray frame = Program_Frame(k, image);
        ASSERT_EQ(frame.size(), 36) << k;
        EXPECT_EQ(frame.left(2), "wX") << k;
        EXPECT_EQ(frame[2], blockChars[k]) << k;
        EXPECT_EQ(static_cast<unsigned char>(frame[35]), 0x7F) << k;
        QByteArray expected;
        for (int j = 16 * k; j < 16 * k + 16; ++j)
            expected += QByteArray::number(image[static_cast<size_t>(j)], 16).rightJustified(2, '0').toUpper();
        EXPECT_EQ(frame.mid(3, 32), expected) << k;
    }
}

TEST(ProgramFrame, EleventhAndLastFrames)
{
    std::array<uint8_t, 256> image{};
    for (int i = 0; i < 256; ++i) image[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    EXPECT_EQ(Program_Frame(10, image),
              QByteArray("wX:A0A1A2A3A4A5A6A7A8A9AAABACADAEAF") + '\x7F');
    EXPECT_EQ(Program_Frame(15, image),
              QByteArray("wX?F0F1F2F3F4F5F6F7F8F9FAFBFCFDFEFF") + '\x7F');
    EXPECT_EQ(Program_Frame(0, image),
              QByteArray("wX0000102030405060708090A0B0C0D0E0F") + '\x7F');
}

TEST(ProgramFrame, BlockOutsideRangeGivesNothing)
{
    const std::array<uint8_t, 16> block{};
    for (int k : { -1, 16, 48 }) EXPECT_TRUE(Program_Frame(k, block).isEmpty()) << k;
}

TEST(ProgramFrame, ParseRoundTripsEveryBlock)
{
    const auto image = permutedImage();
    std::array<uint8_t, 256> rebuilt{};
    for (int k = 0; k < 16; ++k) {
        const auto content = Parse_Program_Frame(Program_Frame(k, image));
        ASSERT_TRUE(content) << k;
        EXPECT_EQ(content->k, k);
        for (int j = 0; j < 16; ++j)
            rebuilt[static_cast<size_t>(16 * k + j)] = content->bytes[static_cast<size_t>(j)];
    }
    EXPECT_EQ(rebuilt, image);
}

TEST(ProgramFrame, ParseRejectsMalformedFrames)
{
    const QByteArray good = QByteArray("wX5") + repeat("3c", 16) + '\x7F';
    ASSERT_TRUE(Parse_Program_Frame(good));
    EXPECT_EQ(Parse_Program_Frame(good)->bytes[0], 0x3C);   // either case of hex digit
    EXPECT_EQ(Parse_Program_Frame(good)->k, 5);

    struct Case { const char* what; QByteArray frame; };
    const std::vector<Case> bad = {
        { "empty", QByteArray() },
        { "one short", good.left(35) },
        { "one long", good + '0' },
        { "no terminator", good.left(35) + '0' },
        { "lower-case x", QByteArray("wx5") + repeat("00", 16) + '\x7F' },
        { "wrong letter", QByteArray("kX5") + repeat("00", 16) + '\x7F' },
        { "block 16", QByteArray("wX@") + repeat("00", 16) + '\x7F' },
        { "block -1", QByteArray("wX/") + repeat("00", 16) + '\x7F' },
        { "hex letter as block", QByteArray("wXA") + repeat("00", 16) + '\x7F' },
        { "non-hex digit", QByteArray("wX0") + repeat("00", 15) + "0G" + '\x7F' },
    };
    for (const auto& c : bad) EXPECT_FALSE(Parse_Program_Frame(c.frame)) << c.what;
}

TEST(ImageHexText, EncodesUpperCaseWithLeadingZero)
{
    std::array<uint8_t, 256> image{};
    image[0] = 0x0A;
    image[1] = 0xFF;
    image[2] = 0x10;
    image[255] = 0x7E;
    const QByteArray text = Image_Hex_Text(image);
    ASSERT_EQ(text.size(), 512);
    EXPECT_EQ(text.left(8), "0AFF1000");
    EXPECT_EQ(text.right(2), "7E");
    EXPECT_EQ(Parse_Image_Hex_Text(Image_Hex_Text(permutedImage())), permutedImage());
}

TEST(ImageHexText, EachCharacterReadOnItsOwn)
{
    // value -1: the pair is no hex byte and the whole reply is refused, at the first byte
    // and at the last alike.
    struct Case { QByteArray pair; int value; };
    const std::vector<Case> cases = {
        { "0a", 10 }, { "0A", 10 }, { "Ff", 255 }, { "G1", -1 }, { "1G", -1 }, { "GG", -1 },
        { " 5", -1 },  { "5 ", -1 }, { QByteArray("\0\x7", 2), -1 }, { "\xFF" "a", -1 }, { "a\xC1", -1 },
    };
    for (const auto& c : cases) {
        for (const QByteArray& reply : { c.pair + repeat("00", 255), repeat("00", 255) + c.pair }) {
            const auto image = Parse_Image_Hex_Text(reply);
            ASSERT_EQ(image.has_value(), c.value >= 0) << c.pair.toHex().constData();
            if (image) {
                EXPECT_EQ((*image)[reply.startsWith(c.pair) ? 0 : 255], c.value) << c.pair.toHex().constData();
            }
        }
    }
}

TEST(ImageHexText, LengthDecidesAcceptance)
{
    const QByteArray full = Image_Hex_Text(permutedImage());
    struct Case { int length; bool accepted; };
    for (const Case c : { Case { 0, false }, Case { 1, false }, Case { 2, false }, Case { 510, false },
                          Case { 511, false }, Case { 512, true } }) {
        EXPECT_EQ(Parse_Image_Hex_Text(full.left(c.length)).has_value(), c.accepted) << c.length;
    }
    // Extra characters, even garbage, are ignored.
    for (const QByteArray& tail : { QByteArray("12345678"), QByteArray("\r\n"), QByteArray("ZZ55AAzz") }) {
        const auto image = Parse_Image_Hex_Text(full + tail);
        ASSERT_TRUE(image);
        EXPECT_EQ(*image, permutedImage());
    }
}

TEST(BurnerStatusFrame, EveryFieldAtItsPosition)
{
    const QByteArray frame = longFrame();
    ASSERT_EQ(frame.size(), 92);
    const auto f = Parse_Burner_Status_Frame(frame);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->socketResults, 0xA5);
    EXPECT_EQ(f->autoSerialCode, "FF");
    EXPECT_TRUE(f->autoSerialOn());
    EXPECT_EQ(f->currentSerial, "CUR12345");
    for (int k = 1; k <= 8; ++k)
        EXPECT_EQ(f->socketSerial[static_cast<size_t>(k - 1)], QStringLiteral("SOCKET_%1").arg(k));
    EXPECT_EQ(f->gangCode, "04");
    EXPECT_EQ(f->keypadCode, "FF");
    EXPECT_TRUE(f->keypadUnlocked());
    EXPECT_EQ(f->version, "3C");
    EXPECT_EQ(f->versionCaption(), "Ver:3C");
    EXPECT_EQ(f->directionCode, "FF");
    EXPECT_TRUE(f->lowToHigh());
}

TEST(BurnerStatusFrame, SignatureMustBeExact)
{
    struct Case { const char* what; QByteArray reply; bool accepted; };
    const std::vector<Case> cases = {
        { "upper case", longFrame(), true },
        { "lower case", longFrame("00", "00", "55aa"), false },
        { "mixed case", longFrame("00", "00", "55Aa"), false },
        { "other word", longFrame("00", "00", "55AB"), false },
        { "shifted", " " + longFrame(), false },
        { "empty", QByteArray(), false },
        { "signature cut", QByteArray("000055A"), false },
        { "signature only", QByteArray("000055AA"), true },
        { "signature first", QByteArray("55AA0000"), false },
        { "extra characters", longFrame() + "\r\nXYZ", true },
    };
    for (const auto& c : cases) EXPECT_EQ(Parse_Burner_Status_Frame(c.reply).has_value(), c.accepted) << c.what;
}

TEST(BurnerStatusFrame, FlagsAreCaseFoldedAndOnlyFFCounts)
{
    struct Case { QByteArray code; bool on; };
    for (const Case& c : { Case { "FF", true }, Case { "ff", true }, Case { "fF", true }, Case { "00", false },
                          Case { "01", false }, Case { "FE", false }, Case { "F", false } }) {
        const QByteArray code = c.code.leftJustified(2, ' ');
        const auto f = Parse_Burner_Status_Frame(longFrame("00", code, "55AA", "01", code, "ab", code));
        ASSERT_TRUE(f);
        EXPECT_EQ(f->autoSerialOn(), c.on) << c.code.constData();
        EXPECT_EQ(f->keypadUnlocked(), c.on) << c.code.constData();
        EXPECT_EQ(f->lowToHigh(), c.on) << c.code.constData();
        EXPECT_EQ(f->directionCode, QString::fromLatin1(code).toUpper());
    }
}

TEST(BurnerStatusFrame, ShortFrameLeavesMissingFieldsEmpty)
{
    const QByteArray full = longFrame();
    struct Case { int length; const char* serial8; const char* gang; const char* keypad; const char* version; const char* direction; };
    const std::vector<Case> cases = {
        { 92, "SOCKET_8", "04", "FF", "3C", "FF" },
        { 91, "SOCKET_8", "04", "FF", "3C", "F" },
        { 90, "SOCKET_8", "04", "FF", "3C", "" },
        { 89, "SOCKET_8", "04", "FF", "3", "" },
        { 88, "SOCKET_8", "04", "FF", "", "" },
        { 84, "SOCKET_8", "", "", "", "" },
        { 80, "SOCK", "", "", "", "" },
        { 8, "", "", "", "", "" },
    };
    for (const auto& c : cases) {
        const auto f = Parse_Burner_Status_Frame(full.left(c.length));
        ASSERT_TRUE(f) << c.length;
        EXPECT_EQ(f->socketSerial[7], QLatin1String(c.serial8)) << c.length;
        EXPECT_EQ(f->gangCode, QLatin1String(c.gang)) << c.length;
        EXPECT_EQ(f->keypadCode, QLatin1String(c.keypad)) << c.length;
        EXPECT_EQ(f->version, QLatin1String(c.version)) << c.length;
        EXPECT_EQ(f->directionCode, QLatin1String(c.direction)) << c.length;
    }
    const auto bare = Parse_Burner_Status_Frame(full.left(8));
    EXPECT_EQ(bare->versionCaption(), "Ver:");
    EXPECT_FALSE(bare->lowToHigh());
    EXPECT_FALSE(bare->keypadUnlocked());
    EXPECT_EQ(bare->currentSerial, "");
    EXPECT_EQ(Gang_Mode_Caption(bare->gangCode), QString());
}

TEST(BurnerStatusFrame, SocketResultsByBit)
{
    struct Case { QByteArray results; uint8_t value; std::vector<int> failed; };
    const std::vector<Case> cases = {
        { "05", 0x05, { 1, 3 } },
        { "00", 0x00, {} },
        { "FF", 0xFF, { 1, 2, 3, 4, 5, 6, 7, 8 } },
        { "80", 0x80, { 8 } },
        { "a0", 0xA0, { 6, 8 } },
        { "G5", 0x05, { 1, 3 } },       // a character that is not a hex digit counts 0
        { "1Z", 0x10, { 5 } },
    };
    for (const auto& c : cases) {
        const auto f = Parse_Burner_Status_Frame(longFrame(c.results));
        ASSERT_TRUE(f) << c.results.constData();
        EXPECT_EQ(f->socketResults, c.value) << c.results.constData();
        for (int k = 1; k <= 8; ++k) {
            const bool failed = std::find(c.failed.begin(), c.failed.end(), k) != c.failed.end();
            EXPECT_EQ(f->socketFailed(k), failed) << c.results.constData() << " socket " << k;
            EXPECT_EQ(f->socketSerialShown(k),
                      failed ? QStringLiteral("00000000") : QStringLiteral("SOCKET_%1").arg(k))
                << c.results.constData() << " socket " << k;
        }
        EXPECT_FALSE(f->socketFailed(0));
        EXPECT_FALSE(f->socketFailed(9));
    }
}

TEST(BurnerStatusFrame, SerialFieldsShownAsTheyStand)
{
    QByteArray frame = longFrame("00");
    frame.replace(20, 8, "12345678");
    frame.replace(12, 8, "ab cd\x01zy");
    const auto f = Parse_Burner_Status_Frame(frame);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->socketSerialShown(1), "12345678");
    EXPECT_EQ(f->currentSerial, QString::fromLatin1("ab cd\x01zy"));
    frame.replace(0, 2, "01");
    EXPECT_EQ(Parse_Burner_Status_Frame(frame)->socketSerialShown(1), "00000000");
}

TEST(BurnerShortStatus, FieldsComparedExactly)
{
    struct Case {
        QByteArray reply;
        bool autoOn; const char* gang; bool locked; const char* direction; bool lowToHigh;
    };
    const std::vector<Case> cases = {
        { "xx00010000", false, "01", false, "00", true },
        { "xx000100FF", false, "01", false, "FF", false },
        { "00FF08FF00", true, "08", true, "00", true },
        { "0000020001", false, "02", false, "01", false },
        { "0000040000trailing", false, "04", false, "00", true },
        { "xxFF08FF01\r\n", true, "08", true, "01", false },
    };
    for (const auto& c : cases) {
        const auto s = Parse_Burner_Short_Status(c.reply);
        ASSERT_TRUE(s) << c.reply.constData();
        EXPECT_EQ(s->autoSerialOn(), c.autoOn) << c.reply.constData();
        EXPECT_EQ(s->gangCode, QLatin1String(c.gang)) << c.reply.constData();
        EXPECT_EQ(s->keypadLocked(), c.locked) << c.reply.constData();
        EXPECT_EQ(s->directionCode, QLatin1String(c.direction)) << c.reply.constData();
        EXPECT_EQ(s->lowToHigh(), c.lowToHigh) << c.reply.constData();
    }
}

TEST(BurnerShortStatus, OnlyTheShortFormIsAccepted)
{
    // Too short, a field that is no hex text, hex text running on past the 10th
    // character (a long frame, or a short one behind a stray byte).
    for (const QByteArray& reply : { QByteArray(), QByteArray("00"), QByteArray("000001000"), QByteArray(9, '0'),
                                     QByteArray("00ff04ff0o"), QByteArray("000O0000 0"), QByteArray("0000010000F"),
                                     QByteArray("\xFF" "0000010000"), longFrame() })
        EXPECT_FALSE(Parse_Burner_Short_Status(reply)) << reply.toHex().constData();
    EXPECT_TRUE(Parse_Burner_Short_Status(QByteArray(10, '0')));
}

TEST(BurnerStatusReply, ReadByItsForm)
{
    struct Case {
        const char* name;
        QByteArray reply;
        bool accepted; bool autoOn; const char* gang; bool locked; const char* direction; bool lowToHigh;
    };
    QByteArray longReply = QByteArray("00FF55AA0000") + repeat("0", 72) + "04" "ff" "1A" "00";
    QByteArray longShifted = QByteArray(1, '0') + longReply;
    const std::vector<Case> cases = {
        { "long: unlocked, high to low", longReply, true, true, "04", false, "00", false },
        { "long, lower-case flags", QByteArray(longReply).replace(90, 2, "ff"), true, true, "04", false, "FF", true },
        { "long, keypad locked", QByteArray(longReply).replace(86, 2, "00"), true, true, "04", true, "00", false },
        { "short", "0000020001", true, false, "02", false, "01", false },
        { "short, all on", "00FF08FF00", true, true, "08", true, "00", true },
        { "long behind a stray byte", longShifted, false, false, "", false, "", false },
        { "long with its signature garbled", QByteArray(longReply).replace(5, 1, "?"), false, false, "", false, "", false },
        { "empty", QByteArray(), false, false, "", false, "", false },
        { "long cut short", longReply.left(12), false, false, "", false, "", false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto s = Parse_Status_Reply(c.reply);
        ASSERT_EQ(s.has_value(), c.accepted);
        if (!s) continue;
        EXPECT_EQ(s->autoSerialOn, c.autoOn);
        EXPECT_EQ(s->gangCode, QLatin1String(c.gang));
        EXPECT_EQ(s->keypadLocked, c.locked);
        EXPECT_EQ(s->directionCode, QLatin1String(c.direction));
        EXPECT_EQ(s->lowToHigh, c.lowToHigh);
    }
}

TEST(GangMode, CaptionPerCode)
{
    struct Case { QString code; QString caption; };
    const std::vector<Case> cases = {
        { "01", QStringLiteral("連片複製+比對") }, { "02", QStringLiteral("連片複製") },
        { "04", QStringLiteral("連片比對") },       { "08", QStringLiteral("連片比對88") },
        { "03", QString() }, { "00", QString() }, { "1", QString() }, { "010", QString() },
        { "", QString() }, { "FF", QString() },
    };
    for (const auto& c : cases) {
        const QString caption = Gang_Mode_Caption(c.code);
        EXPECT_EQ(caption, c.caption) << c.code.toStdString();
        EXPECT_EQ(caption.isNull(), c.caption.isNull()) << c.code.toStdString();
    }
}
