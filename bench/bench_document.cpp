// What users feel of a document window: creating one, a full refresh (re-caption all 256
// cells and decode all 256 bytes, as every key typed in the grid does) and the memory that
// 100 open documents take.
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <benchmark/benchmark.h>
#include <fstream>
#include <unistd.h>

#include "bench_common.h"
#include "shell/frm_main.h"
#include "spd_document/byte_names.h"
#include "spd_document/globals.h"
#include "spd_document/spd_record.h"
#include "spd_document/ui/byte_grid.h"
#include "spd_document/ui/frm_document.h"

namespace {

void loadImage(frmDocument& doc, const char* file)
{
    QFile f(QStringLiteral(MB_TESTDATA_DIR "/") + QString::fromLatin1(file));
    if (!f.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = f.readAll();
    for (int i = 0; i < 256 && i < bytes.size(); ++i) doc.Value_Chang(static_cast<int16_t>(i), static_cast<uint8_t>(bytes[i]));
}

void BM_CreateDocument(benchmark::State& state)
{
    app();
    for (auto _ : state) {
        frmDocument doc;
        doc.Form_Load();
        benchmark::DoNotOptimize(doc.Get_Value(0));
    }
}
BENCHMARK(BM_CreateDocument)->Unit(benchmark::kMillisecond);

void BM_FullRefresh(benchmark::State& state, const char* file)
{
    app();
    frmDocument doc;
    doc.Form_Load();
    doc.show();
    loadImage(doc, file);
    QApplication::processEvents();
    int flip = 0;
    for (auto _ : state) {
        // Change one byte so the refresh has real work, then re-caption and decode all.
        doc.SPD.Spd_Value[200] = static_cast<uint8_t>(flip++);
        for (int i = 0; i < 256; ++i) doc.grid->setCaption(i, Hex_Byte_Text(doc.SPD.Spd_Value[static_cast<size_t>(i)]));
        for (int i = 0; i < 256; ++i) doc.table_chang(i);
    }
}
BENCHMARK_CAPTURE(BM_FullRefresh, sdram, "sdram-daneelec-pc133-1.bin")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FullRefresh, ddr2, "ddr2-kingston-ddr2-800-1.bin")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_FullRefresh, ddr3, "ddr3-hynix-1600-1.bin")->Unit(benchmark::kMicrosecond);

long residentKb()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

void BM_HundredDocuments(benchmark::State& state)
{
    app();
    for (auto _ : state) {
        auto* main = new frmMain;
        main->show();
        QApplication::processEvents();
        const long before = residentKb();
        for (int i = 0; i < 100; ++i) main->Load_New_Document();
        QApplication::processEvents();
        const long after = residentKb();
        state.counters["resident_MB_for_100"] = static_cast<double>(after - before) / 1024.0;
        state.counters["process_resident_MB"] = static_cast<double>(after) / 1024.0;
        delete main;
        QApplication::processEvents();
    }
}
BENCHMARK(BM_HundredDocuments)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
