#pragma once

#include <QString>
#include <QStringList>

struct AppContext;
struct JournalRow;
class MainWindowModel;
class PaymentJournal;
class ReceiptCanvas;

// The receipt of the journal's selected row: fourteen lines of text, each at a
// fixed position on one page, printed on demand or shown as a preview.
class Receipt {
public:
    static constexpr int LineCount = 14;
    static constexpr int Left = 10;
    static constexpr int LineStep = 110;
    static const QString FontFace; // "Times New Roman"
    static constexpr int FontPointSize = 10;

    // What the receipt says besides the row: the agent's taxpayer number, the
    // terminal typed at login, and the address and support labels as shown.
    struct Header {
        QString inn;
        QString terminal;
        QString address;
        QString support;
    };

    // The lines as they stand in the row and the labels: nothing is
    // reformatted, trimmed or checked.
    static QStringList lines(const JournalRow& row, const Header& header);
    // The page: the font, a black pen, and line n at (Left, n * LineStep), so the
    // spacing is the same whatever the font.
    static void draw(const QStringList& lines, ReceiptCanvas& canvas);

    Receipt(const AppContext& ctx, const MainWindowModel& model, const PaymentJournal& journal)
        : ctx_(ctx), model_(model), journal_(journal) {}

    QStringList selectedRowLines() const;
    // "Квитанция": the printer-setup dialog, the page, "Печать окончена!". A
    // cancelled dialog prints and says nothing; a printer error is thrown on.
    void print() const;
    // "Просмотр": the page on screen before it goes to paper.
    void preview() const;

private:
    const AppContext& ctx_;
    const MainWindowModel& model_;
    const PaymentJournal& journal_;
};
