// The print command: asks for a printer, fills the print-line tables and prints the
// active document's report page for its memory type.
#include "shell/frm_main.h"

#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/printer.h"
#include "report/fixed_pitch_printer.h"
#include "report/print_lines.h"
#include "report/report_pages.h"
#include "spd_document/document_api.h"

#include <memory>

namespace {

const QString kPrintDialogTitle = QStringLiteral("Print");

// The print command shows no error: a step that fails is skipped and the command goes on
// with the next, so a failing page still has its printed lines sent.
template <typename Step>
void Ignoring_Errors(Step&& step)
{
    try {
        step();
    } catch (...) {
    }
}

} // namespace

void frmMain::SDR_PRINTER()
{
    if (m_reportPrinter) report::SDR_PRINTER(*m_reportPrinter, *this);
}

void frmMain::DDR_PRINTER()
{
    if (m_reportPrinter) report::DDR_PRINTER(*m_reportPrinter, *this);
}

void frmMain::DDR2_PRINTER()
{
    if (m_reportPrinter) report::DDR2_PRINTER(*m_reportPrinter, *this);
}

void frmMain::DDR3_PRINTER()
{
    if (m_reportPrinter) report::DDR3_PRINTER(*m_reportPrinter, *this);
}

void frmMain::mnuFilePrint_Click()
{
    // Its dialog would hold a waiting burner command inside it until it closed.
    if (Burner_Busy() || !ActiveDocument()) return;

    std::unique_ptr<Printer> chosen;
    Ignoring_Errors([&] { chosen = platform().dialogs->choosePrinter(kPrintDialogTitle); });

    // The tables are filled whether or not a printer was chosen.
    Ignoring_Errors([] { report::Print_Init_All(); });
    if (!chosen) return;

    report::FixedPitchPrinter printer(*chosen);
    m_reportPrinter = &printer;

    uint8_t byte2 = 0;
    Ignoring_Errors([&] {
        DocumentApi* doc = ActiveDocument();
        if (doc) byte2 = doc->Get_Value(2);
    });
    Ignoring_Errors([&] {
        switch (report::Report_Page_For(byte2)) {
        case report::Report_Page::DDR2: DDR2_PRINTER(); break;
        case report::Report_Page::DDR3: DDR3_PRINTER(); break;
        case report::Report_Page::SDRAM: SDR_PRINTER(); break;
        case report::Report_Page::DDR: DDR_PRINTER(); break;
        }
    });

    m_reportPrinter = nullptr;
    Ignoring_Errors([&] { printer.endDoc(); });
}
