#include "form_edit_kl.h"

#include "bank_fields.h"
#include "combo_id.h"
#include "controls.h"
#include "fresh_request.h"
#include "window_frame.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// What each kind shows; the first tab listed is the one shown first.
struct KindView {
    int typeKl;
    const char* caption;
    bool atrib;   // "Реквизиты": requisites shown and editable
    bool right;   // "Права доступа"
    bool manager; // "Доп.свойства"
};

const KindView kKinds[] = {
    {TypeKlKind::Klient, "Редактирование покупателя или поставщика", true, false, true},
    {TypeKlKind::Account, "Редактирование расчетного счета или кассы", false, false, false},
    {TypeKlKind::Overhead, "Редактирование накладных расходов", false, false, false},
    {TypeKlKind::Investment, "Редактирование вложения/изъятия", false, false, false},
    {TypeKlKind::Store, "Редактирование склада", false, true, false},
    {TypeKlKind::Organization, "Редактирование своей организации", true, false, false},
    {TypeKlKind::Manager, "Редактирование менеджера", false, false, false},
};

const KindView& viewOf(int typeKl) {
    static const KindView unknown{0, "", false, false, false};
    for (const KindView& k : kKinds)
        if (k.typeKl == typeKl) return k;
    return unknown;
}

// The manager entry that stands for "no manager".
constexpr int kNoManager = 1;

Qt::CheckState stateOf(int ur) {
    if (ur == 0) return Qt::Unchecked;
    if (ur == 2) return Qt::PartiallyChecked;
    return Qt::Checked;
}

int urOf(Qt::CheckState state) {
    switch (state) {
    case Qt::Unchecked:
        return 0;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Checked:
        break;
    }
    return 1;
}

} // namespace

QString TFormEditKl::Caption(int typeKl) {
    return QString::fromUtf8(viewOf(typeKl).caption);
}

TFormEditKl::TFormEditKl(QWidget* owner, TRecKlient& rec)
    : TEditorWindow(owner, Caption(rec.TypeKl), {484, 661})
    , LocalRec(rec) {
    setObjectName(QStringLiteral("FormEditKl"));
    auto* top = new QFrame(this);
    buildTopPanel(top);
    PControl = new QTabWidget(this);
    PControl->setObjectName(QStringLiteral("PControl"));
    buildPages();
    QWidget* bottom = MakeButtonPanel(50);

    QVBoxLayout* layout = StackLayout(this);
    layout->addWidget(top);
    layout->addWidget(PControl, 1);
    layout->addStretch(0);
    layout->addWidget(bottom);

    QWidget::setTabOrder(m_bank->ChainTabOrder(EdPrim), CLBRight);
    QWidget::setTabOrder(CLBRight, ComBoxManager);
    QWidget::setTabOrder(ComBoxManager, ButCancel);
    QWidget::setTabOrder(ButCancel, ButSave);
    FormCreate();
    WatchAllInputs();
}

TFormEditKl::~TFormEditKl() = default;

void TFormEditKl::buildTopPanel(QWidget* panel) {
    panel->setObjectName(QStringLiteral("PanelTop"));
    panel->setFixedHeight(87);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    panel->setPalette(white);
    auto* grid = new QGridLayout(panel);
    AddNameRows(grid, EdName, EdPrim);
    grid->setColumnStretch(2, 1);
}

void TFormEditKl::buildPages() {
    // The pages join the page control first, so the tab order set inside them holds.
    const auto page = [this](const char* name, const QString& caption) {
        auto* p = new QWidget;
        p->setObjectName(QString::fromLatin1(name));
        PControl->addTab(p, caption);
        return p;
    };
    TSAtrib = page("TSAtrib", QStringLiteral("Реквизиты"));
    TSRight = page("TSRight", QStringLiteral("Права доступа"));
    TSManager = page("TSManager", QStringLiteral("Доп.свойства"));

    auto* atrib = new QGridLayout(TSAtrib);
    atrib->setVerticalSpacing(3);
    m_bank = std::make_unique<TBankFields>(TSAtrib, atrib, kEditWidth);
    atrib->setRowStretch(atrib->rowCount(), 1);
    atrib->setColumnStretch(2, 1);

    CLBRight = new QListWidget(TSRight);
    CLBRight->setObjectName(QStringLiteral("CLBRight"));
    auto* right = new QVBoxLayout(TSRight);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(CLBRight);

    auto* manager = new QGridLayout(TSManager);
    ComBoxManager = MakeCombo(TSManager, "ComBoxManager", {}, kEditWidth);
    AddLabelledRow(manager, QStringLiteral("Менеджер"), ComBoxManager);
    manager->setRowStretch(1, 1);
    manager->setColumnStretch(2, 1);
}

