#pragma once

#include <QColor>
#include <QTableWidget>

#include <functional>
#include <vector>

// The string grid of the statistics page and the statements: fixed header
// rows and columns in their own colour, whole rows selected, every cell's text
// at 2 px right and 1 px below its corner, and optionally a red bar in one
// column whose length the logic gives in percent (100 % = 200 px).
class BarGrid : public QTableWidget {
    Q_OBJECT
public:
    struct Look {
        int fixedRows = 1;
        int fixedColumns = 0;
        QColor fixedColor;
        QColor textColor = Qt::black;
        int barColumn = -1;                     // no bar
        std::function<int(int row)> barPercent; // 0 to 100
    };

    BarGrid(int rows, int columns, const Look& look, const char* objectName, QWidget* parent = nullptr);

    const Look& look() const { return look_; }

    // The cells' texts; an empty text makes no item where there was none.
    void setCellText(int row, int column, const QString& text);
    // The selected row, drawn as selected; fixed rows are never selected.
    void selectRow(int row);
    // Columns as wide as the form says, wider where a text needs it; never
    // narrower than they are.
    void fitColumns(const std::vector<int>& formWidths);
    // Shows a table of texts: its rows, every cell, the columns fitted.
    void showTable(int rows, const std::function<QString(int row, int column)>& cell,
                   const std::vector<int>& formWidths);

    // A row picked by the user (click or keys); fixed rows are not reported.
    std::function<void(int row)> rowPicked;

    static constexpr int FullBar = 200;

private:
    Look look_;
    bool syncing_ = false;
};
