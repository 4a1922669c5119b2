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
        path.clear();
    }
    void openWorkbook(const QString& p) override {
        step(QStringLiteral("open"));
        path = p;
    }
    void writeText(int row, int column, QStringView text) override {
        if (failAtCell == cells.size())
            throw AppError(QStringLiteral("cell failed"));
        if (onCell)
            onCell(row, column);
        cells.insert({row, column}, text.toString());
        ++written;
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

    QStringList steps;
    QMap<QPair<int, int>, QString> cells;
    QString path;
    int written = 0;
    bool opens = true;         // a spreadsheet program took the workbook
    QString failAt;            // "create", "open" or "end" throws
    qsizetype failAtCell = -1; // the n-th cell (from 0) throws
    std::function<void(int row, int column)> onCell;

private:
    void step(const QString& name) {
        steps << name;
        if (failAt == name)
            throw AppError(name + QStringLiteral(" failed"));
    }
};
