#include "combo_id.h"

#include <QComboBox>

void AddComboItem(QComboBox* box, const QString& text, int id) {
    box->addItem(text, id);
}

int GetComboID(const QComboBox* box, int def) {
    const int i = box->currentIndex();
    if (i < 0) return def;
    bool ok = false;
    const int id = box->itemData(i).toInt(&ok);
    return ok ? id : def;
}

void SetComboID(QComboBox* box, int id) {
    if (box->count() == 0) return;
    const int i = box->findData(id);
    box->setCurrentIndex(i >= 0 ? i : 0);
}
