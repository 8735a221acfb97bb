#pragma once

#include "form_load.h"
#include "main_window_test.h"
#include "string_grid.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTimer>

#include <functional>

// Helpers of the tests of catalog editors and pickers, which run the real windows against the
// real service.
namespace catalog_test {

// Acts on the modal window of type W as soon as the code under test has opened it and waits in
// it; whatever happens, the window is closed afterwards so the test never hangs. The window is
// looked for by a timer, which a request's wait holds back until the window has opened.
template <class W>
void WhenShown(std::function<void(W*)> act) {
    constexpr int kTickMs = 10;
    auto* timer = new QTimer;
    auto* left = new int(1000); // ten seconds
    QObject::connect(timer, &QTimer::timeout, [timer, left, act] {
        QWidget* top = QApplication::activeModalWidget();
        auto* w = qobject_cast<W*>(top);
        if (!w && --*left > 0) return;
        timer->stop();
        timer->deleteLater();
        delete left;
        if (!w) {
            qWarning("the window expected is not the modal one (%s)",
                     top ? top->metaObject()->className() : "none");
            if (auto* d = qobject_cast<QDialog*>(top)) d->done(QDialog::Rejected);
            return;
        }
        act(w);
        if (w->isVisible()) w->done(QDialog::Rejected); // closed as it is, nothing asked
    });
    timer->start(kTickMs);
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

// The widget that Tab moves the focus to from `w`.
inline QWidget* NextTabStop(QWidget* w) {
    for (QWidget* n = w->nextInFocusChain(); n && n != w; n = n->nextInFocusChain())
        if ((n->focusPolicy() & Qt::TabFocus) && n->isVisibleTo(w->window()) && n->isEnabled()) return n;
    return nullptr;
}

// The labels of a window's rows, top to bottom, each with the control it names; a label that
// is not right-aligned shows as "<left>" followed by its text.
inline QList<QPair<QString, QWidget*>> LabelledRows(const QWidget* window) {
    QList<QLabel*> labels;
    for (QLabel* l : window->findChildren<QLabel*>())
        if (l->buddy()) labels << l;
    std::sort(labels.begin(), labels.end(), [](QLabel* a, QLabel* b) {
        return a->mapToGlobal(QPoint()).y() < b->mapToGlobal(QPoint()).y();
    });
    QList<QPair<QString, QWidget*>> out;
    for (QLabel* l : labels)
        out.append({(l->alignment() & Qt::AlignRight ? QString() : QStringLiteral("<left>")) + l->text(),
                    l->buddy()});
    return out;
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

// A named entry inserted by one of the operations that give its new ID.
inline int AddNamed(const QString& name, int kind, bool (TFormLoad::*insert)(TRecKlient&)) {
    TRecKlient r;
    r.Name = name;
    r.TypeKl = kind;
    TFormLoad fl;
    if (!(fl.*insert)(r)) qWarning("%s", qPrintable(Log(fl)));
    return r.ID;
}

inline int AddKlient(const QString& name, int kind) {
    return AddNamed(name, kind, &TFormLoad::InsertKlient);
}

inline int AddManager(const QString& name) {
    return AddNamed(name, 12, &TFormLoad::InsertManager);
}

inline int AddGroup(const QString& name) {
    return AddNamed(name, 0, &TFormLoad::InsertGroup);
}

// The requisites' labels and edit boxes, top to bottom, the participant ID last.
inline const QStringList& BankLabels() {
    static const QStringList labels = {"Полное наимен.",
                                       "Банк",
                                       "Расчетный счет",
                                       "Корр.счет",
                                       "БИК",
                                       "ИНН",
                                       "КПП",
                                       "Адрес",
                                       "Телефон",
                                       "ОГРН",
                                       "ОКПО",
                                       "ОКПД",
                                       "Руководитель",
                                       "Глав. бухгалтер",
                                       "Идентификатор участника ЭДО"};
    return labels;
}
inline const QStringList& BankEdits() {
    static const QStringList names = {"EdFullName", "EdBName", "EdRs",    "EdKs",   "EdBik",
                                      "EdInn",      "EdKpp",   "EdAdres", "EdTel",  "EdOgrn",
                                      "EdOkpo",     "EdOkpd",  "EdDir",   "EdGBuh", "EdEdoID"};
    return names;
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
