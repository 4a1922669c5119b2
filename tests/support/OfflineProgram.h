#pragma once

#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeFileDialog.h"
#include "support/FakePrinter.h"
#include "support/FakeSpreadsheet.h"
#include "support/Program.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// The whole program in a temporary directory with fakes for every seam, its
// ip.ini pointing at a loopback port nobody listens on: the windows as the
// cashier has them before any server answers.
class OfflineProgram : public ::testing::Test {
protected:
    QTemporaryDir dir;
    FakeDialogs dialogs;
    FakeClock clock;
    FakeFileDialog fileDialog;
    FakePrinter printer;
    FakeSpreadsheet spreadsheet;
    std::unique_ptr<Program> program;
    Forms* forms = nullptr;

    QString programDir() const { return TestFiles::dirPath(dir); }
    void writeIpIni() { TestFiles::writeIpIni(programDir(), TestFiles::closedLoopbackPort()); }

    // The program as main() starts it; its windows.
    Forms* start() {
        program = std::make_unique<Program>(programDir(), Seams{dialogs, clock, fileDialog, printer, spreadsheet});
        forms = &program->forms;
        return forms;
    }
};
