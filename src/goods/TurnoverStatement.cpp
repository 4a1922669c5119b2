#include "goods/TurnoverStatement.h"

#include "core/AppContext.h"
#include "link/Messages.h"
#include "platform/FileIo.h"
#include "platform/TextCodec.h"
#include "reports/SpreadsheetExport.h"

TurnoverStatement::TurnoverStatement(AppContext& ctx, ServerLink& link, FileReplies& replies,
                                     SpreadsheetExport& spreadsheet, QObject* parent)
    : QObject(parent), ctx_(ctx), spreadsheet_(spreadsheet),
      file_(ctx, link, replies,
            RequestedFile::Setup{QLatin1Char('v'), QStringLiteral("Необходимо зарегистрироваться!"),
                                 [&ctx] { return QStringList{Messages::turnover(ctx.loginTerminal)}; }}) {
    connect(&file_, &RequestedFile::changed, this, &TurnoverStatement::changed);
    connect(&file_, &RequestedFile::arrived, this, [this] { load(); });
}

QString TurnoverStatement::filePath() const {
    return ctx_.programDir + QLatin1Char('v') + ctx_.loginTerminal + QStringLiteral(".txt");
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
