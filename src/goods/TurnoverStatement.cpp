#include "goods/TurnoverStatement.h"

#include "core/Environment.h"
#include "core/Session.h"
#include "link/Messages.h"
#include "platform/FileIo.h"
#include "platform/TextCodec.h"
#include "reports/SpreadsheetExport.h"

TurnoverStatement::TurnoverStatement(const ServerFed& fed, SpreadsheetExport& spreadsheet, QObject* parent)
    : QObject(parent), env_(fed.env), session_(fed.session), spreadsheet_(spreadsheet),
      file_(fed,
            RequestedFile::Setup{QLatin1Char('v'), QStringLiteral("Необходимо зарегистрироваться!"),
                                 [this] { return QStringList{Messages::turnover(session_.loginTerminal())}; },
                                 [this](const QString&) { load(); }}) {
    connect(&file_, &RequestedFile::changed, this, &TurnoverStatement::changed);
}

QString TurnoverStatement::filePath() const {
    return env_.storedFilePath(QLatin1Char('v') + session_.loginTerminal());
}

void TurnoverStatement::activate() {
    load();
}

void TurnoverStatement::refresh() {
    file_.request();
}

void TurnoverStatement::load() {
    QByteArray bytes;
    if (!FileIo::readBytes(filePath(), &bytes)) {
        // The window loads on every activation: one request out at a time.
        if (!file_.waiting())
            file_.request();
        return;
    }
    const bool dos = TextCodec::looksLikeCp866(bytes);
    QStringList lines;
    for (const QByteArray& line : FileIo::splitLines(bytes))
        lines << (dos ? TextCodec::fromCp866(line) : TextCodec::fromCp1251(line));
    lines_ = lines;
    emit changed();
}

void TurnoverStatement::report() {
    // The lines carry no "##": each fills the first cell of its row.
    spreadsheet_.exportToSpreadsheet(lines_, int(lines_.size()), QStringLiteral("Оборотная ведомость"));
}
