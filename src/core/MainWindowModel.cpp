#include "core/MainWindowModel.h"

#include "core/Builtins.h"

MainWindowModel::MainWindowModel() {
    statusPanel = {QStringLiteral("Состояние"), QStringLiteral("Соединяюсь..."), QStringLiteral("Депозит"),
                   QString(), QStringLiteral("Лимит"), QString(), QStringLiteral("Терминал"), QString(),
                   QStringLiteral("СЕРВЕР"), Builtins::webAddress()};
}
