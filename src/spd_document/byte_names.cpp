// The five byte-name tables, filled once at start-up and read-only afterwards.
// Four DDR3 names use the right single quotation mark U+2019 as apostrophe; it is written
// as a universal character name so the texts do not depend on the source file's encoding.
#include "spd_document/byte_names.h"

#include "spd_document/globals.h"

#include <QString>
#include <array>

namespace {

using NameTable = std::array<QString, 256>;

// Bytes first..last (inclusive) all carry one text.
void Fill_Run(NameTable& t, int first, int last, const QString& text)
{
    for (int k = first; k <= last; ++k)
        t[k] = text;
}

// Bytes first+1..last take the text already stored at byte first.
void Copy_First(NameTable& t, int first, int last)
{
    for (int k = first + 1; k <= last; ++k)
        t[k] = t[first];
}

} // namespace

// SDRAM modules.
void SD_Name_Init()
{
    auto& t = SD_Byte_Name;
    t[0] = QStringLiteral("Number of Bytes Used(SDRAM)");
    t[1] = QStringLiteral("Total SPD");
    t[2] = QStringLiteral("Memory Type");
    t[3] = QStringLiteral("Number of Row address");
    t[4] = QStringLiteral("Number of Col address");
    t[5] = QStringLiteral("Number of Banks on Module");
    t[6] = QStringLiteral("Module data width -Low");
    t[7] = QStringLiteral("Module data width -High");
    t[8] = QStringLiteral("Module Voltage interface");
    t[9] = QStringLiteral("SDRAM cycle time.Tclk");
    t[10] = QStringLiteral("SDRAM access from Clock");
    t[11] = QStringLiteral("Module config type");
    t[12] = QStringLiteral("Refresh rate/type");
    t[13] = QStringLiteral("Primary SDRAM width");
    t[14] = QStringLiteral("Error Checking SDRAM width");
    t[15] = QStringLiteral("SDRAM attributes, Min. clock delay");
    t[16] = QStringLiteral("SDRAM attributes, Burst lengths");
    t[17] = QStringLiteral("SDRAM attributes, Number of banks");
    t[18] = QStringLiteral("CAS Latency");
    t[19] = QStringLiteral("CS Latency");
    t[20] = QStringLiteral("WE Latency");
    t[21] = QStringLiteral("SDRAM attributes");
    t[22] = QStringLiteral("SDRAM attributes, General");
    t[23] = QStringLiteral("SDRAM Cycle time.CAS Latency=2");
    t[24] = QStringLiteral("SDRAM Access time.CAS Latency=2");
    t[25] = QStringLiteral("SDRAM Cycle time.CAS Latency=1");
    t[26] = QStringLiteral("SDRAM Access time.CAS Latency=1");
    t[27] = QStringLiteral("Min. row precharge time");
    t[28] = QStringLiteral("Min. row active to row active");
    t[29] = QStringLiteral("Min. RAS to CAS delay");
    t[30] = QStringLiteral("Min. RAS pulse width");
    t[31] = QStringLiteral("Module bank density");
    t[32] = QStringLiteral("Command and Address signal input Setup time");
    t[33] = QStringLiteral("Command and Address signal input Hold time");
    t[34] = QStringLiteral("Data signed input Setup time");
    t[35] = QStringLiteral("Data signed input hold time");
    Fill_Run(t, 36, 61, QStringLiteral("Superset information"));
    t[62] = QStringLiteral("SPD data Revision code");
    t[63] = QStringLiteral("Checksun 0-62");
    Fill_Run(t, 64, 71, QStringLiteral("Manufacturer's JEDEC ID code"));
    t[72] = QStringLiteral("Manufacturing Location");
    Fill_Run(t, 73, 90, QStringLiteral("Manufacturer's Part Number"));
    Fill_Run(t, 91, 92, QStringLiteral("Revision Code"));
    t[93] = QStringLiteral("Manufacturing Year");
    t[94] = QStringLiteral("Manufacturing Week");
    Fill_Run(t, 95, 98, QStringLiteral("Assembly Serial Number"));
    Fill_Run(t, 99, 125, QStringLiteral("Manufacturer Specific Data"));
    t[126] = QStringLiteral("Module supports clock frequency");
    t[127] = QStringLiteral("Intel specification for 100MHz");
    Fill_Run(t, 128, 255, QStringLiteral("Open for customer use"));
}

