#pragma once

#include "editor_window.h"
#include "rec_klient.h"

class QLineEdit;

// The goods category editor: name and note.
class TFormEditGroup final : public TEditorWindow {
    Q_OBJECT
public:
    TFormEditGroup(QWidget* owner, TRecKlient& rec);

    TRecKlient& LocalRec;

    QLineEdit* EdName = nullptr;
    QLineEdit* EdPrim = nullptr;

protected:
    bool Save() override;
};
