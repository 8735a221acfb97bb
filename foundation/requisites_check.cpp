#include "requisites_check.h"

#include <QRegularExpression>

#include <array>

namespace kovrel::requisites {

namespace {

bool allDigits(const QString& text, qsizetype length) {
    if (text.size() != length) return false;
    for (const QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

int digit(const QString& text, qsizetype i) {
    return text.at(i).unicode() - u'0';
}

// The ИНН's check digit over its first weights.size() digits.
template <size_t N>
int innCheck(const QString& inn, const std::array<int, N>& weights) {
    int sum = 0;
    for (size_t i = 0; i < N; ++i)
        sum += digit(inn, static_cast<qsizetype>(i)) * weights[i];
    return sum % 11 % 10;
}

} // namespace

QString InnProblem(const QString& inn) {
    if (inn.isEmpty()) return {};
    if (!allDigits(inn, 10) && !allDigits(inn, 12))
        return QStringLiteral("ИНН должен состоять из 10 цифр (организация) или 12 цифр (предприниматель).");
    constexpr std::array<int, 9> w10{2, 4, 10, 3, 5, 9, 4, 6, 8};
    constexpr std::array<int, 10> w11{7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
    constexpr std::array<int, 11> w12{3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
    const bool fine = inn.size() == 10
                          ? innCheck(inn, w10) == digit(inn, 9)
                          : innCheck(inn, w11) == digit(inn, 10) && innCheck(inn, w12) == digit(inn, 11);
    return fine ? QString() : QStringLiteral("ИНН %1 неверен: не сходятся контрольные цифры.").arg(inn);
}

QString KppProblem(const QString& kpp) {
    static const QRegularExpression form(QStringLiteral("^[0-9]{4}[0-9A-Z]{2}[0-9]{3}$"));
    if (kpp.isEmpty() || form.match(kpp).hasMatch()) return {};
    return QStringLiteral("КПП должен состоять из 9 знаков: четыре цифры, две цифры или заглавные латинские "
                          "буквы, три цифры.");
}

QString BikProblem(const QString& bik) {
    if (bik.isEmpty() || allDigits(bik, 9)) return {};
    return QStringLiteral("БИК должен состоять из 9 цифр.");
}

QString AccountProblem(const QString& account, const QString& name) {
    if (account.isEmpty() || allDigits(account, 20)) return {};
    return QStringLiteral("%1 должен состоять из 20 цифр.").arg(name);
}

QString SettlementKeyProblem(const QString& account, const QString& bik) {
    if (!allDigits(account, 20) || !allDigits(bik, 9)) return {};
    const QString digits = bik.right(3) + account;
    constexpr std::array<int, 3> weights{7, 1, 3};
    int sum = 0;
    for (qsizetype i = 0; i < digits.size(); ++i)
        sum += digit(digits, i) * weights[static_cast<size_t>(i % 3)];
    if (sum % 10 == 0) return {};
    return QStringLiteral("Расчетный счет %1 не соответствует БИК %2: не сходится контрольный разряд.")
        .arg(account, bik);
}

} // namespace kovrel::requisites
