#pragma once

#include <QStringList>

// The fourteen lines of a credited payment's receipt with the test settings
// applied: short values that fit every paper.
inline const QStringList kCreditedLines = {"Платежная система Orvanta",
                                           "ИНН 0123456789",
                                           "Чек 101_261209140509",
                                           "Терминал №: 101",
                                           "Адрес: ул. Рудаки, 1",
                                           "Дата платежа:09.12.26 14:05:09",
                                           "Оператор: Орбита Мобайл",
                                           "Принято:100 сомони",
                                           "Зачислено:98.00 сомони",
                                           "Номер счета:901234567",
                                           "   Сохраняйте чек до зачисления",
                                           "   денег  на Ваш лицевой счет.",
                                           "        С П А С И Б О !",
                                           "Служба подержки:+992 44 600 00 00"};
