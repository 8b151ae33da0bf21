#pragma once
// Per-byte decoding of an SPD image into the captions of the document's decoding panels.
// `ddr2_table_chang` serves SDRAM, DDR and DDR2 images (byte 2 below 9), `ddr3_table_chang`
// DDR3 images; the document's table_chang picks one by byte 2 and passes the byte number on.
// Each call rewrites only the labels owned by the decoded byte (reading the other bytes they
// depend on as they stand now), so a label is as fresh as the last decode of its own byte.
#include <QString>
#include <cstdint>

#include "spd_decode/panel_model.h"
#include "spd_document/spd_record.h"

// What a decoder reads and writes of its document.
struct DecodeContext {
    const SPD_Record& record;   // the image (byte 2 selects the type rules)
    PanelModel& panel;          // captions and visibility of the panels' labels
    int16_t& Security_Value;    // written when byte 63 is decoded on the SDRAM/DDR/DDR2 panel
    QString& Optcrc1_Caption;   // caption of the CRC option button, switched by DDR3 byte 0
};

// Caption texts of the CRC option button and of Label115 (the CRC row of the DDR3 panel).
inline const QString kCrcFullCaption = QStringLiteral("CRC (0-125)");
inline const QString kCrcShortCaption = QStringLiteral("CRC (0-116)");

// Decodes byte A of an SDRAM, DDR or DDR2 image. Numbers without a field (and numbers
// outside 0-255) change nothing.
void ddr2_table_chang(DecodeContext& ctx, int A);

// Decodes byte A of a DDR3 image. Numbers without a field change nothing.
void ddr3_table_chang(DecodeContext& ctx, int A);

// Manufacturer lookup: when `JEDEC` is the key of a JEP106 row, Label59 takes the row's
// caption; in every case the global `jedec_name` then takes Label59's caption.
void JEDEC_PROG(DecodeContext& ctx, const QString& JEDEC);

// Decodes every byte 0-255 with the decoder that byte 2 selects (9 or more: DDR3), as a full
// refresh of the panels does.
void decode_all(DecodeContext& ctx);
