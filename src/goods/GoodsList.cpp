#include "goods/GoodsList.h"

#include "reports/SpreadsheetExport.h"

#include "core/Environment.h"
#include "core/FieldLine.h"
#include "core/Session.h"
#include "goods/GoodsSale.h"
#include "platform/Dialogs.h"
#include "platform/FileIo.h"

GoodsList::GoodsList(const ServerFed& fed, const GoodsSale& sale, SpreadsheetExport& spreadsheet, Setup setup,
                     QObject* parent)
    : QAbstractTableModel(parent), env_(fed.env), session_(fed.session), sale_(sale), dialogs_(fed.dialogs),
      spreadsheet_(spreadsheet), reportName_(setup.reportName), numberColumns_(setup.numberColumns),
      headers_(setup.headers), letter_(setup.letter),
      file_(fed, RequestedFile::Setup{setup.letter, QStringLiteral("Необходимо зарегистрироваться!"),
                                      [this, request = setup.request] {
                                          return QStringList{request(session_.loginTerminal())};
                                      },
                                      [this](const QString&) { load(); }}) {}

QString GoodsList::filePath() const {
    return env_.storedFilePath(letter_ + session_.loginTerminal());
}

void GoodsList::activate() {
    load();
}

void GoodsList::refresh() {
    file_.request();
}

void GoodsList::load() {
    QStringList lines;
    if (!FileIo::readLines(filePath(), &lines)) {
        // The window loads on every activation: one request out at a time.
        if (!file_.waiting())
            file_.request();
        return;
    }
    if (lines.size() < 2) {
        // What was shown stays.
        dialogs_.message(QStringLiteral("Данные отсуствуют!!!"));
        return;
    }
    stamp_ = FieldLine::fields(lines.front(), 1).front();
    lines.removeFirst();
    std::vector<QStringList> rows = rowsFor(lines);
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
    emit changed();
}

void GoodsList::setFilterTicked(bool ticked) {
    filterTicked_ = ticked;
    emit changed();
    load();
}

void GoodsList::setFilterText(const QString& text) {
    filterText_ = text;
    if (filterTicked_)
        load();
}

bool GoodsList::keeps(bool ticked, const QString& filter, QStringView name) {
    if (!ticked)
        return true;
    return !filter.isEmpty() && name.contains(filter, Qt::CaseSensitive);
}

QString GoodsList::cell(int row, int column) const {
    if (row < 0 || size_t(row) >= rows_.size() || column < 0 || column >= rows_[size_t(row)].size())
        return QString();
    return rows_[size_t(row)].at(column);
}

QStringList GoodsList::exportLines() const {
    const QString cellEnd = QStringLiteral("##");
    QStringList lines{exportTitle(), QString()};
    lines << headers_.join(cellEnd) + cellEnd;
    for (const QStringList& row : rows_)
        lines << row.join(cellEnd) + cellEnd;
    return lines;
}

bool GoodsList::pickable(int row) const {
    return sale_.pickMode() && cell(row, 0).size() >= 4;
}

bool GoodsList::pick(int row) {
    if (!pickable(row))
        return false;
    emit picked(pickOf(rows_[size_t(row)]));
    return true;
}

int GoodsList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int GoodsList::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(headers_.size());
}

QVariant GoodsList::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return QVariant();
    return cell(index.row(), index.column());
}

QVariant GoodsList::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= headers_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return headers_.at(section);
}

void GoodsList::report() {
    // The title, an empty line and the captions above the items.
    constexpr int firstItemRow = 4;
    std::vector<int> columns;
    for (const int c : numberColumns_)
        columns.push_back(c + 1);
    spreadsheet_.exportToSpreadsheet(exportLines(), exportColumnLimit(), reportName_,
                                     NumberCells().add(columns, firstItemRow));
}
