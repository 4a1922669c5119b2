#include "payments/PaymentState.h"

#include <initializer_list>

namespace {

bool isOneOf(QStringView code, std::initializer_list<const char*> values) {
    for (const char* v : values) {
        if (code == QLatin1String(v))
            return true;
    }
    return false;
}

} // namespace

PaymentStatus classifyStatus(QStringView code) {
    if (code.isEmpty())
        return PaymentStatus::None;
    if (isOneOf(code, {"1", "0", "+", "10"}))
        return PaymentStatus::Credited;
    if (code == QLatin1String("11"))
        return PaymentStatus::CancellationFiled;
    if (code == QLatin1String("12"))
        return PaymentStatus::CancellationPending;
    if (isOneOf(code, {"5", "7", "8", "70", "71", "72", "73", "74", "75", "76"}))
        return PaymentStatus::Queued;
    if (isOneOf(code, {"3", "-"}))
        return PaymentStatus::Failed;
    if (code == QLatin1String("9"))
        return PaymentStatus::Returned;
    if (code == QLatin1String("6"))
        return PaymentStatus::Settled;
    return PaymentStatus::Other;
}

StatusEffect statusEffect(PaymentStatus status) {
    switch (status) {
    case PaymentStatus::Credited:
        return {QStringLiteral("Зачислено"), SendFlag::Final};
    case PaymentStatus::CancellationFiled:
        return {QStringLiteral("Заявка отмены"), SendFlag::None};
    case PaymentStatus::CancellationPending:
        return {QStringLiteral("В ожидании отмены"), SendFlag::None};
    case PaymentStatus::Queued:
        return {QStringLiteral("В очереди"), SendFlag::None};
    case PaymentStatus::Failed:
        return {QStringLiteral("Ошибка"), SendFlag::None};
    case PaymentStatus::Returned:
        return {QStringLiteral("Возврат"), SendFlag::Final};
    case PaymentStatus::None:
    case PaymentStatus::Settled:
    case PaymentStatus::Other:
        break;
    }
    return {};
}

namespace SendFlagText {

SendFlag read(QStringView cell) {
    if (cell.isEmpty())
        return SendFlag::None;
    if (cell == QLatin1String("0"))
        return SendFlag::Unsent;
    if (cell == QLatin1String("1"))
        return SendFlag::Accepted;
    if (cell == QLatin1String("2"))
        return SendFlag::Final;
    if (cell == QLatin1String("9"))
        return SendFlag::Held;
    return SendFlag::Other;
}

QString of(SendFlag flag) {
    switch (flag) {
    case SendFlag::Unsent:
        return QStringLiteral("0");
    case SendFlag::Accepted:
        return QStringLiteral("1");
    case SendFlag::Final:
        return QStringLiteral("2");
    case SendFlag::Held:
        return QStringLiteral("9");
    case SendFlag::None:
    case SendFlag::Other:
        break;
    }
    return QString();
}

} // namespace SendFlagText
