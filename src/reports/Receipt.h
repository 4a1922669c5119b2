#pragma once

#include <QString>
#include <QStringList>

class Dialogs;
class PaymentJournal;
class ReceiptCanvas;
class ReceiptPrinter;
class Session;
class TerminalSettings;
struct JournalRow;

// The receipt of a journal row: fourteen lines of text, each at a fixed
// position on one page, printed on demand or shown as a preview.
class Receipt {
public:
    static constexpr int LineCount = 14;
    static constexpr int Left = 10;
    static constexpr int LineStep = 110;
    static const QString FontFace; // "Times New Roman"
    static constexpr int FontPointSize = 10;

    // What the receipt says besides the row: the agent's taxpayer number, the
    // terminal typed at login, and the agent's address and support telephone.
    struct Header {
        QString inn;
        QString terminal;
        QString address;
        QString support;
    };

    // The lines as they stand in the row and the labels: nothing is
    // reformatted, trimmed or checked.
    static QStringList lines(const JournalRow& row, const Header& header);
    // The page: the font, and line n at (Left, n * LineStep), so the
    // spacing is the same whatever the font.
    static void draw(const QStringList& lines, ReceiptCanvas& canvas);

    Receipt(const TerminalSettings& settings, const Session& session, ReceiptPrinter& printer,
            Dialogs& dialogs)
        : settings_(settings), session_(session), printer_(printer), dialogs_(dialogs) {}

    QStringList linesOf(const JournalRow& row) const;
    // "Квитанция": the printer-setup dialog, the page, "Печать окончена!". A
    // cancelled dialog prints and says nothing; a printer error is thrown on.
    void print(const JournalRow& row) const;
    // "Просмотр": the page on screen before it goes to paper.
    void preview(const JournalRow& row) const;

    // Why a row of the journal has no receipt (a header row, the totals row, a
    // blank row); empty for a payment.
    static QString refusal(const PaymentJournal& journal, int row);
    // The receipt of a journal row; for a row that is no payment nothing is
    // printed and a box says why.
    void print(const PaymentJournal& journal, int row) const;
    void preview(const PaymentJournal& journal, int row) const;

private:
    const TerminalSettings& settings_;
    const Session& session_;
    ReceiptPrinter& printer_;
    Dialogs& dialogs_;
};
