#pragma once

#include "editor_window.h"
#include "rec_good.h"

class QComboBox;
class QLineEdit;

// The goods editor: name, note, sale price, units per pack, VAT rate, bar code, extra code,
// category and unit of measure. Numbers are read tolerantly ("," as separator, no-break spaces
// as grouping); a box whose text is not a number is refused, naming it, and nothing is sent.
// The purchase price is not edited here: it comes from receipts. The unit is stored by an
// operation of its own after the item, and only when it was changed.
class TFormEditGood final : public TEditorWindow {
    Q_OBJECT
public:
    TFormEditGood(QWidget* owner, TRecGood& rec);

    TRecGood& LocalRec;

    QLineEdit* EdName = nullptr;
    QLineEdit* EdPrim = nullptr;
    QLineEdit* EdCen = nullptr;
    QLineEdit* EdPack = nullptr;
    QLineEdit* EdNds = nullptr;
    QLineEdit* EdBarCode = nullptr;
    QLineEdit* EdCode = nullptr;
    QComboBox* ComBoxGroup = nullptr;
    QComboBox* ComBoxUnit = nullptr; // "-" for none, then the units of measure with their codes

protected:
    bool Save() override;

private:
    void FormCreate();
    void fillUnits();
    bool insertGood(const QString& unit);
    bool sendUnit(const QString& unit);
};
