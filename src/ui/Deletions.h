#pragma once

#include <QDialog>

class DayJournal;
class DayRecords;
class QLabel;
class QTableWidget;

// "Удаленные платежи": the deletion record of the day shown in the journal,
// read only: each payment deleted before it went out, and each acknowledgement
// of a transaction no journal held.
class TDeletions : public QDialog {
    Q_OBJECT
public:
    TDeletions(const DayJournal& days, const DayRecords& records, QWidget* parent = nullptr);

    // Reads the record of the day shown and brings the window up.
    void openFromMain();

private:
    void load();

    const DayJournal& days_;
    const DayRecords& records_;
    QLabel* title_;
    QTableWidget* table_;
};
