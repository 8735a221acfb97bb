#pragma once

#include "form_load.h"
#include "main_window_test.h"
#include "string_grid.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

// Helpers of the tests of catalog editors and pickers, which run the real windows against the
// real service.
namespace catalog_test {

// Acts on the modal window of type W as soon as the code under test has opened it and waits in
// it; whatever happens, the window is closed afterwards so the test never hangs.
template <class W>
void WhenShown(std::function<void(W*)> act) {
    QTimer::singleShot(0, [act] {
        QWidget* top = QApplication::activeModalWidget();
        auto* w = qobject_cast<W*>(top);
        if (!w) {
            qWarning("the window expected is not the modal one (%s)",
                     top ? top->metaObject()->className() : "none");
            if (auto* d = qobject_cast<QDialog*>(top)) d->reject();
            return;
        }
        act(w);
        if (w->isVisible()) w->reject();
    });
}

// Texts of one column below the fixed row, top to bottom.
inline QStringList Column(const StringGrid* g, int col) {
    QStringList out;
    for (int r = g->FixedRows(); r < g->RowCount(); ++r)
        out << g->Cells(col, r);
    return out;
}

// The first row at or below the fixed row whose cell in `col` holds the text, or -1.
inline int RowOf(const StringGrid* g, int col, const QString& text) {
    for (int r = g->FixedRows(); r < g->RowCount(); ++r)
        if (g->Cells(col, r) == text) return r;
    return -1;
}

inline QString Log(const TFormLoad& fl) {
    return fl.MemoInfo.join(QLatin1Char('\n'));
}

// Catalog entries made through the service as whoever is signed in; the ID where the service
// tells it, else 0.
inline int AddStore(const QString& name) {
    TRecKlient r;
    r.Name = name;
    TFormLoad fl;
    if (!fl.InsertStore(r)) qWarning("%s", qPrintable(Log(fl)));
    RecordList<TRecKlient> l;
    fl.SelectStoreList(l, name);
    return l.size() == 1 ? l.front()->ID : 0;
}

inline int AddKlient(const QString& name, int kind, int manager = 1) {
    TRecKlient r;
    r.Name = name;
    r.TypeKl = kind;
    r.ManagerID = manager;
    TFormLoad fl;
    if (!fl.InsertKlient(r)) qWarning("%s", qPrintable(Log(fl)));
    return r.ID;
}

inline int AddManager(const QString& name) {
    TRecKlient r;
    r.Name = name;
    r.TypeKl = 12;
    TFormLoad fl;
    if (!fl.InsertManager(r)) qWarning("%s", qPrintable(Log(fl)));
    return r.ID;
}

inline int AddGroup(const QString& name) {
    TRecKlient r;
    r.Name = name;
    TFormLoad fl;
    if (!fl.InsertGroup(r)) qWarning("%s", qPrintable(Log(fl)));
    return r.ID;
}

// A goods item with these fields; its ID read back by its (unique) name, else 0.
inline int AddGood(TRecGood g) {
    TFormLoad fl;
    if (!fl.InsertGood(g)) qWarning("%s", qPrintable(Log(fl)));
    RecordList<TRecGood> l;
    fl.SelectGoodList(l, g.Name, false);
    return l.size() == 1 ? l.front()->ID : 0;
}

inline TRecGood Good(const QString& name, double pcen = 0, double pack = 1) {
    TRecGood g;
    g.Name = name;
    g.PCen = pcen;
    g.Pack = pack;
    return g;
}

} // namespace catalog_test
