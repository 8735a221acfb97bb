#include "entry_checks.h"

#include "http_error.h"
#include "money.h"
#include "request_context.h"

#include <cmath>

namespace kovrel::server {

Catalog AccountCatalog(const RequestContext& ctx) {
    return Catalog(ctx.Services().db, ctx.AccountId());
}

namespace {

// "2 000": a limit as people read it.
QString grouped(int value) {
    QString digits = QString::number(value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(' '));
    return digits;
}

} // namespace

QString LimitedText(const RequestContext& ctx, const QString& field, int maxLength) {
    const QString text = ctx.Text(field);
    if (text.size() > maxLength)
        throw HttpError::BadRequest(
            QStringLiteral("Поле %1: не более %2 символов").arg(field, grouped(maxLength)));
    return text;
}

QString EntryName(const RequestContext& ctx, const QString& field, int maxLength) {
    const QString name = maxLength > 0 ? LimitedText(ctx, field, maxLength) : ctx.Text(field);
    // Control characters (NUL, line breaks, escapes) would break every list, print form and
    // export that shows the name.
    for (const QChar c : name)
        if (c.category() == QChar::Other_Control)
            throw HttpError::BadRequest(
                QStringLiteral("Поле %1: наименование не может содержать управляющие символы").arg(field));
    // A blank name shows as an empty line wherever the entry is listed, chosen or printed.
    if (name.trimmed().isEmpty())
        throw HttpError::BadRequest(QStringLiteral("Поле %1: наименование не может быть пустым").arg(field));
    return name;
}

std::optional<bool> DeletionMark(const RequestContext& ctx) {
    const QString name = QStringLiteral("flag_del");
    if (!ctx.Has(name)) return std::nullopt;
    const int mark = ctx.Int(name);
    if (mark != 0 && mark != 1)
        throw HttpError::BadRequest(QStringLiteral("Поле flag_del должно быть 0 или 1"));
    return mark == 1;
}

void RequireKlientKind(const RequestContext& ctx, int id, std::initializer_list<int> kinds,
                       const QString& reason) {
    const int kind = AccountCatalog(ctx).KlientKind(id);
    for (int k : kinds)
        if (kind == k) return;
    throw HttpError::NotFound(reason);
}

double AmountField(const RequestContext& ctx, const QString& name, AmountKind kind) {
    const double value = ctx.Number(name);
    const AmountRange range = RangeOf(kind);
    if (!(std::abs(value) < range.limit))
        throw HttpError::BadRequest(QStringLiteral("Поле %1: значение должно быть по модулю меньше %2")
                                        .arg(name, QString::fromUtf8(range.text)));
    if (kind == AmountKind::Quantity) return value;
    // The text is a plain decimal by now (RequestContext::Number) and within range.
    return Money::Parse(ctx.Text(name)).value_or(Money::FromDouble(value)).ToDouble();
}

double NonNegativeNumber(const RequestContext& ctx, const QString& name, AmountKind kind) {
    const double value = AmountField(ctx, name, kind);
    if (value < 0)
        throw HttpError::BadRequest(QStringLiteral("Поле %1 не может быть отрицательным").arg(name));
    return value;
}

QString SearchCondition(std::initializer_list<const char*> columns) {
    QStringList parts;
    for (const char* column : columns)
        parts << QStringLiteral("%1 LIKE ? ESCAPE '!'").arg(QLatin1StringView(column));
    return QLatin1Char('(') + parts.join(QStringLiteral(" OR ")) + QLatin1Char(')');
}

HttpResponse IdReply(int id) {
    return HttpResponse::Text(200, QString::number(id));
}

} // namespace kovrel::server
