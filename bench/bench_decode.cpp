// Decoding a whole image into the panels, as every full refresh of a document does: the pure
// decoders alone, and decoding plus bringing the shown panel widgets up to date.
#include <QFile>
#include <QGroupBox>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <array>

#include "bench_common.h"
#include "spd_decode/panel_model.h"
#include "spd_decode/spd_decode.h"
#include "spd_decode/ui/decode_panels.h"
#include "spd_document/spd_record.h"

namespace {

SPD_Record loadSpd(const char* file)
{
    SPD_Record rec;
    QFile f(QStringLiteral(MB_TESTDATA_DIR "/spd/") + QString::fromLatin1(file));
    if (f.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = f.readAll();
        for (int i = 0; i < 256 && i < bytes.size(); ++i) rec.Spd_Value[static_cast<size_t>(i)] = static_cast<uint8_t>(bytes[i]);
    }
    return rec;
}

// Two real images of one memory type. Iterations alternate between them so that every
// refresh rewrites the labels whose values differ, as opening another module does.
struct ImagePair {
    const char* first;
    const char* second;
};

constexpr ImagePair kSdram{ "sdram-daneelec-pc133-1.bin", "sdram-nomfr-pc133-malta-1.bin" };
constexpr ImagePair kDdr{ "ddr-corsair-ddr400-1.bin", "ddr-micron-ddr333-rdimm-1.bin" };
constexpr ImagePair kDdr2{ "ddr2-kingston-ddr2-800-1.bin", "ddr2-samsung-ddr2-400-rdimm-1.bin" };
constexpr ImagePair kDdr3{ "ddr3-samsung-1600-1.bin", "ddr3-micron-1600-2.bin" };

void BM_DecodeAll(benchmark::State& state, ImagePair pair)
{
    const std::array<SPD_Record, 2> images{ loadSpd(pair.first), loadSpd(pair.second) };
    SPD_Record rec = images[0];
    PanelModel panel;
    int16_t security = 0;
    QString optcrc1 = kCrcFullCaption;
    DecodeContext ctx{ rec, panel, security, optcrc1 };
    size_t next = 1;
    size_t changed = 0;
    for (auto _ : state) {
        rec = images[next];
        next ^= 1;
        decode_all(ctx);
        changed += panel.dirty().size();
        panel.clearDirty();
    }
    state.counters["labels_changed"] = benchmark::Counter(static_cast<double>(changed), benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(BM_DecodeAll, SDRAM, kSdram)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DecodeAll, DDR, kDdr)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DecodeAll, DDR2, kDdr2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DecodeAll, DDR3, kDdr3)->Unit(benchmark::kMicrosecond);

// The same image again: a refresh after an edit outside the decoded fields, where no caption
// changes and the widgets are left alone.
void BM_DecodeAllUnchanged(benchmark::State& state, ImagePair pair)
{
    SPD_Record rec = loadSpd(pair.first);
    PanelModel panel;
    int16_t security = 0;
    QString optcrc1 = kCrcFullCaption;
    DecodeContext ctx{ rec, panel, security, optcrc1 };
    decode_all(ctx);
    panel.clearDirty();
    for (auto _ : state) {
        decode_all(ctx);
        benchmark::DoNotOptimize(panel.dirty().size());
    }
}
BENCHMARK_CAPTURE(BM_DecodeAllUnchanged, DDR2, kDdr2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DecodeAllUnchanged, DDR3, kDdr3)->Unit(benchmark::kMicrosecond);

void BM_DecodeAndSync(benchmark::State& state, ImagePair pair)
{
    app();
    const std::array<SPD_Record, 2> images{ loadSpd(pair.first), loadSpd(pair.second) };
    QWidget host;
    host.resize(660, 440);
    DecodePanels panels(&host);
    const bool ddr3 = images[0].Spd_Value[2] >= 9;
    panels.Frame2->setVisible(!ddr3);
    panels.Frame3->setVisible(!ddr3);
    panels.Frame10->setVisible(ddr3);
    panels.Frame11->setVisible(ddr3);
    host.show();

    SPD_Record rec = images[0];
    PanelModel panel;
    int16_t security = 0;
    QString optcrc1 = kCrcFullCaption;
    DecodeContext ctx{ rec, panel, security, optcrc1 };
    decode_all(ctx);
    panels.sync(panel);
    QApplication::processEvents();
    size_t next = 1;
    size_t changed = 0;
    for (auto _ : state) {
        rec = images[next];
        next ^= 1;
        decode_all(ctx);
        changed += panel.dirty().size();
        panels.sync(panel);
    }
    QApplication::processEvents();
    state.counters["labels_changed"] = benchmark::Counter(static_cast<double>(changed), benchmark::Counter::kAvgIterations);
}
BENCHMARK_CAPTURE(BM_DecodeAndSync, SDRAM, kSdram)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DecodeAndSync, DDR, kDdr)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DecodeAndSync, DDR2, kDdr2)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DecodeAndSync, DDR3, kDdr3)->Unit(benchmark::kMicrosecond);

} // namespace
