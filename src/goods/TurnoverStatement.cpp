#include "goods/TurnoverStatement.h"

#include "core/AppContext.h"
#include "link/Messages.h"
#include "platform/FileIo.h"

TurnoverStatement::TurnoverStatement(AppContext& ctx, ServerLink& link, FileReplies& replies, QObject* parent)
    : QObject(parent), ctx_(ctx),
      file_(ctx, link, replies,
            RequestedFile::Spec{QLatin1Char('v'), QStringLiteral("Необходимо зарегистрироваться!"),
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
    QStringList lines;
    if (!FileIo::readLines(filePath(), &lines)) {
        file_.request();
        return;
    }
    lines_ = lines;
    emit changed();
}
