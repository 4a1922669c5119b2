#pragma once

#include "platform/AppError.h"
#include "platform/SpreadsheetWriter.h"

#include <QMap>
#include <QPair>
#include <QStringList>

#include <functional>

// Records what the export writes, cell by cell, and fails where a test asks.
class FakeSpreadsheet : public SpreadsheetWriter {
public:
    void create() override {
        step(QStringLiteral("create"));
        cells.clear();
        numbers.clear();
        path.clear();
    }
    void openWorkbook(const QString& p) override {
        step(QStringLiteral("open"));
        path = p;
    }
    void writeText(int row, int column, QStringView text) override { cell(row, column, text); }
    void writeNumber(int row, int column, double value, int decimals, QStringView shown) override {
        cell(row, column, shown);
        numbers.insert({row, column}, {value, decimals});
    }
    bool end() override {
        step(QStringLiteral("end"));
        return opens;
    }

    // Row by row, each row's texts from column 1 up to its last written cell.
    QList<QStringList> rows() const {
        QList<QStringList> out;
        for (auto it = cells.cbegin(); it != cells.cend(); ++it) {
            const auto [row, column] = it.key();
            while (out.size() < row)
                out << QStringList();
            QStringList& r = out[row - 1];
            while (r.size() < column)
                r << QString();
            r[column - 1] = it.value();
        }
        return out;
    }

    // The cells written as numbers, with their values and decimals.
    bool isNumber(int row, int column) const { return numbers.contains({row, column}); }
    double value(int row, int column) const { return numbers.value({row, column}).first; }

    QStringList steps;
    QMap<QPair<int, int>, QString> cells; // as shown, numbers too
    QMap<QPair<int, int>, QPair<double, int>> numbers;
    QString path;
    int written = 0;
    bool opens = true;         // a spreadsheet program took the workbook
    QString failAt;            // "create", "open" or "end" throws
    qsizetype failAtCell = -1; // the n-th cell (from 0) throws
    std::function<void(int row, int column)> onCell;

private:
    void cell(int row, int column, QStringView shown) {
        if (failAtCell == cells.size())
            throw AppError(QStringLiteral("cell failed"));
        if (onCell)
            onCell(row, column);
        cells.insert({row, column}, shown.toString());
        ++written;
    }
    void step(const QString& name) {
        steps << name;
        if (failAt == name)
            throw AppError(name + QStringLiteral(" failed"));
    }
};
