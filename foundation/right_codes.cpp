#include "right_codes.h"

#include <array>

namespace {

constexpr std::array kCodes = {
    RightCode{1001, "Просмотр приходных накладных", RightKind::Permission},
    RightCode{1002, "Полный доступ к приходным накладным", RightKind::Permission},
    RightCode{1003, "Блокировка приходных накладных через ... дней", RightKind::DaysLock},
    RightCode{1004, "Запрет удаления приходных накладных", RightKind::Prohibition},
    RightCode{2001, "Просмотр расходных накладных", RightKind::Permission},
    RightCode{2002, "Полный доступ к расходным накладным", RightKind::Permission},
    RightCode{2003, "Блокировка расходных накладных через ... дней", RightKind::DaysLock},
    RightCode{2004, "Запрет удаления расходных накладных", RightKind::Prohibition},
    RightCode{7001, "Просмотр заказов (счетов)", RightKind::Permission},
    RightCode{7002, "Полный доступ к заказам (счетам)", RightKind::Permission},
    RightCode{7003, "Блокировка заказов (счетов) через ... дней", RightKind::DaysLock},
    RightCode{7004, "Запрет удаления заказов(счетов)", RightKind::Prohibition},
    RightCode{3001, "Просмотр внутренних накладных", RightKind::Permission},
    RightCode{3002, "Полный доступ к внутренним накладным", RightKind::Permission},
    RightCode{3003, "Блокировка внутренних накладных через ... дней", RightKind::DaysLock},
    RightCode{3004, "Запрет удаления внутренних накладных", RightKind::Prohibition},
    RightCode{4001, "Просмотр операций с деньгами", RightKind::Permission},
    RightCode{4002, "Полный доступ к операциям с деньгами", RightKind::Permission},
    RightCode{4003, "Блокировка операций с деньгами через ... дней", RightKind::DaysLock},
    RightCode{4004, "Запрет удаления операций с деньгами", RightKind::Prohibition},
    RightCode{5001, "Изменение товаров", RightKind::Permission},
    RightCode{5002, "Изменение комплектов", RightKind::ListedOnly},
    RightCode{5003, "Изменение поставщиков,покупателей,счетов", RightKind::Permission},
    RightCode{5004, "Изменение складов", RightKind::Permission},
    RightCode{5005, "Доступ к закупочным ценам", RightKind::Permission},
    RightCode{5006, "Началные остатки товаров и денег", RightKind::ListedOnly},
    RightCode{6001, "Остатки товаров", RightKind::Permission},
    RightCode{6002, "Карточка перемещений товара", RightKind::Permission},
    RightCode{6003, "Структура продаж", RightKind::Permission},
    RightCode{6004, "Динамика продаж", RightKind::Permission},
    RightCode{6005, "Долги и остатки денег", RightKind::Permission},
    RightCode{6006, "Карточка взаиморасчетов", RightKind::Permission},
    RightCode{6007, "Структура покупок", RightKind::Permission},
    RightCode{6008, "Динамика покупок", RightKind::Permission},
    RightCode{6009, "Остатки и оборот товаров", RightKind::ListedOnly},
    RightCode{6010, "Структура перемещений", RightKind::ListedOnly},
};

} // namespace

std::span<const RightCode> AllRightCodes() {
    return kCodes;
}

const RightCode* FindRightCode(int code) {
    for (const RightCode& r : kCodes)
        if (r.code == code) return &r;
    return nullptr;
}
