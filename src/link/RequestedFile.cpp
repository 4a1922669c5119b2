#include "link/RequestedFile.h"

#include "core/AppContext.h"
#include "link/FileReplies.h"
#include "link/ServerLink.h"
#include "platform/Dialogs.h"

RequestedFile::RequestedFile(AppContext& ctx, ServerLink& link, FileReplies& replies, Spec spec,
                             QObject* parent)
    : QObject(parent), ctx_(ctx), link_(link), replies_(replies), spec_(std::move(spec)) {
    connect(&replies, &FileReplies::stored, this, &RequestedFile::onStored);
}

bool RequestedFile::request() {
    if (!ctx_.registered) {
        ctx_.dialogs->message(spec_.refusal);
        return false;
    }
    tableVisible_ = false;
    replies_.claim(spec_.replyLetter, this);
    link_.sendRequest(spec_.bodies());
    refreshEnabled_ = false;
    emit changed();
    return true;
}

void RequestedFile::onStored(const QString& name, const QString& path, const QObject* claimant) {
    tableVisible_ = true;
    refreshEnabled_ = true;
    emit changed();
    if (!name.isEmpty() && name.front() == spec_.replyLetter && (!claimant || claimant == this))
        emit arrived(path);
}