// DDR SDRAM modules.
void DDR_Name_Init()
{
    auto& t = DDR_Byte_Name;
    t[0] = QStringLiteral("Number of SPD Bytes written(DDR SDRAM)");
    t[1] = QStringLiteral("Total number of Bytes in SPD device");
    t[2] = QStringLiteral("Fundamental Memory Type");
    t[3] = QStringLiteral("Number of Row Addresses on this assembly");
    t[4] = QStringLiteral("Number of Column Addresses on this assembly");
    t[5] = QStringLiteral("Number of Physical Banks on DIMM");
    Fill_Run(t, 6, 7, QStringLiteral("Data Width of this assembly"));
    t[8] = QStringLiteral("Voltage Interface Level of this assembly");
    t[9] = QStringLiteral("SDRAM Device Cycle time at Max. Supported CAS Latency (CL)");
    t[10] = QStringLiteral("SDRAM Device Access from Clock");
    t[11] = QStringLiteral("DIMM configuration type");
    t[12] = QStringLiteral("Refresh Rate/Type");
    t[13] = QStringLiteral("Primary SDRAM Width");
    t[14] = QStringLiteral("Error Checking SDRAM Width");
    t[15] = QStringLiteral("Minimum Clock Delay, Back-to-Back Random Column Access");
    t[16] = QStringLiteral("Burst Lengths Supported");
    t[17] = QStringLiteral("Number of Banks on SDRAM Device");
    t[18] = QStringLiteral("CAS Latency");
    t[19] = QStringLiteral("Chip Select Latency");
    t[20] = QStringLiteral("Write Latency");
    t[21] = QStringLiteral("SDRAM Module Attributes");
    t[22] = QStringLiteral("SDRAM Device Attributes: General");
    t[23] = QStringLiteral("Min Clock Cycle at CLX-0.5");
    t[24] = QStringLiteral("Max Data Access Time (tAC) from Clock at CLX-0.5");
    t[25] = QStringLiteral("Min Clock Cycle at CLX-1");
    t[26] = QStringLiteral("Max Data Access Time (tAC) from Clock at CLX-1");
    t[27] = QStringLiteral("Min Row Precharge Time (tRP)");
    t[28] = QStringLiteral("Min Row Active to Row Active Delay (tRRD)");
    t[29] = QStringLiteral("Min RAS to CAS Delay (tRCD)");
    t[30] = QStringLiteral("Min Active to Precharge Time (tRAS)");
    t[31] = QStringLiteral("Module Bank Density");
    t[32] = QStringLiteral("Address and Command Input Setup Time Before Clock");
    t[33] = QStringLiteral("Address and Command Input Hold Time After Clock");
    t[34] = QStringLiteral("SDRAM Device Data/Data Mask Input Setup Time Before Data Strobe");
    t[35] = QStringLiteral("SDRAM Device Data/Data Mask Input Hold Time After Data Strobe");
    Fill_Run(t, 36, 40, QStringLiteral("Reserved"));
    t[41] = QStringLiteral("Minimum Active/Auto-Refresh Time (tRC)");
    t[42] = QStringLiteral("Min Auto-Refresh to Active/Auto-Refresh Command Period (tRFC)");
    t[43] = QStringLiteral("Max Cycle Time (tCK max)");
    t[44] = QStringLiteral("Max DQS-DQ Skew Time (tDQSQ)");
    t[45] = QStringLiteral("Maximum Read Data Hold Skew Factor (tQHS)");
    t[46] = QStringLiteral("Reserved");
    t[47] = QStringLiteral(" DIMM Height");
    Fill_Run(t, 48, 61, QStringLiteral("Reserved"));
    t[62] = QStringLiteral("SPD Revision");
    t[63] = QStringLiteral("Checksum for bytes 0 - 62");
    Fill_Run(t, 64, 71, QStringLiteral("Manufacturer's JEDEC ID code"));
    t[72] = QStringLiteral("Module Manufacturer Location");
    Fill_Run(t, 73, 90, QStringLiteral("Module Part Number"));
    Fill_Run(t, 91, 92, QStringLiteral("Module Manufacturer Revision Code"));
    t[93] = QStringLiteral("Module Manufacturing Year");
    t[94] = QStringLiteral("Module Manufacturing Week");
    Fill_Run(t, 95, 98, QStringLiteral("Module Serial Number"));
    Fill_Run(t, 99, 127, QStringLiteral("Manufacturer's Specific Data"));
    Fill_Run(t, 128, 255, QStringLiteral("Open for customer use"));
}

