#include "document_line_input.h"

#include "amounts.h"
#include "database.h"
#include "document_access.h"
#include "document_store.h"
#include "entry_checks.h"
#include "http_error.h"
#include "money.h"
#include "request_context.h"

namespace kovrel::server {

namespace {

double nonNegative(const RequestContext& ctx, const QString& field, AmountKind kind, const QString& reason) {
    const double v = AmountField(ctx, field, kind);
    if (v < 0) throw HttpError::BadRequest(reason);
    return v;
}

} // namespace

double RequestedQuantity(const RequestContext& ctx, const QString& field) {
    return RoundQty(nonNegative(ctx, field, AmountKind::Quantity,
                                QStringLiteral("Количество не может быть отрицательным")));
}

double RequestedPrice(const RequestContext& ctx, const QString& field) {
    return nonNegative(ctx, field, AmountKind::Price, QStringLiteral("Цена не может быть отрицательной"));
}

void RequireLineSum(double kol, double price, const QString& kolField, const QString& priceField) {
    const AmountRange range = RangeOf(AmountKind::Sum);
    const Money sum = LineSum(Quantity::FromDouble(kol), Money::FromDouble(price));
    if (!(sum.ToDouble() < range.limit))
        throw HttpError::BadRequest(QStringLiteral("Поля %1 и %2: сумма строки должна быть меньше %3")
                                        .arg(kolField, priceField, QString::fromUtf8(range.text)));
}

std::pair<DocLine, DocHeader> ChangeableLine(const RequestContext& ctx, const DocKind& kind) {
    const auto line =
        DocumentStore(ctx.Services().db, ctx.AccountId()).FindLine(kind, ctx.Int(QStringLiteral("id")));
    if (!line) throw HttpError::NotFound(QStringLiteral("Строка документа не найдена"));
    const DocHeader h = DocumentAccess(ctx, kind).Changeable(line->docId);
    if (line->IsKitComponent())
        throw HttpError::Conflict(
            QStringLiteral("Строка входит в комплект: измените или удалите комплект целиком"));
    return {*line, h};
}

} // namespace kovrel::server
