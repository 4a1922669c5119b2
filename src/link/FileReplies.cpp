#include "link/FileReplies.h"

#include "core/Environment.h"
#include "link/Messages.h"
#include "link/ServerLink.h"
#include "platform/FileIo.h"

FileReplies::FileReplies(const Environment& env, ServerLink& link, QObject* parent)
    : QObject(parent), env_(env), link_(link) {
    link_.setHandler(QLatin1Char('f'), [this](const QString& m) { handle(m); });
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
    const Messages::FileReply reply = Messages::parseFileReply(message.mid(1));
    if (!isSafeName(reply.name)) {
        link_.log(QStringLiteral("Файл с недопустимым именем отклонён: ") + reply.name);
        return;
    }
    const QString path = env_.storedFilePath(reply.name);
    FileIo::writeLines(path, FileIo::splitLines(reply.content));
    const QPointer<const QObject> claimant =
        reply.name.isEmpty() ? nullptr : claims_.take(reply.name.front());
    emit arrived();
    emit stored(reply.name, path, claimant.data());
}

void FileReplies::claim(QChar letter, const QObject* asker) {
    claims_.insert(letter, asker);
}
