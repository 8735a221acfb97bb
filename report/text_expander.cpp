#include "text_expander.h"

#include "report_error.h"

#include <QRegularExpression>

namespace {

const QRegularExpression& variablePattern() {
    static const QRegularExpression variable(
        QStringLiteral(R"re(\[(?:(Page#|TotalPages#|Line#)|([A-Za-z_][A-Za-z0-9_]*)\."([^"\]]*)")\])re"));
    return variable;
}

} // namespace

TextExpander::TextExpander(const QList<ReportDataSource>& sources) {
    for (const ReportDataSource& s : sources)
        m_sources.insert(s.name, s);
}

const ReportDataSource* TextExpander::source(const QString& name) const {
    auto it = m_sources.constFind(name);
    return it == m_sources.constEnd() ? nullptr : &*it;
}

QList<QPair<QString, QString>> TextExpander::variables(const QString& text) {
    QList<QPair<QString, QString>> found;
    if (!text.contains(QLatin1Char('['))) return found;
    for (auto it = variablePattern().globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(1).isEmpty()) found.append({m.captured(2), m.captured(3)});
    }
    return found;
}

void TextExpander::requireDeclared(const QString& sourceName, const QString& field) const {
    const ReportDataSource* s = source(sourceName);
    if (!s) throw ReportError(QStringLiteral("unknown data source %1").arg(sourceName));
    if (!s->fields.contains(field))
        throw ReportError(QStringLiteral("field \"%1\" of %2 is not declared").arg(field, sourceName));
}

QVariant TextExpander::value(const QString& sourceName, const QString& field,
                             const ExpandContext& context) const {
    const ReportDataSource* s = source(sourceName);
    if (!s) throw ReportError(QStringLiteral("unknown data source %1").arg(sourceName));
    const bool master = sourceName == context.masterSource;
    try {
        if (master && context.totals) {
            if (!s->total) throw ReportError(QStringLiteral("%1 has no totals").arg(sourceName));
            return s->total(field, context.first, context.last);
        }
        const int record = master ? context.record : 0;
        if (!s->value || record < 0 || record >= s->recordCount) return {};
        return s->value(field, record);
    } catch (const ReportError&) {
        throw;
    } catch (const std::exception& e) {
        throw ReportError(
            QStringLiteral("%1.%2: %3").arg(sourceName, field, QString::fromLocal8Bit(e.what())));
    }
}

QString TextExpander::expand(const QString& text, const NumberFormat& format,
                             const ExpandContext& context) const {
    if (!text.contains(QLatin1Char('['))) return text;
    QString out;
    qsizetype at = 0;
    for (auto it = variablePattern().globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += text.mid(at, m.capturedStart() - at);
        at = m.capturedEnd();
        const QString special = m.captured(1);
        if (special == QLatin1String("Page#"))
            out += QString::number(context.page);
        else if (special == QLatin1String("TotalPages#"))
            out += QString::number(context.totalPages);
        else if (special == QLatin1String("Line#"))
            out += QString::number(context.line);
        else
            out += format.text(value(m.captured(2), m.captured(3), context));
    }
    return out + text.mid(at);
}
