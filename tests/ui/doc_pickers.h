#pragma once

#include "modal_script.h"
#include "selection_slot.h"
#include "window_seams.h"

#include <QDialog>
#include <QList>
#include <QString>

// In the program's own pickers: a step that types the name into the search box and chooses the
// row that shows it, as the user does; the test fails when no row does.
ModalScript::Step ChooseInPicker(const QString& name);

// The choices the pickers hand back to a document editor, one per opening, in order. A picker
// writes its choice into the selection slot as the real ones do; a choice with `ok` false is a
// picker closed without choosing (an empty name and -1 in the slot, result Cancel). Each
// opening is recorded with what the editor asked for.
class DocPickers {
public:
    struct Choice {
        QString name;
        int id = -1;
        double cenR = 0;
        double cenZ = 0;
        bool ok = true;
    };
    static Choice Cancelled() { return {QString(), -1, 0, 0, false}; }

    // Installs the three pickers in the program's windows.
    DocPickers();

    QList<Choice> stores;
    QList<Choice> klients;
    QList<Choice> goods;

    // What the editors asked the pickers for, in order.
    QList<TListGoodArgs> goodsAsked;
    QList<std::pair<int, bool>> klientKindsAsked; // the kind filter's entry and whether it is enabled
    int storesAsked = 0;

private:
    static int answer(QList<Choice>& queue, TSelectionSlot& slot);
};
