#include "report/print_lines.h"

#include "spd_document/globals.h"

#include <cstdint>
#include <initializer_list>

namespace report {

namespace {

using Print_Table = std::array<QString, 258>;

struct Line_Text {
    int16_t index;
    const char* text; // UTF-8, without its trailing blanks
};

struct Width_Exception {
    int16_t index;
    int width;
};

// The rule under the column header and at the foot of every page.
QString Rule_Line() { return QString(5, QLatin1Char(' ')) + QString(139, QLatin1Char('-')); }

// The column headers are 136 characters wide, trailing blanks included.
constexpr int Header_Width = 136;

// A byte line is padded with blanks so that its text ends in the same column on every
// line: 138 characters for a one-digit byte number, 137 for two digits or a byte range,
// 136 for three digits.
int Standard_Width(const QString& text)
{
    const QString label = text.trimmed().section(QLatin1Char(' '), 0, 0);
    if (label.contains(QLatin1Char('-'))) return 137;
    return 139 - static_cast<int>(label.size());
}

QString Padded(const QString& text, int width)
{
    return text + QString(qMax(0, width - static_cast<int>(text.size())), QLatin1Char(' '));
}

void Fill(Print_Table& table, const QString& header, std::initializer_list<Line_Text> lines,
          std::initializer_list<Width_Exception> widths = {})
{
    table[Print_Line_Header] = Padded(header, Header_Width);
    table[Print_Line_Rule] = Rule_Line();
    for (const Line_Text& line : lines) {
        const QString text = QString::fromUtf8(line.text);
        int width = Standard_Width(text);
        for (const Width_Exception& w : widths)
            if (w.index == line.index) width = w.width;
        table[static_cast<size_t>(line.index)] = Padded(text, width);
    }
}

} // namespace

void SD_Print_Init()
{
    Fill(SD_Print_Line, QStringLiteral("     BYTE               SDRAM   DESCRIPTION"), {
    {0, "        0          Number of Bytes Utilized by Module Manufacturer"},
    {1, "        1          Total Number of Bytes in SPD Device"},
    {2, "        2          Memory Type"},
    {3, "        3          Number of Row Addresses"},
    {4, "        4          Number of Column Addresses"},
    {5, "        5          Number of Physical Ranks on DIMM"},
    {6, "        6          Module Data Width"},
    {7, "        7          Module Data Width(Continuation)"},
    {8, "        8          Module Voltage Interface Levels"},
    {9, "        9          SDRAM Cycle time. tCK(CAS Latency=3)"},
    {10, "       10          SDRAM Access from Clock,tAC(CAS Latency=3)"},
    {11, "       11          Module Configuration Type"},
    {12, "       12          Refresh Rate/Type"},
    {13, "       13          SDRAM Device Width(Primary SDRAM)"},
    {14, "       14          Error Checking SDRAM Data Width"},
    {15, "       15          Minimum Clock Delay, Back-to-Back Random Column Access"},
    {16, "       16          Burst Lengths Supported"},
    {17, "       17          Number of Banks on SDRAM Device"},
    {18, "       18          CAS Latencies Supported"},
    {19, "       19          CS Latency"},
    {20, "       20          WE Latency"},
    {21, "       21          SDRAM Module Attributes"},
    {22, "       22          SDRAM Device Attributes: General"},
    {23, "       23          SDRAM Cycle Time,tCK CAS Latency=2"},
    {24, "       24          SDRAM Access From CK,tAC CAS Latency=2"},
    {25, "       25          SDRAM Cycle Time,tCK CAS Latency=1"},
    {26, "       26          SDRAM Access From CK,tAC CAS Latency=1"},
    {27, "       27          Minimum Row Precharge Time (tRP)"},
    {28, "       28          Minimum Row Active to Row Active Delay,(tRRD)"},
    {29, "       29          Minimum RAS to CAS Delay,(tRCD)"},
    {30, "       30          Minimum RAS# Pulse Width,(tRAS)"},
    {31, "       31          Module Rank Density"},
    {32, "       32          Command Address Setup Time,tAS"},
    {33, "       33          Command Address Hold Time,tAH"},
    {34, "       34          Data Signal Input Setup,tDS"},
    {35, "       35          Data Signal Input Hold,tDH"},
    {36, "      36-40       Reserved"},
    {41, "       41          Device Minimum Active/Auo-Refresh Time,tRC"},
    {42, "      42-61       Reserved"},
    {62, "       62          SPD Revision"},
    {63, "       63          Checksum for Byte 0-62"},
    {64, "      64-71       Manufacturer's Jedec ID Code"},
    {72, "       72          Manufacturer's Location"},
    {73, "      73-90       Module Part Number(ASCII)"},
    {91, "      91-92       Module Revision Code"},
    {93, "       93          Module Manufacturing Year(HEX)"},
    {94, "       94          Module Manufacturing Week(HEX)"},
    {95, "      95-98       Module Serial Number"},
    {99, "      99-125      Manufacturer's Specific Data"},
    {126, "      126         Intel specification for frequency"},
    {127, "      127         Intel Specification details for 100MHz Support"},
    });
}

void DDR_Print_Init()
{
    Fill(DDR_Print_Line, QStringLiteral("     BYTE                DDR   DESCRIPTION"), {
    {0, "        0          Number of Bytes Utilized by Module Manufacturer"},
    {1, "        1          Total Number of Bytes in SPD Device"},
    {2, "        2          Memory Type"},
    {3, "        3          Number of Row Addresses"},
    {4, "        4          Number of Column Addresses"},
    {5, "        5          Number of Physical Ranks on DIMM"},
    {6, "        6          Module Data Width"},
    {7, "        7          Module Data Width(Continuation)"},
    {8, "        8          Module Voltage Interface Levels"},
    {9, "        9          SDRAM Cycle time. tCK(CAS Latency=3)"},
    {10, "       10          SDRAM Access from Clock,tAC(CAS Latency=3)"},
    {11, "       11          Module Configuration Type"},
    {12, "       12          Refresh Rate/Type"},
    {13, "       13          SDRAM Device Width(Primary DDR SDRAM"},
    {14, "       14          Error Checking DDR SDRAM Data Width"},
    {15, "       15          Minimum Clock Delay, Back-to-Back Random Column Access"},
    {16, "       16          Burst Lengths Supported"},
    {17, "       17          Number of Banks on DDR SDRAM Device"},
    {18, "       18          CAS Latencies Supported"},
    {19, "       19          CS Latency"},
    {20, "       20          WE Latency"},
    {21, "       21          SDRAM Module Attributes"},
    {22, "       22          SDRAM Device Attributes: General"},
    {23, "       23          SDRAM Cycle Time,tCK CAS Latency=2.5"},
    {24, "       24          SDRAM Access From CK,tAC CAS Latency=2.5"},
    {25, "       25          SDRAM Cycle Time,tCK CAS Latency=2"},
    {26, "       26          SDRAM Access From CK,tAC CAS Latency=2"},
    {27, "       27          Minimum Row Precharge Time (tRP)"},
    {28, "       28          Minimum Row Active to Row Active Delay,(tRRD)"},
    {29, "       29          Minimum RAS to CAS Delay,(tRCD)"},
    {30, "       30          Minimum RAS# Pulse Width,(tRAS)"},
    {31, "       31          Module Rank Density"},
    {32, "       32          Address and Command Input Setup Time,tIS"},
    {33, "       33          Address and Command Input Hold Time,tIH"},
    {34, "       34          Data/Data Mask Input Setup Time,tDS"},
    {35, "       35          Data/Data Mask Input Hold Time,tDH"},
    {36, "      36-40       Reserved"},
    {41, "       41          Minimum Active Auto Refresh Time,tRC"},
    {42, "       42          Minimum Auto Refresh to Active/Auto Refresh Command Period,tRFC"},
    {43, "       43          SDRAM Device Maximum Cycle Time,tCKMAX"},
    {44, "       44          SDRAM Device Maximum DQS-DQ Skew Time,tDQSQ"},
    {45, "       45          SDRAM Device Maximum Read Data Hold Skew Factor,tQHS"},
    {46, "      46-61       Reserved"},
    {62, "       62          SPD Revision"},
    {63, "       63          Checksum for Byte 0-62"},
    {64, "      64-71       Manufacturer's Jedec ID Code"},
    {72, "       72          Manufacturer's Location"},
    {73, "      73-90       Module Part Number(ASCII)"},
    {91, "      91-92       Module Revision Code"},
    {93, "       93          Module Manufacturing Year(HEX)"},
    {94, "       94          Module Manufacturing Week(HEX)"},
    {95, "      95-98       Module Serial Number"},
    {99, "      99-127      Manufacturer's Specific Data"},
    });
}

void DDR2_Print_Init()
{
    Fill(DDR2_Print_Line, QStringLiteral("     BYTE                DDR2   DESCRIPTION"), {
    {0, "        0          Number of Bytes Utilized by Module Manufacturer"},
    {1, "        1          Total Number of Bytes in SPD Device"},
    {2, "        2          Fundmental Memory Type"},
    {3, "        3          Number of Row Addresses"},
    {4, "        4          Number of Column Addresses"},
    {5, "        5          Number of Physical Ranks on DIMM"},
    {6, "        6          Module Data Width"},
    {7, "        7          Reserved"},
    {8, "        8          Module Voltage Interface Levels"},
    {9, "        9          DDR2 Cycle time. tCK(CL=MAX Value)"},
    {10, "       10          DDR2 Access from Clock,tAC(CL=MAX Value)"},
    {11, "       11          Module Configuration Type"},
    {12, "       12          Refresh Rate/Type"},
    {13, "       13          DDR2 SDRAM Device Width(Primary DDR2 Device)"},
    {14, "       14          Error Checking DDR2 Data Width"},
    {15, "       15          Reserved"},
    {16, "       16          Burst Lengths Supported"},
    {17, "       17          Number of Banks on DDR2 Device"},
    {18, "       18          CAS Latencies Supported"},
    {19, "       19          Module Thickness"},
    {20, "       20          DDR2 DIMM type"},
    {21, "       21          DDR2 Module Attributes"},
    {22, "       22          DDR2 Device Attributes: Weak Driver(01) or 50 ohm ODT(03)"},
    {23, "       23          DDR2 Cycle Time,tCK MAX CL-1"},
    {24, "       24          DDR2 Access From CK,tAC MAX CL-1"},
    {25, "       25          DDR2 Cycle Time,tCK MAX CL-2"},
    {26, "       26          DDR2 Access From CK,tAC MAX CL-2"},
    {27, "       27          Minimum Row Precharge Time (tRP)"},
    {28, "       28          Minimum Row Active to Row Active Delay,(tRRD)"},
    {29, "       29          Minimum RAS to CAS Delay,(tRCD)"},
    {30, "       30          Minimum RAS# Pulse Width,(tRAS)"},
    {31, "       31          Module Rank Density"},
    {32, "       32          Address and Command Input Setup Time,tIS"},
    {33, "       33          Address and Command Input Hold Time,tIH"},
    {34, "       34          Data/Data Mask Input Setup Time,tDS"},
    {35, "       35          Data/Data Mask Input Hold Time,tDH"},
    {36, "       36          Write Recovery Time,tWR"},
    {37, "       37          Write to Read Command Delay,tWTR"},
    {38, "       38          Read to Precharge Command Delay,tRTP"},
    {39, "       39          Memory Analysis Probe Characteristics"},
    {40, "       40          Extension for Byte 41 and 42"},
    {41, "       41          Minimum Active Auto Refresh Time,tRC"},
    {42, "       42          Minimum Auto Refresh to Active/Auto Refresh Command Period,tRFC"},
    {43, "       43          DDR2 Device Maximum Cycle Time,tCKMAX"},
    {44, "       44          DDR2 Device Maximum DQS-DQ Skew Time,tDQSQ"},
    {45, "       45          DDR2 Device Maximum Read Data Hold Skew Factor,tQHS"},
    {46, "       46          PLL Relock Time"},
    {47, "      47-61       Reserved"},
    {62, "       62          SPD Revision"},
    {63, "       63          Checksum for Byte 0-62"},
    {64, "      64-71       Manufacturer's Jedec ID Code"},
    {72, "       72          Manufacturer's Location"},
    {73, "      73-90       Module Part Number(ASCII)"},
    {91, "      91-92       Module Revision Code"},
    {93, "       93          Module Manufacturing Year(HEX)"},
    {94, "       94          Module Manufacturing Week(HEX)"},
    {95, "      95-98       Module Serial Number"},
    {99, "      99-127      Manufacturer's Specific Data"},
    });
}

void DDR3_Print_Init()
{
    // Some DDR3 lines end a few columns earlier than the standard width.
    Fill(DDR3_Print_Line, QStringLiteral("     BYTE               DDR3    DESCRIPTION"), {
    {0, "        0          Number of Serial PD Bytes Written / SPD Device Size / CRC Coverage"},
    {1, "        1          SPD Revision"},
    {2, "        2          Key Byte / DRAM Device Type"},
    {3, "        3          Key Byte / Module Type"},
    {4, "        4          SDRAM Density and Banks"},
    {5, "        5          SDRAM Addressing"},
    {6, "        6          Reserved"},
    {7, "        7          Module Organization"},
    {8, "        8          Module Memory Bus Width"},
    {9, "        9          Fine Timebase Dividend and Divisor"},
    {10, "       10          Medium Timebase Dividend"},
    {11, "       11          Medium Timebase Divisor"},
    {12, "       12          SDRAM Minimum Cycle Time (tCKmin)"},
    {13, "       13          Reserved"},
    {14, "       14          CAS Latencies Supported, Least Significant Byte"},
    {15, "       15          CAS Latencies Supported, Most Significant Byte"},
    {16, "       16          Minimum CAS Latency Time (tAAmin)"},
    {17, "       17          Minimum Write Recovery Time (tWRmin)"},
    {18, "       18          Minimum RAS# to CAS# Delay Time (tRCDmin)"},
    {19, "       19          Minimum Row Active to Row Active Delay Time (tRRDmin)"},
    {20, "       20          Minimum Row Precharge Time (tRPmin)"},
    {21, "       21          Upper Nibbles for tRAS and tRC"},
    {22, "       22          Minimum Active to Precharge Time (tRASmin), Least Significant Byte"},
    {23, "       23          Minimum Active to Active/Refresh Time (tRCmin), Least Significant Byte"},
    {24, "       24          Minimum Refresh Recovery Time (tRFCmin), Least Significant Byte"},
    {25, "       25          Minimum Refresh Recovery Time (tRFCmin), Most Significant Byte"},
    {26, "       26          Minimum Internal Write to Read Command Delay Time (tWTRmin)"},
    {27, "       27          Minimum Internal Read to Precharge Command Delay Time (tWTRmin)"},
    {28, "       28          Upper Nibble for tFAW"},
    {29, "       29          Minimum Four Activate Window Delay Time (tFAWmin)"},
    {30, "       30          SDRAM Output Drivers supported"},
    {31, "       31          SDRAM Refresh Options"},
    {32, "      32-59       TBD, General Section"},
    {60, "       60          Module Nominal Height"},
    {61, "       61          Module Maximum Thickness"},
    {62, "       62          Reference Raw Card Used"},
    {63, "       63          Address Mapping from Edge Connector to DRAM"},
    {64, "      64-116      Reserved"},
    {117, "      117          Module ID: Module Manufacturer’s JEDEC ID Code ,Least Significant Byte"},
    {118, "      118          Module ID: Module Manufacturer’s JEDEC ID Code ,Most Significant Byte"},
    {119, "      119          Module ID: Module Manufacturing Location"},
    {120, "      120          Module ID: Module Manufacturing Date"},
    {121, "      121          Module ID: Module Manufacturing Date"},
    {122, "     122-125     Module ID: Module Serial Number"},
    {126, "      126          Cyclical Redundancy Code"},
    {127, "      127          Cyclical Redundancy Code"},
    {128, "     128-145       Module Part Number"},
    {146, "     146-147       Module Revision Code"},
    {148, "     148-149       DRAM Manufacturer’s JEDEC ID Code"},
    {150, "     150-175       Manufacturer’s Specific Data"},
    {176, "     176-255       Open for customer use"},
    }, {{64, 136}, {117, 135}, {118, 135}, {122, 134}, {128, 136}, {146, 136}, {148, 135}, {150, 135}, {176, 136}});
}

void Print_Init_All()
{
    SD_Print_Init();
    DDR_Print_Init();
    DDR2_Print_Init();
    DDR3_Print_Init();
}

} // namespace report
