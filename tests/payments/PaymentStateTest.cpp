#include "payments/PaymentState.h"

#include <gtest/gtest.h>

namespace {

// Every code of the status table, with what it means and what it writes.
TEST(PaymentState, EveryStatusCodeIsClassifiedOnceWithItsNoteAndFlag) {
    struct Case {
        const char* code;
        PaymentStatus kind;
        const char* note;
        SendFlag flag;
    };
    const Case cases[] = {
        {"1", PaymentStatus::Credited, "Зачислено", SendFlag::Final},
        {"0", PaymentStatus::Credited, "Зачислено", SendFlag::Final},
        {"+", PaymentStatus::Credited, "Зачислено", SendFlag::Final},
        {"10", PaymentStatus::Credited, "Зачислено", SendFlag::Final},
        {"11", PaymentStatus::CancellationFiled, "Заявка отмены", SendFlag::None},
        {"12", PaymentStatus::CancellationPending, "В ожидании отмены", SendFlag::None},
        {"5", PaymentStatus::Queued, "В очереди", SendFlag::None},
        {"7", PaymentStatus::Queued, "В очереди", SendFlag::None},
        {"8", PaymentStatus::Queued, "В очереди", SendFlag::None},
        {"70", PaymentStatus::Queued, "В очереди", SendFlag::None},
        {"73", PaymentStatus::Queued, "В очереди", SendFlag::None},
        {"76", PaymentStatus::Queued, "В очереди", SendFlag::None},
        {"3", PaymentStatus::Failed, "Ошибка", SendFlag::None},
        {"-", PaymentStatus::Failed, "Ошибка", SendFlag::None},
        {"9", PaymentStatus::Returned, "Возврат", SendFlag::Final},
        {"6", PaymentStatus::Settled, "", SendFlag::None},
        {"", PaymentStatus::None, "", SendFlag::None},
        // Codes the table does not name change nothing but the status cell.
        {"77", PaymentStatus::Other, "", SendFlag::None},
        {"4", PaymentStatus::Other, "", SendFlag::None},
        {"01", PaymentStatus::Other, "", SendFlag::None},
        {" 1", PaymentStatus::Other, "", SendFlag::None},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(classifyStatus(QString::fromUtf8(c.code)), c.kind);
        const StatusEffect e = statusEffect(c.kind);
        EXPECT_EQ(e.note, QString::fromUtf8(c.note));
        EXPECT_EQ(e.flag, c.flag);
    }
}

TEST(PaymentState, SendFlagsAsTheDayFileKeepsThemAndWhichStillWaitToBeSent) {
    struct Case {
        const char* text;
        SendFlag flag;
        bool waits;
    };
    const Case cases[] = {
        {"0", SendFlag::Unsent, true}, {"9", SendFlag::Held, true},   {"1", SendFlag::Accepted, false},
        {"2", SendFlag::Final, false}, {"", SendFlag::None, false},   {"00", SendFlag::Other, false},
        {"5", SendFlag::Other, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const SendFlag flag = SendFlagText::read(QString::fromUtf8(c.text));
        EXPECT_EQ(flag, c.flag);
        EXPECT_EQ(awaitsSending(flag), c.waits);
    }
    for (SendFlag flag : {SendFlag::Unsent, SendFlag::Accepted, SendFlag::Final, SendFlag::Held})
        EXPECT_EQ(SendFlagText::read(SendFlagText::of(flag)), flag);
    EXPECT_TRUE(SendFlagText::of(SendFlag::Other).isEmpty());
}

} // namespace
