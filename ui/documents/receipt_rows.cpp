#include "receipt_rows.h"

#include "number_text.h"
#include "sheet_table.h"

#include <QHash>

#include <functional>

namespace {

enum Column { kCode = 1, kName, kKol, kPrice, kBarCode };

// The first catalog entry for each text of one field.
QHash<QString, int> firstByText(const RecordList<TRecGood>& catalog,
                                const std::function<QString(const TRecGood&)>& field) {
    QHash<QString, int> index;
    index.reserve(static_cast<qsizetype>(catalog.size()));
    for (const auto& good : catalog) {
        const QString text = field(*good);
        if (!index.contains(text)) index.insert(text, good->IDGoods);
    }
    return index;
}

} // namespace

RecordList<TRecGood> ReceiptRowsOf(const SheetTable& sheet) {
    RecordList<TRecGood> rows;
    for (int r = 1; r <= sheet.RowCount(); ++r) {
        const auto cell = [&](int col) { return sheet.Cell(r, col).trimmed(); };
        const QString name = cell(kName);
        const QString kol = cell(kKol).replace(QLatin1Char(','), QLatin1Char('.'));
        const QString price = cell(kPrice).replace(QLatin1Char(','), QLatin1Char('.'));
        if (name.isEmpty() || kol.isEmpty() || price.isEmpty()) continue;
        auto row = std::make_unique<TRecGood>();
        row->Code = cell(kCode);
        row->Name = name;
        row->OstKol = ParseFloatDef(kol, 0);
        row->ZCen = ParseFloatDef(price, 0);
        row->BarCode = cell(kBarCode);
        rows.push_back(std::move(row));
    }
    return rows;
}

void MatchReceiptRows(RecordList<TRecGood>& rows, const RecordList<TRecGood>& catalog) {
    const QHash<QString, int> byCode = firstByText(catalog, [](const TRecGood& g) { return g.Code; });
    const QHash<QString, int> byBarCode = firstByText(catalog, [](const TRecGood& g) { return g.BarCode; });
    const QHash<QString, int> byName = firstByText(catalog, [](const TRecGood& g) { return g.Name; });
    for (const auto& row : rows) {
        const QString code = row->Code.trimmed();
        const QString barCode = row->BarCode.trimmed();
        const QString name = row->Name.trimmed();
        int id = 0;
        if (!code.isEmpty()) id = byCode.value(code);
        if (id == 0 && !barCode.isEmpty()) id = byBarCode.value(barCode);
        if (id == 0 && !name.isEmpty()) id = byName.value(name);
        row->IDGoods = id;
    }
}
