#pragma once

#include "platform/Dialogs.h"

// Boxes nobody sees, for benchmarks: questions are answered with `answer`.
class QuietDialogs : public Dialogs {
public:
    explicit QuietDialogs(bool answer = true) : answer_(answer) {}
    void message(const QString&) override {}
    void box(const QString&, const QString&, Icon) override {}
    bool question(const QString&, const QString&) override { return answer_; }
    bool retryCancel(const QString&, const QString&, Icon) override { return false; }
    void exception(const QString&) override {}
    std::optional<QString> askText(const QString&, const QString&, const QString& initial) override {
        return initial;
    }

private:
    bool answer_;
};

#include "platform/FileDialog.h"
#include "platform/ReceiptPrinter.h"
#include "platform/Seams.h"
#include "platform/SpreadsheetWriter.h"
#include "platform/SystemClock.h"

// A clock that stays at one moment and is never set.
class StillClock : public SystemClock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 12, 9), QTime(14, 5, 9)); }
    bool setLocalTime(const QTime&) override { return false; }
    bool setLocalDate(const QDate&) override { return false; }
};

class NoFiles : public FileDialog {
public:
    QString openFile(const QString&, const QString&) override { return QString(); }
};

// A printer and a spreadsheet that take everything and keep nothing.
class QuietPrinter : public ReceiptPrinter {
public:
    bool setupDialog() override { return false; }
    void suggestFile(const QString&) override {}
    QStringList printerNames() const override { return {}; }
    bool usePrinter(const QString&) override { return false; }
    void useFile(const QString&) override {}
    void preview(const DrawPage&) override {}
    void setFont(const QString&, int) override {}
    void setPageSize(int, int) override {}
    void beginDocument() override {}
    void textOut(int, int, const QString&) override {}
    void newPage() override {}
    void endDocument() override {}
};

class QuietSpreadsheet : public SpreadsheetWriter {
public:
    void create() override {}
    void openWorkbook(const QString&) override {}
    void writeText(int, int, QStringView) override {}
    void writeNumber(int, int, double, int, QStringView) override {}
    bool end() override { return false; }
};

// Every seam of a terminal made for a benchmark.
struct QuietSeams {
    QuietDialogs dialogs;
    StillClock clock;
    NoFiles files;
    QuietPrinter printer;
    QuietSpreadsheet spreadsheet;
    Seams seams() { return Seams{dialogs, clock, files, printer, spreadsheet}; }
};
