#include "link/FileReplies.h"

#include "core/AppContext.h"
#include "core/MainWindowModel.h"
#include "link/ServerLink.h"
#include "platform/FileIo.h"


FileReplies::FileReplies(AppContext& ctx, MainWindowModel& model, ServerLink& link, QObject* parent)
    : QObject(parent), ctx_(ctx), model_(model), link_(link) {
    // The six consumers: "v" turnover, "p" price list, "s" stock, "6" year
    // statistics, "8" monthly and "9" daily statement. Their windows register here.
    for (const char c : {'v', 'p', 's', '6', '8', '9'})
        consumers_.insert(QLatin1Char(c), Consumer());
}

void FileReplies::setConsumer(QChar firstOfName, Consumer consumer) {
    consumers_.insert(firstOfName, std::move(consumer));
}

bool FileReplies::isSafeName(const QString& name) {
    if (name.contains(QLatin1String("..")))
        return false;
    for (const QChar c : name)
        if (c.unicode() < 0x20 || c == QLatin1Char('/') || c == QLatin1Char('\\') || c.unicode() == 0x7F)
            return false;
    return true;
}

void FileReplies::handle(const QString& message) {
    link_.disarm();
    const QString payload = message.mid(1);
    const qsizetype slash = payload.indexOf(QLatin1Char('/'));
    const QString name = slash < 0 ? payload : payload.left(slash);
    const QString content = slash < 0 ? QString() : payload.mid(slash + 1);
    if (!isSafeName(name)) {
        link_.log(QStringLiteral("Файл с недопустимым именем отклонён: ") + name);
        return;
    }
    const QString path = ctx_.programDir + name + QStringLiteral(".txt");
    FileIo::writeLines(path, FileIo::splitLines(content));

    model_.bitBtn3Enabled = true;
    model_.notify();
    emit refreshControlsReleased();

    if (name.isEmpty())
        return;
    const auto it = consumers_.constFind(name.front());
    if (it != consumers_.constEnd() && *it)
        (*it)(path);
}