void TFormEditKl::FormCreate() {
    const KindView& view = viewOf(LocalRec.TypeKl);
    PControl->setTabVisible(PControl->indexOf(TSAtrib), view.atrib);
    PControl->setTabVisible(PControl->indexOf(TSRight), view.right);
    PControl->setTabVisible(PControl->indexOf(TSManager), view.manager);
    // With no tab to show, the page control shows nothing either.
    PControl->setVisible(view.atrib || view.right || view.manager);
    if (view.atrib)
        PControl->setCurrentWidget(TSAtrib);
    else if (view.right)
        PControl->setCurrentWidget(TSRight);

    BankRec = std::make_unique<TRecBank>();
    BankRec->ID = LocalRec.ID;
    bool requisitesRead = true;
    if (LocalRec.ID > 0)
        requisitesRead =
            AnsweredOnFreshRequest([this](TFormLoad& fl) { BankRec = fl.SelectBank(LocalRec.ID); });
    if (LocalRec.TypeKl == TypeKlKind::Klient) fillManagers();
    if (LocalRec.TypeKl == TypeKlKind::Store && LocalRec.ID > 0) fillStoreRights();

    EdName->setText(LocalRec.Name);
    EdPrim->setText(LocalRec.Prim);
    // Requisites that could not be read are neither shown nor sent: a save must not overwrite
    // with blanks what nobody has seen. Kinds without requisites send them empty all the same.
    m_sendRequisites = !view.atrib || requisitesRead;
    if (view.atrib && requisitesRead)
        m_bank->Show(*BankRec);
    else
        m_bank->ClearAndDisable();
}

void TFormEditKl::fillManagers() {
    RecordList<TRecKlient> managers;
    m_managersRead =
        AnsweredOnFreshRequest([&](TFormLoad& fl) { fl.SelectManagerList(managers, QString()); });
    ComBoxManager->clear();
    AddComboItem(ComBoxManager, QStringLiteral("-"), kNoManager);
    for (const auto& m : managers)
        AddComboItem(ComBoxManager, m->Name, m->ID);
    SetComboID(ComBoxManager, LocalRec.ManagerID);
    // Without the list the counterparty keeps its manager rather than losing it to "-".
    ComBoxManager->setEnabled(m_managersRead);
}

void TFormEditKl::fillStoreRights() {
    OnFreshRequest([this](TFormLoad& fl) { fl.SelectStoreRightsOnStore(LocalRec.ID, ListSR); });
    CLBRight->clear();
    for (const auto& sr : ListSR) {
        auto* item = new QListWidgetItem(sr->userName, CLBRight);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                       Qt::ItemIsUserTristate);
        item->setData(Qt::UserRole, sr->idUser);
        item->setCheckState(stateOf(sr->ur));
    }
}

void TFormEditKl::readControls() {
    LocalRec.Name = EdName->text().trimmed();
    LocalRec.Prim = EdPrim->text().trimmed();
    m_bank->Read(*BankRec);
    if (LocalRec.TypeKl == TypeKlKind::Klient && m_managersRead)
        LocalRec.ManagerID = GetComboID(ComBoxManager, 0);
    if (LocalRec.TypeKl != TypeKlKind::Store) return;
    for (int i = 0; i < CLBRight->count(); ++i) {
        const QListWidgetItem* item = CLBRight->item(i);
        const int user = item->data(Qt::UserRole).toInt();
        for (const auto& sr : ListSR)
            if (sr->idUser == user) {
                sr->ur = urOf(item->checkState());
                break;
            }
    }
}

bool TFormEditKl::Save() {
    if (QLineEdit* wrong = m_bank->RefusedChange()) {
        PControl->setCurrentWidget(TSAtrib);
        wrong->setFocus();
        return false;
    }
    readControls();
    return LocalRec.ID < 1 ? insertRecord() : updateRecord();
}

bool TFormEditKl::insertRecord() {
    switch (LocalRec.TypeKl) {
    case TypeKlKind::Store:
        return Change([this](TFormLoad& fl) { return fl.InsertStore(LocalRec); });
    case TypeKlKind::Manager:
        return Change([this](TFormLoad& fl) { return fl.InsertManager(LocalRec); });
    default:
        break;
    }
    const bool inserted = Change([this](TFormLoad& fl) { return fl.InsertKlient(LocalRec); });
    // Without an identifier from the service there is nothing to attach the requisites to.
    if (LocalRec.ID <= 0) return inserted;
    BankRec->ID = LocalRec.ID;
    return inserted && sendRequisites();
}

bool TFormEditKl::updateRecord() {
    switch (LocalRec.TypeKl) {
    case TypeKlKind::Store:
        return Change([this](TFormLoad& fl) { return fl.UpdateStore(LocalRec); }) &&
               Change([this](TFormLoad& fl) { return fl.UpdateStoreRightsOnStore(LocalRec.ID, ListSR); });
    case TypeKlKind::Manager:
        return Change([this](TFormLoad& fl) { return fl.UpdateManager(LocalRec); });
    default:
        break;
    }
    return Change([this](TFormLoad& fl) { return fl.UpdateKlient(LocalRec); }) && sendRequisites();
}

bool TFormEditKl::sendRequisites() {
    if (!m_sendRequisites) return true;
    return m_bank->Send(*BankRec, [this](const auto& change) { return bool(Change(change)); });
}
