#pragma once

#include "link/RequestedFile.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class Dialogs;
class Environment;
class GoodsSale;
class Session;
class SpreadsheetExport;

// An item handed from the price list or the stock to the sale window.
struct GoodsPick {
    QString article;
    QString invoice; // only the stock has one
    QString name;
    QString price;
    bool hasInvoice = false;
};

// What the price list and the stock share: a list the server sends as a file of
// "#"-field lines (an update stamp first, then one item a line), kept beside the
// program and fetched again only on request; a case-sensitive name filter; the
// export lines; and the pick of an item for the sale window while goods pick
// mode is on. As a table model it is what the window's grid shows.
class GoodsList : public QAbstractTableModel {
    Q_OBJECT
public:
    // The stored list: letter + loginTerminal + ".txt" beside the program.
    QString filePath() const;

    // The window is opened or activated: the stored list with the current filter.
    virtual void activate();
    // "Обновить".
    void refresh();
    // The loader: the stored file with the current filter, or a request when
    // there is none.
    void load();

    // CheckBox1 was clicked: reloads.
    void setFilterTicked(bool ticked);
    // Edit1 changed: reloads while the box is ticked.
    void setFilterText(const QString& text);
    bool filterTicked() const { return filterTicked_; }
    const QString& filterText() const { return filterText_; }
    // Whether an item of that name is shown. An empty filter text occurs in no
    // name, so a ticked box with nothing typed shows nothing.
    static bool keeps(bool ticked, const QString& filter, QStringView name);

    // The text before the first "#" of the file's first line.
    const QString& stamp() const { return stamp_; }
    QString cell(int row, int column) const;
    const QStringList& headers() const { return headers_; }

    // The spreadsheet lines: the title, an empty line, the header row and every
    // row of the grid, each cell followed by "##".
    QStringList exportLines() const;
    // The most cells the export writes from one line: the grid's columns and two.
    int exportColumnLimit() const { return int(headers_.size()) + 2; }
    // "Отчет": the export lines into a new workbook.
    void report();

    // Only in goods pick mode, and only a row whose article has 4 characters or
    // more: neither an empty row nor the stock's totals row can be picked.
    bool pickable(int row) const;
    // Hands the row to the sale window (picked) when it is pickable; true then,
    // and the window closes.
    bool pick(int row);

    RequestedFile& file() { return file_; }
    const RequestedFile& file() const { return file_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // The stamp or the filter changed (the rows report through the model).
    void changed();
    void picked(const GoodsPick& item);

protected:
    struct Setup {
        QChar letter; // of the file name and of the reply
        QStringList headers;
        std::function<QString(const QString& terminal)> request;
        QString reportName;             // names the workbook
        std::vector<int> numberColumns; // the figures' columns, from 0
    };
    GoodsList(const ServerFed& fed, const GoodsSale& sale, SpreadsheetExport& spreadsheet, Setup setup,
              QObject* parent);

    // The grid's rows for the item lines of a file (from its second line on).
    virtual std::vector<QStringList> rowsFor(const QStringList& lines) const = 0;
    virtual QString exportTitle() const = 0;
    virtual GoodsPick pickOf(const QStringList& row) const = 0;

    const Environment& env_;
    const Session& session_;
    const GoodsSale& sale_;

private:
    Dialogs& dialogs_;
    SpreadsheetExport& spreadsheet_;
    QString reportName_;
    std::vector<int> numberColumns_;
    QStringList headers_;
    QChar letter_;
    RequestedFile file_;
    bool filterTicked_ = false;
    QString filterText_;
    QString stamp_;
    std::vector<QStringList> rows_;
};
