#include <gtest/gtest.h>

#include "spd_document/spd_record.h"

TEST(HexByteText, TwoUpperCaseDigits)
{
    EXPECT_EQ(Hex_Byte_Text(0), "00");
    EXPECT_EQ(Hex_Byte_Text(0x0A), "0A");
    EXPECT_EQ(Hex_Byte_Text(0xFF), "FF");
    EXPECT_EQ(Hex_Byte_Text(0x1f), "1F");
}

TEST(HexToByte, FirstAndLastCharacters)
{
    EXPECT_EQ(Hex_To_Byte("1F"), 31);
    EXPECT_EQ(Hex_To_Byte("f"), 15);
    EXPECT_EQ(Hex_To_Byte("a0"), 160);
    EXPECT_EQ(Hex_To_Byte("123"), 0x13);
    EXPECT_EQ(Hex_To_Byte("ABC"), 0xAC);
    for (const char* bad : { "1G", "G1", "G", " 5", "" })
        EXPECT_EQ(Hex_To_Byte(QString::fromLatin1(bad)), 0) << bad;
}

TEST(Checksum, SumOfBytesModulo256)
{
    SPD_Record r;
    EXPECT_EQ(cal_bytesum(r, 62), 0);
    for (int i = 0; i <= 62; ++i) r.Spd_Value[i] = 0xFF;
    EXPECT_EQ(cal_bytesum(r, 62), 0xC1);
    EXPECT_EQ(cal_bytesum(r, -1), 0);
    checksum_upkeep(r);
    EXPECT_EQ(r.Spd_Value[63], 0xC1);
}

TEST(Crc16, MatchesXmodemAndCoverageFollowsByte0)
{
    SPD_Record r;
    EXPECT_EQ(cal_crc16(r, 125), 0.0);
    // CRC-16/XMODEM check value of "123456789".
    const char* check = "123456789";
    for (int i = 0; i < 9; ++i) r.Spd_Value[i] = static_cast<uint8_t>(check[i]);
    EXPECT_EQ(crc16_spd(r, 8), 0x31C3);

    SPD_Record a;
    a.Spd_Value[0] = 0x92;  // bit 7: CRC over 0-116
    crc_upkeep(a);
    const auto before = a.Spd_Value;
    a.Spd_Value[120] = 0x55;
    crc_upkeep(a);
    EXPECT_EQ(a.Spd_Value[126], before[126]);
    EXPECT_EQ(a.Spd_Value[127], before[127]);

    SPD_Record b;
    b.Spd_Value[0] = 0x12;  // CRC over 0-125
    crc_upkeep(b);
    const uint16_t first = b.Spd_Value[126] | (b.Spd_Value[127] << 8);
    b.Spd_Value[120] = 0x55;
    crc_upkeep(b);
    const uint16_t second = b.Spd_Value[126] | (b.Spd_Value[127] << 8);
    EXPECT_NE(first, second);
    EXPECT_EQ(second, crc16_spd(b, 125));
}

TEST(TypeKeyMap, Byte2ToMemoryType)
{
    EXPECT_EQ(Type_Key_Map(4), MT_SDRAM);
    EXPECT_EQ(Type_Key_Map(7), MT_DDR);
    EXPECT_EQ(Type_Key_Map(8), MT_DDR2);
    EXPECT_EQ(Type_Key_Map(9), MT_DDR3);
    EXPECT_EQ(Type_Key_Map(11), MT_DDR3);
    EXPECT_EQ(Type_Key_Map(10), -1);
    EXPECT_EQ(Type_Key_Map(0), -1);
}

TEST(CheckValue, Byte2DecidesWhichIsKeptAndAnUndoGivesBackOnlyWhatIsStillItsOwn)
{
    struct Case { uint8_t byte2; bool keep; bool changedBetween; Check_Value_Kind kept; };
    const Case cases[] = {
        { 0x08, true, false, Check_Value_Kind::Checksum }, { 0x08, false, false, Check_Value_Kind::None },
        { 0x09, true, false, Check_Value_Kind::Crc },      { 0x0B, true, true, Check_Value_Kind::Crc },
        { 0x04, true, true, Check_Value_Kind::Checksum },
    };
    for (const Case& c : cases) {
        SPD_Record r;
        r.Spd_Value[2] = c.byte2;
        r.Spd_Value[63] = r.Spd_Value[126] = r.Spd_Value[127] = 0x5A;   // wrong on purpose
        const SPD_Record original = r;
        Check_Value_Undo undo;
        EXPECT_EQ(Keep_Check_Value(r, c.keep, &undo), c.kept) << int(c.byte2);
        SPD_Record right = original;
        if (c.kept == Check_Value_Kind::Crc) crc_upkeep(right);
        if (c.kept == Check_Value_Kind::Checksum) checksum_upkeep(right);
        EXPECT_EQ(r.Spd_Value, right.Spd_Value) << int(c.byte2);   // the other value's bytes stay
        if (c.changedBetween) r.Spd_Value[c.kept == Check_Value_Kind::Crc ? 126 : 63] ^= 1;
        Undo_Check_Value(r, undo, true);
        EXPECT_EQ(r.Spd_Value, c.changedBetween ? right.Spd_Value : original.Spd_Value) << int(c.byte2);
    }
}
