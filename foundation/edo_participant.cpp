#include "edo_participant.h"

#include <QRegularExpression>

namespace {

constexpr int kMinLength = 4; // the operator's prefix and at least one character of the party
constexpr int kMaxLength = 46;

} // namespace

QString EdoIdProblem(const QString& edoId) {
    if (edoId.size() < kMinLength || edoId.size() > kMaxLength)
        return QStringLiteral("идентификатор участника ЭДО должен содержать от %1 до %2 символов")
            .arg(kMinLength)
            .arg(kMaxLength);
    static const QRegularExpression allowed(QStringLiteral("^[0-9A-Za-z-]+$"));
    if (!allowed.match(edoId).hasMatch())
        return QStringLiteral(
            "идентификатор участника ЭДО может содержать только латинские буквы, цифры и дефис");
    return {};
}