// DDR2 SDRAM modules.
void DDR2_Name_Init()
{
    auto& t = DDR2_Byte_Name;
    t[0] = QStringLiteral("Number of SPD Bytes written(DDR2 SDRAM)");
    t[1] = QStringLiteral("Total number of Bytes in SPD device");
    t[2] = QStringLiteral("Fundamental Memory Type");
    t[3] = QStringLiteral("Number of Row Addresses on this assembly");
    t[4] = QStringLiteral("Number of Column Addresses on this assembly");
    t[5] = QStringLiteral("Number of Physical Banks on DIMM");
    t[6] = QStringLiteral("Data Width of this assembly");
    t[7] = QStringLiteral("Reserved");
    t[8] = QStringLiteral("Voltage Interface Level of this assembly");
    t[9] = QStringLiteral("SDRAM Device Cycle time at Max. Supported CAS Latency (CL)");
    t[10] = QStringLiteral("SDRAM Device Access from Clock");
    t[11] = QStringLiteral("DIMM configuration type(Non Parity,Parity or ECC");
    t[12] = QStringLiteral("Refresh Rate/Type");
    t[13] = QStringLiteral("Primary SDRAM Width");
    t[14] = QStringLiteral("Error Checking SDRAM Width");
    t[15] = QStringLiteral("Minimum Clock Delay, Back-to-Back Random Column Access");
    t[16] = QStringLiteral("Burst Lengths Supported");
    t[17] = QStringLiteral("Number of Banks on SDRAM Device");
    t[18] = QStringLiteral("CAS Latency");
    t[19] = QStringLiteral("Reserved");
    t[20] = QStringLiteral("DIMM Type Information");
    t[21] = QStringLiteral("SDRAM Module Attributes");
    t[22] = QStringLiteral("SDRAM Device Attributes: General");
    t[23] = QStringLiteral("Min Clock Cycle at CLX-1");
    t[24] = QStringLiteral("Max Data Access Time (tAC) from Clock at CLX-2");
    t[25] = QStringLiteral("Min Clock Cycle at CLX-2");
    t[26] = QStringLiteral("Max Data Access Time (tAC) from Clock at CLX-2");
    t[27] = QStringLiteral("Min Row Precharge Time (tRP)");
    t[28] = QStringLiteral("Min Row Active to Row Active Delay (tRRD)");
    t[29] = QStringLiteral("Min RAS to CAS Delay (tRCD)");
    t[30] = QStringLiteral("Min Active to Precharge Time (tRAS)");
    t[31] = QStringLiteral("Module Bank Density");
    t[32] = QStringLiteral("Address and Command Input Setup Time Before Clock(tIS)");
    t[33] = QStringLiteral("Address and Command Input Hold Time After Clock(tIH)");
    t[34] = QStringLiteral("Data Input Setup Time Before Clock(tDS)");
    t[35] = QStringLiteral("Data Input Hold Time After Clock(tDH)");
    t[36] = QStringLiteral("Write Recovery Time(tWR)");
    t[37] = QStringLiteral("Internal Write to Read Command Delay (tWTR)");
    t[38] = QStringLiteral("Internal Read to Precharge Command Delay (tRTP)");
    t[39] = QStringLiteral("Memory Analysis Probe Characteristics");
    t[40] = QStringLiteral("Extension of Byte 41 tRC and Byte 42 tRFC");
    t[41] = QStringLiteral("SDRAM Device Minimum Active to Active/Auto Refresh Time (tRC)");
    t[42] = QStringLiteral("SDRAM Device Minimum Auto-Refresh to Active/Auto-Refresh Command Period (tRFC)");
    t[43] = QStringLiteral("SDRAM Device Maximum device cycle time (tCKmax)");
    t[44] = QStringLiteral("SDRAM Device maximum skew between DQS and DQ signals (tDQSQ)");
    t[45] = QStringLiteral("SDRAM Device Mazimum Read DataHold Skew Facktor (tQHS)");
    t[46] = QStringLiteral("PLL Relock Time");
    t[47] = QStringLiteral("IDD in SPD");
    Fill_Run(t, 48, 61, QStringLiteral("Reserved"));
    t[62] = QStringLiteral("SPD Revision");
    t[63] = QStringLiteral("Checksum for bytes 0 - 62");
    Fill_Run(t, 64, 71, QStringLiteral("Manufacturer's JEDEC ID code"));
    t[72] = QStringLiteral("Module Manufacturer Location");
    Fill_Run(t, 73, 90, QStringLiteral("Module Part Number"));
    Fill_Run(t, 91, 92, QStringLiteral("Module Manufacturer Revision Code"));
    t[93] = QStringLiteral("Module Manufacturing Year");
    t[94] = QStringLiteral("Module Manufacturing Week");
    Fill_Run(t, 95, 98, QStringLiteral("Module Serial Number"));
    Fill_Run(t, 99, 127, QStringLiteral("Manufacturer's Specific Data"));
    Fill_Run(t, 128, 255, QStringLiteral("Open for customer use"));
}

