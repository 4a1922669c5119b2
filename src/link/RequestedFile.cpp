#include "link/RequestedFile.h"

#include "core/Session.h"
#include "link/FileReplies.h"
#include "link/ServerLink.h"
#include "platform/Dialogs.h"
#include "platform/SafeCall.h"

RequestedFile::RequestedFile(const ServerFed& fed, Setup setup, QObject* parent)
    : QObject(parent), session_(fed.session), dialogs_(fed.dialogs), link_(fed.link), replies_(fed.replies),
      setup_(std::move(setup)) {
    connect(&replies_, &FileReplies::arrived, this, &RequestedFile::onArrived);
    connect(&replies_, &FileReplies::stored, this, &RequestedFile::onStored);
}

bool RequestedFile::request() {
    if (!session_.registered()) {
        dialogs_.message(setup_.refusal);
        return false;
    }
    tableVisible_ = false;
    replies_.claim(setup_.replyLetter, this);
    link_.sendRequest(setup_.bodies());
    refreshEnabled_ = false;
    emit changed();
    return true;
}

void RequestedFile::onArrived() {
    tableVisible_ = true;
    refreshEnabled_ = true;
    emit changed();
}

void RequestedFile::onStored(const QString& name, const QString& path, const QObject* claimant) {
    if (!name.isEmpty() && name.front() == setup_.replyLetter && (!claimant || claimant == this) &&
        setup_.load)
        SafeCall::run(dialogs_, [&] { setup_.load(path); });
}
