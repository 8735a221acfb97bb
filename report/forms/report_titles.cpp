#include "report_titles.h"

#include <vector>

namespace {

// What follows a line's prefix: nothing, a control's text, its text without surrounding
// blanks, a period of two date pickers ("<begin> по <end>") or one date.
enum class Part { Fixed, Text, Trimmed, Period, Date };
// When a line appears: always, when the control `a` is checked, when its trimmed text is not
// empty.
enum class When { Always, Checked, NotBlank };

struct TitleLine {
    const char* prefix;
    Part part = Part::Fixed;
    const char* a = nullptr;
    const char* b = nullptr;
    When when = When::Always;
};

struct TitleDef {
    const char* field;
    std::vector<TitleLine> lines;
};

// The period lines open with the Latin letter c.
const std::vector<TitleDef>& titles() {
    static const std::vector<TitleDef> defs = {
        {"ost",
         {{"Остатки товаров"},
          {"склад: ", Part::Text, "ComBoxStore"},
          {"включая нулевые остатки", Part::Fixed, "CBoxZero", nullptr, When::Checked},
          {"фильтр по наименованию: ", Part::Trimmed, "EdOstName", nullptr, When::NotBlank}}},
        {"move_good",
         {{"Карточка перемещений товара ", Part::Text, "SelGoodNameRMG"},
          {"c ", Part::Period, "DTPBeginRMG", "DTPEndRMG"},
          {"склад: ", Part::Text, "ComBoxStoreRMG"}}},
        {"move_klient",
         {{"Карточка взаиморасчетов ", Part::Text, "SelKlientNameRMK"},
          {"c ", Part::Period, "DTPBeginRMK", "DTPEndRMK"}}},
        {"sale_st",
         {{"Структура продаж "},
          {"c ", Part::Period, "DTPBeginRSS", "DTPEndRSS"},
          {"склад: ", Part::Text, "ComBoxStoreRSS"},
          {"покупатель: ", Part::Text, "SelKlientNameRSS"},
          {"менеджер: ", Part::Text, "ComBoxManagerRSS"},
          {"фильтр по наименованию: ", Part::Trimmed, "EdNameRSS", nullptr, When::NotBlank}}},
        {"sale_dynam",
         {{"Динамика продаж "},
          {"c ", Part::Period, "DTPBeginRSD", "DTPEndRSD"},
          {"склад: ", Part::Text, "ComBoxStoreRSD"},
          {"покупатель: ", Part::Text, "SelKlientNameRSD"},
          {"менеджер: ", Part::Text, "ComBoxManagerRSD"},
          {"период детализации: ", Part::Text, "ComBoxDetalRSD"}}},
        {"prh_st",
         {{"Структура покупок "},
          {"c ", Part::Period, "DTPBeginRPS", "DTPEndRPS"},
          {"склад: ", Part::Text, "ComBoxStoreRPS"},
          {"поставщик: ", Part::Text, "SelKlientNameRPS"},
          {"фильтр по наименованию: ", Part::Trimmed, "EdNameRPS", nullptr, When::NotBlank}}},
        {"prh_dynam",
         {{"Динамика покупок "},
          {"c ", Part::Period, "DTPBeginRPD", "DTPEndRPD"},
          {"склад: ", Part::Text, "ComBoxStoreRPD"},
          {"поставщик: ", Part::Text, "SelKlientNameRPD"},
          {"период детализации: ", Part::Text, "ComBoxDetalRPD"}}},
        {"dolg",
         {{"Долги и остатки денег на ", Part::Date, "DTPRepDolg"},
          {"менеджер: ", Part::Text, "ComBoxManagerRepDolg"}}},
    };
    return defs;
}

const TitleDef* find(const QString& field) {
    for (const TitleDef& d : titles())
        if (field == QLatin1String(d.field)) return &d;
    return nullptr;
}

bool shown(const TitleLine& line, const ReportControls& c) {
    switch (line.when) {
    case When::Checked:
        return c.checked(QLatin1String(line.a));
    case When::NotBlank:
        return !c.text(QLatin1String(line.a)).trimmed().isEmpty();
    case When::Always:
        break;
    }
    return true;
}

QString part(const TitleLine& line, const ReportControls& c) {
    switch (line.part) {
    case Part::Text:
        return c.text(QLatin1String(line.a));
    case Part::Trimmed:
        return c.text(QLatin1String(line.a)).trimmed();
    case Part::Period:
        return c.shortDate(QLatin1String(line.a)) + QStringLiteral(" по ") +
               c.shortDate(QLatin1String(line.b));
    case Part::Date:
        return c.shortDate(QLatin1String(line.a));
    case Part::Fixed:
        break;
    }
    return {};
}

} // namespace

QString ReportTitles::text(const QString& field, const ReportControls& controls) {
    const TitleDef* def = find(field);
    if (!def) return {};
    QString title;
    for (const TitleLine& line : def->lines)
        if (shown(line, controls))
            title += QString::fromUtf8(line.prefix) + part(line, controls) + QLatin1Char('\r');
    return title;
}

bool ReportTitles::isTitle(const QString& field) {
    return find(field) != nullptr;
}

QStringList ReportTitles::controls(const QString& field) {
    QStringList names;
    if (const TitleDef* def = find(field))
        for (const TitleLine& line : def->lines)
            for (const char* n : {line.a, line.b})
                if (n && !names.contains(QLatin1String(n))) names << QLatin1String(n);
    return names;
}
