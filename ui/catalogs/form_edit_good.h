#pragma once

#include "editor_window.h"
#include "rec_good.h"

class QComboBox;
class QLineEdit;

// The goods editor: name, note, sale price, units per pack, VAT rate, bar code, extra code and
// category. Numbers are read tolerantly ("," as separator, no-break spaces as grouping); a box
// whose text is not a number is refused, naming it, and nothing is sent. The purchase price is
// not edited here: it comes from receipts.
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

protected:
    bool Save() override;

private:
    void FormCreate();
};
