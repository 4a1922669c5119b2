#include "core/MainWindowModel.h"

#include "core/Builtins.h"

MainWindowModel::MainWindowModel() {
    statusPanels_ = {QStringLiteral("Состояние"), QStringLiteral("Соединяюсь..."),
                     QStringLiteral("Депозит"),   QString(),
                     QStringLiteral("Лимит"),     QString(),
                     QStringLiteral("Терминал"),  QString(),
                     QStringLiteral("СЕРВЕР"),    Builtins::webAddress()};
}

void MainWindowModel::setStatus(StatusPanel panel, const QString& text) {
    statusPanels_[size_t(panel)] = text;
    notify();
}

void MainWindowModel::beginTransmission() {
    transmissionPanelVisible = true;
    sendAllEnabled = refreshStatusesEnabled = cancelEnabled = sendSelectedEnabled = false;
    notify();
}

void MainWindowModel::showTransmissionPanel() {
    transmissionPanelVisible = true;
    notify();
}

void MainWindowModel::hideTransmissionPanel() {
    transmissionPanelVisible = false;
    journalEnabled = true;
    notify();
}

void MainWindowModel::endTransmission() {
    sendAllEnabled = refreshStatusesEnabled = cancelEnabled = sendSelectedEnabled = true;
    hideTransmissionPanel();
}

void MainWindowModel::lockSendCommands() {
    sendAllEnabled = sendSelectedEnabled = false;
    notify();
}

void MainWindowModel::setProgress(int position, int maximum) {
    progressPos = position;
    progressMax = maximum;
    notify();
}
