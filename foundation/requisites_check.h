#pragma once

#include <QString>

// Checks of the requisites a person types for a company: the tax number (ИНН), the tax
// registration reason code (КПП), the bank's identifier (БИК) and the accounts. Each gives why
// a value is wrong, or an empty text when it is fine. An empty value is fine everywhere: the
// requisites are optional.
namespace kovrel::requisites {

// 10 digits (a company) or 12 (a person), with the check digits of the tax service.
QString InnProblem(const QString& inn);
// 9 characters: four digits, two digits or capital Latin letters, three digits.
QString KppProblem(const QString& kpp);
// 9 digits.
QString BikProblem(const QString& bik);
// 20 digits; `name` is the account's field name as the editor labels it.
QString AccountProblem(const QString& account, const QString& name);
// The control key of a settlement account (20 digits) in the bank with that БИК (9 digits):
// the last three digits of the БИК and the account, weighted 7, 1, 3 over and over, sum to a
// multiple of 10.
QString SettlementKeyProblem(const QString& account, const QString& bik);

} // namespace kovrel::requisites
