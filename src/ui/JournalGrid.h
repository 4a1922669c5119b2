#pragma once

#include <QTableView>
#include <QWidget>

class PaymentJournal;
class QLabel;
class QLineEdit;

// The journal grid "Grid": the journal's two header rows drawn as a merged
// header, its colours and alignment from the model, whole-row selection kept in
// step with the journal's current row.
class JournalGrid : public QTableView {
    Q_OBJECT
public:
    explicit JournalGrid(PaymentJournal* journal, QWidget* parent = nullptr);

    PaymentJournal* journal() const { return journal_; }

    // Selects the next (or previous) payment row, after the current one, with a
    // shown cell containing the text; false when there is none.
    bool findText(const QString& text, bool forward);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void applyLayout();
    void applyWidths();
    void showCurrentRow(int row);

    PaymentJournal* journal_;
};

// The search bar under the journal grid: a text and find next / find previous.
class JournalSearchBar : public QWidget {
    Q_OBJECT
public:
    explicit JournalSearchBar(JournalGrid* grid, QWidget* parent = nullptr);

    void findNext();
    void findPrevious();

private:
    void find(bool forward);

    JournalGrid* grid_;
    QLineEdit* text_;
    QLabel* state_;
};
