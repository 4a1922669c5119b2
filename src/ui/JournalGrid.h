#pragma once

#include <QColor>
#include <QHash>
#include <QIcon>
#include <QTableView>
#include <QWidget>

#include <functional>

class PaymentJournal;
enum class PaymentStatus;
enum class SendFlag;
class QLabel;
class QLineEdit;

// The journal grid "Grid": the journal's two header rows drawn as a merged
// header, each row coloured by where its payment stands, the operator's icon
// before its name, whole-row selection kept in step with the journal's current row.
class JournalGrid : public QTableView {
    Q_OBJECT
public:
    explicit JournalGrid(PaymentJournal* journal, QWidget* parent = nullptr);

    PaymentJournal* journal() const { return journal_; }

    // The colours of a row by its send flag and status; an invalid colour keeps
    // the grid's own.
    struct Colours {
        QColor background;
        QColor text;
    };
    static Colours rowColours(SendFlag flag, PaymentStatus status);
    // The system's light 3-D face colour, for rows the server has accepted.
    static QColor light3dFace();

    // Where the operator icons are found: the icon file of an article, or empty.
    void setIconLookup(std::function<QString(const QString& article)> lookup);
    // The icon drawn before the operator's name in a payment row.
    QIcon operatorIcon(const QString& article) const;

    // Selects the next (or previous) payment row, after the current one, with a
    // shown cell containing the text; false when there is none.
    bool findText(const QString& text, bool forward);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void resizeEvent(QResizeEvent* event) override;
    void updateGeometries() override;

private:
    // A view of the same journal over the grid's top (the two header rows) or
    // bottom (the totals row), which stays while the payments scroll.
    QTableView* makeFrozen();
    void placeFrozen();
    // The header and totals rows are shown by the frozen views only.
    void hideFrozenRows();
    void applyLayout();
    void applyWidths();
    void showCurrentRow(int row);

    PaymentJournal* journal_;
    QTableView* head_ = nullptr;
    QTableView* foot_ = nullptr;
    int hiddenTotals_ = -1;
    std::function<QString(const QString&)> iconLookup_;
    mutable QHash<QString, QIcon> icons_;
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