// DDR3 SDRAM modules. Bytes 32, 64, 122, 128, 150 and 176 open runs whose
// remaining bytes are copied from the first one.
void DDR3_Name_Init()
{
    auto& t = DDR3_Byte_Name;
    t[0] = QStringLiteral("Number of Serial PD Bytes Written / SPD Device Size / CRC Coverage(DDR3)");
    t[1] = QStringLiteral("SPD Revision");
    t[2] = QStringLiteral("Key Byte / DRAM Device Type");
    t[3] = QStringLiteral("Key Byte / Module Type");
    t[4] = QStringLiteral("SDRAM Density and Banks");
    t[5] = QStringLiteral("SDRAM Addressing");
    t[6] = QStringLiteral("Reserved");
    t[7] = QStringLiteral("Module Organization");
    t[8] = QStringLiteral("Module Memory Bus Width ");
    t[9] = QStringLiteral("Fine Timebase Dividend and Divisor");
    t[10] = QStringLiteral("Medium Timebase Dividend");
    t[11] = QStringLiteral("Medium Timebase Divisor");
    t[12] = QStringLiteral("SDRAM Minimum Cycle Time (tCKmin)");
    t[13] = QStringLiteral("Reserved");
    t[14] = QStringLiteral("CAS Latencies Supported, Least Significant Byte");
    t[15] = QStringLiteral("CAS Latencies Supported, Most Significant Byte");
    t[16] = QStringLiteral("Minimum CAS Latency Time (tAAmin)");
    t[17] = QStringLiteral("Minimum Write Recovery Time (tWRmin)");
    t[18] = QStringLiteral("Minimum RAS# to CAS# Delay Time (tRCDmin)");
    t[19] = QStringLiteral("Minimum Row Active to Row Active Delay Time (tRRDmin)");
    t[20] = QStringLiteral("Minimum Row Precharge Time (tRPmin)");
    t[21] = QStringLiteral("Upper Nibbles for tRAS and tRC");
    t[22] = QStringLiteral("Minimum Active to Precharge Time (tRASmin), Least Significant Byte");
    t[23] = QStringLiteral("Minimum Active to Active/Refresh Time (tRCmin), Least Significant Byte");
    t[24] = QStringLiteral("Minimum Refresh Recovery Time (tRFCmin), Least Significant Byte");
    t[25] = QStringLiteral("Minimum Refresh Recovery Time (tRFCmin), Most Significant Byte");
    t[26] = QStringLiteral("Minimum Internal Write to Read Command Delay Time (tWTRmin)");
    t[27] = QStringLiteral("Minimum Internal Read to Precharge Command Delay Time (tWTRmin)");
    t[28] = QStringLiteral("Upper Nibble for tFAW");
    t[29] = QStringLiteral("Minimum Four Activate Window Delay Time (tFAWmin)");
    t[30] = QStringLiteral("SDRAM Output Drivers supported");
    t[31] = QStringLiteral("SDRAM Refresh Options");
    t[32] = QStringLiteral("TBD, General Section");
    t[60] = QStringLiteral("Module Nominal Height");
    t[61] = QStringLiteral("Module Maximum Thickness");
    t[62] = QStringLiteral("Reference Raw Card Used");
    t[63] = QStringLiteral("Address Mapping from Edge Connector to DRAM");
    t[64] = QStringLiteral("Reserved");
    t[117] = QStringLiteral("Module ID: Module Manufacturer\u2019s JEDEC ID Code ,Least Significant Byte");
    t[118] = QStringLiteral("Module ID: Module Manufacturer\u2019s JEDEC ID Code ,Most Significant Byte");
    t[119] = QStringLiteral("Module ID: Module Manufacturing Location");
    t[120] = QStringLiteral("Module ID: Module Manufacturing Date");
    t[121] = QStringLiteral("Module ID: Module Manufacturing Date");
    t[122] = QStringLiteral("Module ID: Module Serial Number");
    t[126] = QStringLiteral("Cyclical Redundancy Code");
    t[127] = QStringLiteral("Cyclical Redundancy Code");
    t[128] = QStringLiteral("Module Part Number");
    t[146] = QStringLiteral("Module Revision Code");
    t[147] = QStringLiteral("Module Revision Code");
    t[148] = QStringLiteral("DRAM Manufacturer\u2019s JEDEC ID Code");
    t[149] = QStringLiteral("DRAM Manufacturer\u2019s JEDEC ID Code");
    t[150] = QStringLiteral("Manufacturer\u2019s Specific Data");
    t[176] = QStringLiteral("Open for customer use");

    // Shared runs: each byte after the first takes the first byte's text.
    Copy_First(t, 32, 59);
    Copy_First(t, 64, 116);
    Copy_First(t, 122, 125);
    Copy_First(t, 128, 145);
    Copy_First(t, 150, 175);
    Copy_First(t, 176, 255);
}

