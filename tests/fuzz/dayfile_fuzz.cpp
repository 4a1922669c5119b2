// Day files of any shape: the loader must not fail on them, what it loads saves
// and loads again to the same table, and reading over an earlier day gives the
// same table as reading fresh.
#include "FuzzSupport.h"

#include "payments/DayFile.h"
#include "payments/PaymentJournal.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    Fuzz::init();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    DayFile::Table table;
    table.widths.fill(7);
    if (DayFile::decode(bytes, &table)) {
        const QByteArray saved = DayFile::encode(table);
        DayFile::Table again;
        if (!DayFile::decode(saved, &again))
            Fuzz::fail("a saved day does not load");
        if (again.rows != table.rows || again.widths != table.widths)
            Fuzz::fail("a saved day loads as another table");
        if (DayFile::encode(again) != saved)
            Fuzz::fail("a day saved twice differs");

        // Read over the table of the input before, reusing its cells' memory: the
        // same table as read fresh.
        static DayFile::Table previous;
        previous.widths = table.widths;
        if (!DayFile::decode(bytes, &previous) || previous.rows != table.rows)
            Fuzz::fail("a day read over another differs from the day read fresh");
    }

    // The journal itself: load, headers, totals, lookups, save.
    PaymentJournal journal;
    if (journal.fromDayFile(bytes)) {
        journal.resetHeaders();
        journal.findRow(PaymentJournal::SendFlag, QStringLiteral("0"), 1, PaymentJournal::Match::Contains);
        journal.findRow(PaymentJournal::TransactionId, journal.cell(2, PaymentJournal::TransactionId), 1,
                        PaymentJournal::Match::Exact);
        journal.findText(QStringLiteral("1"), 2, true);
        PaymentJournal reloaded;
        if (!reloaded.fromDayFile(journal.toDayFile()))
            Fuzz::fail("a journal's own file does not load");
    }
    return 0;
}
