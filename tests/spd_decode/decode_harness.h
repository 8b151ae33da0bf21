#pragma once
// A document's decoding state without a window: an image, its panel model, the security
// value and the CRC option caption, wired into a DecodeContext.
#include <QFile>
#include <QString>
#include <initializer_list>
#include <optional>
#include <utility>

#include "spd_decode/panel_model.h"
#include "spd_decode/spd_decode.h"
#include "spd_document/globals.h"
#include "spd_document/spd_record.h"

struct DecodeHarness {
    SPD_Record rec;
    PanelModel panel;
    int16_t security = 0;
    QString optcrc1 = kCrcFullCaption;
    DecodeContext ctx{ rec, panel, security, optcrc1 };

    DecodeHarness() { jedec_name.clear(); }
    DecodeHarness(const DecodeHarness&) = delete;
    DecodeHarness& operator=(const DecodeHarness&) = delete;

    void set(int i, uint8_t v) { rec.Spd_Value[static_cast<size_t>(i)] = v; }
    void set(std::initializer_list<std::pair<int, uint8_t>> bytes)
    {
        for (const auto& [i, v] : bytes) set(i, v);
    }
    void setRun(int first, std::initializer_list<uint8_t> values)
    {
        int i = first;
        for (uint8_t v : values) set(i++, v);
    }
    void ddr2(int a) { ddr2_table_chang(ctx, a); }
    void ddr3(int a) { ddr3_table_chang(ctx, a); }
    void all() { decode_all(ctx); }
    const QString& cap(PanelLabel id) const { return panel.caption(id); }
};

// A real image from the test data folder; empty when the file is missing or not 256 bytes.
inline std::optional<SPD_Record> LoadTestImage(const QString& name)
{
    QFile f(QStringLiteral(MB_TESTDATA_DIR "/spd/") + name);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray data = f.readAll();
    if (data.size() != 256) return std::nullopt;
    SPD_Record rec;
    for (int i = 0; i < 256; ++i) rec.Spd_Value[static_cast<size_t>(i)] = static_cast<uint8_t>(data[i]);
    return rec;
}