// RAMBUS modules.
void RAMBUS_Name_Init()
{
    auto& t = RAMBUS_Byte_Name;
    t[0] = QStringLiteral("SPD Revision Level(rb)");
    t[1] = QStringLiteral("Total Number of Bytes in the SPD");
    t[2] = QStringLiteral("Device Type");
    t[3] = QStringLiteral("Module Type");
    t[4] = QStringLiteral("Row Address Bits[3:0],Column Address Bits [3:0]");
    t[5] = QStringLiteral("Bank Address Bits and Type");
    t[6] = QStringLiteral("Refresh Bank Bits");
    t[7] = QStringLiteral("tREF");
    t[8] = QStringLiteral("Protocol Version");
    t[9] = QStringLiteral("Misc. Device Configuration Field");
    t[10] = QStringLiteral("tRP-R, MIN");
    t[11] = QStringLiteral("tRAS-R, MIN");
    t[12] = QStringLiteral("tRCD-R, MIN");
    t[13] = QStringLiteral("tRR-R, MIN");
    t[14] = QStringLiteral("tPP-R, MIN");
    t[15] = QStringLiteral("Min tCYCLE for Range A");
    t[16] = QStringLiteral("Max tCYCLE for Range A");
    t[17] = QStringLiteral("tCDLY Range for Range A");
    t[18] = QStringLiteral("tCLS and tCAS Range for Range A");
    t[19] = QStringLiteral("Min tCYCLE for Range B");
    t[20] = QStringLiteral("Max tCYCLE for Range B");
    t[21] = QStringLiteral("tCDLY Range for Range B");
    t[22] = QStringLiteral("tCLS and tCAS Range for Range B");
    t[23] = QStringLiteral("Min tCYCLE for Range C");
    t[24] = QStringLiteral("Max tCYCLE for Range C");
    t[25] = QStringLiteral("tCDLY Range for Range C");
    t[26] = QStringLiteral("tCLS and tCAS Range for Range C");
    t[27] = QStringLiteral("Min tCYCLE for Range D");
    t[28] = QStringLiteral("Max tCYCLE for Range D");
    t[29] = QStringLiteral("tCDLY Range for Range D");
    t[30] = QStringLiteral("tCLS and tCAS Range for Range D");
    t[31] = QStringLiteral("tPDNXA, MAX");
    t[32] = QStringLiteral("tPDNXB, MAX");
    t[33] = QStringLiteral("tNAPXA, MAX");
    t[34] = QStringLiteral("tNAPXB, MAX");
    t[35] = QStringLiteral("fIMIN[11:8], fIMAX[11:8]");
    t[36] = QStringLiteral("fIMIN[7:0]");
    t[37] = QStringLiteral("fIMAX[7:0]");
    t[38] = QStringLiteral("ODF Mapping");
    t[39] = QStringLiteral("tCCTRL, MAX");
    t[40] = QStringLiteral("tTEMP, MAX");
    t[41] = QStringLiteral("tTCE, MIN");
    t[42] = QStringLiteral("tRAS-R, MAX");
    t[43] = QStringLiteral("tNLIMIT, MAX");
    t[44] = QStringLiteral("ACTREFPT[3:0], PCHREFPT[3:0]");
    t[45] = QStringLiteral("CPCHREFPT_DC[3:0], RDREFPT_DC[3:0]");
    t[46] = QStringLiteral("RETREFPT_DC[3:0], WRREFPT_DC[3:0]");
    Fill_Run(t, 47, 49, QStringLiteral("Reserved"));
    t[50] = QStringLiteral("fRAS[11:8]");
    t[51] = QStringLiteral("fRAS[7:0]");
    t[52] = QStringLiteral("PMAX,HI, PMAX,LO, Tj");
    t[53] = QStringLiteral("HeatSpreader, Thermal Sensor, Tplate");
    t[54] = QStringLiteral("PSTBY,HI");
    t[55] = QStringLiteral("PACTI,HI");
    t[56] = QStringLiteral("PACTRW,HI");
    t[57] = QStringLiteral("PSTBY,LO");
    t[58] = QStringLiteral("PACTI,LO");
    t[59] = QStringLiteral("PACTRW,LO");
    t[60] = QStringLiteral("PNAP");
    t[61] = QStringLiteral("PRESA");
    t[62] = QStringLiteral("PRESB");
    t[63] = QStringLiteral("Checksum for bytes 0 - 62");
    Fill_Run(t, 64, 71, QStringLiteral("Manufacturer's JEDEC ID code"));
    t[72] = QStringLiteral("Module Manufacturer Location");
    Fill_Run(t, 73, 90, QStringLiteral("Module Part Number"));
    Fill_Run(t, 91, 92, QStringLiteral("Module Manufacturer Revision Code"));
    t[93] = QStringLiteral("Module Manufacturing Year");
    t[94] = QStringLiteral("Module Manufacturing Week");
    Fill_Run(t, 95, 98, QStringLiteral("Module Serial Number"));
    t[99] = QStringLiteral("Number of Devices on Module");
    t[100] = QStringLiteral("Module Data Width");
    Fill_Run(t, 101, 104, QStringLiteral("Device Enables"));
    t[105] = QStringLiteral("Module Vdd[3:0], Voltage Interface Level[3:0]");
    t[106] = QStringLiteral("Module Vdd Tolerance");
    Fill_Run(t, 107, 113, QStringLiteral("Reseved"));
    t[114] = QStringLiteral("CDLY0/1 for tCDLY=3");
    t[115] = QStringLiteral("CDLY0/1 for tCDLY=4");
    t[116] = QStringLiteral("CDLY0/1 for tCDLY=5");
    t[117] = QStringLiteral("CDLY0/1 for tCDLY=6");
    t[118] = QStringLiteral("CDLY0/1 for tCDLY=7");
    t[119] = QStringLiteral("CDLY0/1 for tCDLY=8");
    t[120] = QStringLiteral("CDLY0/1 for tCDLY=9");
    t[121] = QStringLiteral("CDLY0/1 for tCDLY=10");
    t[122] = QStringLiteral("CDLY0/1 for tCDLY=11");
    t[123] = QStringLiteral("CDLY0/1 for tCDLY=12");
    t[124] = QStringLiteral("CDLY0/1 for tCDLY=13");
    t[125] = QStringLiteral("CDLY0/1 for tCDLY=14");
    t[126] = QStringLiteral("CDLY0/1 for tCDLY=15");
    t[127] = QStringLiteral("Checksum for Bytes 99 -126");
    Fill_Run(t, 128, 255, QStringLiteral("Open for customer use"));
}

void Fill_Byte_Name_Tables()
{
    SD_Name_Init();
    DDR_Name_Init();
    DDR2_Name_Init();
    DDR3_Name_Init();
    RAMBUS_Name_Init();
}
