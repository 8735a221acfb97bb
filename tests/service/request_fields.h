#pragma once

#include "capture_server.h"
#include "session.h"
#include "wire/multipart_parser.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// What a captured request carried, field by field, for exact comparisons in the operation tests.
namespace testing {

using Fields = QList<QPair<QString, QString>>;

inline Fields AllFields(const CaptureServer::Request& r) {
    const auto form = kovrel::wire::ParseMultipartForm(r.body, r.header("content-type"));
    Fields out;
    if (!form.ok) {
        out.append({QStringLiteral("<unreadable>"), form.error});
        return out;
    }
    for (const auto& f : form.fields)
        out.append({f.name, f.value});
    return out;
}

// The session every operation test signs in with.
inline void SetTestSession(const QString& url) {
    BaseURL = url;
    Login = QStringLiteral("admin@shop.ru");
    DopLogin = QStringLiteral("kassa@shop.ru");
    Token = QStringLiteral("pw");
    ClientTag = QStringLiteral("W.1.0.1");
}

inline const Fields& AuthFields() {
    static const Fields auth{
        {"login", "admin@shop.ru"}, {"dop_login", "kassa@shop.ru"}, {"token", "pw"}, {"client", "W.1.0.1"}};
    return auth;
}

// The fields after the four authentication fields, which must open the form; a form that does
// not start with them shows up as a mismatch.
inline Fields OwnFields(const CaptureServer::Request& r) {
    const Fields all = AllFields(r);
    if (all.mid(0, 4) != AuthFields()) return Fields{{"<no authentication fields>", QString()}} + all;
    return all.mid(4);
}

inline QString Describe(const Fields& fields) {
    QStringList parts;
    for (const auto& f : fields)
        parts << f.first + QLatin1Char('=') + f.second;
    return parts.join(QStringLiteral(", "));
}

inline QStringList Paths(const QList<CaptureServer::Request>& requests) {
    QStringList out;
    for (const auto& r : requests)
        out << QString::fromLatin1(r.path);
    return out;
}

} // namespace testing

// Compares the fields of a request after authentication with the expected ones, naming both on
// a mismatch.
#define COMPARE_FIELDS(request, ...)                                                                         \
    do {                                                                                                     \
        const testing::Fields actual_ = testing::OwnFields(request);                                         \
        const testing::Fields expected_ = (__VA_ARGS__);                                                     \
        QVERIFY2(actual_ == expected_,                                                                       \
                 qPrintable(QStringLiteral("\n  sent:     ") + testing::Describe(actual_) +                  \
                            QStringLiteral("\n  expected: ") + testing::Describe(expected_)));               \
    } while (false)
