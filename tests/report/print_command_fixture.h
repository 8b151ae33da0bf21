#pragma once
// A main window on the platform doubles for the print command, the print-line tables
// empty at the start of each test.
#include <gtest/gtest.h>

#include "shell/frm_main.h"
#include "spd_document/byte_names.h"
#include "spd_document/globals.h"
#include "spd_document/ui/frm_document.h"
#include "support/platform_fixture.h"

class PrintCommandTest : public PlatformFixture {
protected:
    void SetUp() override
    {
        PlatformFixture::SetUp();
        Fill_Byte_Name_Tables();
        for (auto* t : {&SD_Print_Line, &DDR_Print_Line, &DDR2_Print_Line, &DDR3_Print_Line}) t->fill(QString());
        main = std::make_unique<frmMain>();
        Main_Form = main.get();
    }
    void TearDown() override
    {
        for (frmDocument* d : main->Documents()) d->Set_form_chang(false); // no save prompt
        main.reset();
        PlatformFixture::TearDown();
    }
    // Opens a file into a new document, which becomes the active one.
    frmDocument* Open(const QString& path)
    {
        main->Load_SPD_File(path, true);
        return main->ActiveForm();
    }
    const FakePrinter::Log& printed() const { return *dialogs.printerLog; }

    std::unique_ptr<frmMain> main;
};
