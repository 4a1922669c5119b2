#pragma once

#include <QObject>

#include <vector>

class PaymentJournal;

// How many rows of the journal shown wait to be sent, kept up to
// date as the journal changes. Only the rows a change touches are looked at, so a
// status pass over a long day stays linear.
class UnsentRows : public QObject {
    Q_OBJECT
public:
    explicit UnsentRows(const PaymentJournal& journal, QObject* parent = nullptr);

    int count() const { return count_; }

signals:
    void changed(int count);

private:
    bool isUnsent(int row) const;
    void recheck(int first, int last);
    void inserted(int first, int last);
    void removed(int first, int last);
    void rebuild();
    void report(int before);

    const PaymentJournal& journal_;
    std::vector<bool> unsent_; // by row of the table
    int count_ = 0;
};
