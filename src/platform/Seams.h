#pragma once

class Dialogs;
class FileDialog;
class ReceiptPrinter;
class SpreadsheetWriter;
class SystemClock;

// Everything the logic reaches the platform through, handed over complete when
// the terminal is made; each outlives the terminal.
struct Seams {
    Dialogs& dialogs;
    SystemClock& clock;
    FileDialog& fileDialog;
    ReceiptPrinter& printer;
    SpreadsheetWriter& spreadsheet;
};
