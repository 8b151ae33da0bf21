#pragma once
// One offscreen QApplication for all benchmarks, with the byte-name tables filled.
#include <QApplication>

#include "platform/platform.h"
#include "spd_document/byte_names.h"

inline QApplication* app()
{
    static int argc = 1;
    static char name[] = "morrowburn_bench";
    static char* argv[] = { name, nullptr };
    static QApplication* a = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* created = new QApplication(argc, argv);
        Fill_Byte_Name_Tables();
        setPlatform(Platform{});
        return created;
    }();
    return a;
}
