#include "link/RequestedFile.h"

#include "core/AppContext.h"
#include "link/FileReplies.h"
#include "link/ServerLink.h"
#include "platform/Dialogs.h"

RequestedFile::RequestedFile(AppContext& ctx, ServerLink& link, FileReplies& replies, Setup setup,
                             QObject* parent)
    : QObject(parent), ctx_(ctx), link_(link), replies_(replies), setup_(std::move(setup)) {
    connect(&replies, &FileReplies::stored, this, &RequestedFile::onStored);
}

bool RequestedFile::request() {
    if (!ctx_.registered) {
        ctx_.dialogs->message(setup_.refusal);
        return false;
    }
    tableVisible_ = false;
    replies_.claim(setup_.replyLetter, this);
    link_.sendRequest(setup_.bodies());
    refreshEnabled_ = false;
    emit changed();
    return true;
}

void RequestedFile::onStored(const QString& name, const QString& path, const QObject* claimant) {
    tableVisible_ = true;
    refreshEnabled_ = true;
    emit changed();
    if (!name.isEmpty() && name.front() == setup_.replyLetter && (!claimant || claimant == this))
        emit arrived(path);
}
