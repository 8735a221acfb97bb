#include "form_edit_user.h"

#include "controls.h"
#include "fresh_request.h"
#include "right_codes.h"
#include "user_interaction.h"
#include "window_frame.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

constexpr int kUserEditWidth = 280;
constexpr int kDayBoxWidth = 68;

// The rights list groups the codes under three headers by area: documents, lists, reports.
QString headerOf(int code) {
    switch (code / 1000) {
    case 5:
        return QStringLiteral("Доступ к спискам");
    case 6:
        return QStringLiteral("Доступ к отчетам");
    default:
        return QStringLiteral("Доступ к документам");
    }
}

QString key(int code) {
    return QString::number(code);
}

} // namespace

TFormEditUser::TFormEditUser(QWidget* owner, TRecUser& rec)
    : TEditorWindow(owner, QStringLiteral("Редактирование пользователя"), {484, 681})
    , LocalRec(rec) {
    setObjectName(QStringLiteral("FormEditUser"));
    QWidget* top = buildTopPanel();
    CLBoxUR = new QListWidget(this);
    CLBoxUR->setObjectName(QStringLiteral("CLBoxUR"));
    QWidget* limits = buildDayLimits();
    QVBoxLayout* layout = StackLayout(this);
    layout->addWidget(top);
    layout->addWidget(CLBoxUR, 1);
    layout->addWidget(limits);
    layout->addWidget(MakeButtonPanel(55));
    FormCreate();
    WatchAllInputs();
}

QWidget* TFormEditUser::buildTopPanel() {
    auto* panel = new QWidget(this);
    panel->setFixedHeight(130);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(12, 6, 12, 6);
    column->setSpacing(2);
    EdName = MakeEdit(panel, "EdName", kUserEditWidth);
    EdPrim = MakeEdit(panel, "EdPrim", kUserEditWidth);
    ButNewPas = MakeButton(panel, "ButNewPas", QStringLiteral("Отправить пользователю новый пароль"),
                           kUserEditWidth, 25);
    // Each label stands above its box: the login's label is too long to stand beside it.
    for (const auto& [text, edit] : {std::pair{QStringLiteral("Имя пользователя"), EdName},
                                     std::pair{QStringLiteral("Логин (E-Mail) пользлвателя"), EdPrim}}) {
        QLabel* label = MakeLabel(panel, text);
        label->setBuddy(edit);
        column->addWidget(label);
        column->addWidget(edit);
    }
    RequireName(EdName, QStringLiteral("Необходимо указать имя пользователя !"));
    column->addSpacing(4);
    column->addWidget(ButNewPas);
    column->addStretch(1);
    connect(ButNewPas, &QPushButton::clicked, this, &TFormEditUser::ButNewPasClick);
    return panel;
}

QWidget* TFormEditUser::buildDayLimits() {
    auto* panel = new QWidget(this);
    panel->setFixedHeight(160);
    auto* grid = new QGridLayout(panel);
    grid->setVerticalSpacing(2);
    static const QRegularExpression upToThreeDigits(QStringLiteral("\\d{0,3}"));
    for (const RightCode& r : AllRightCodes()) {
        if (r.kind != RightKind::DaysLock) continue;
        const QByteArray name = "EdUR" + QByteArray::number(r.code);
        QLineEdit* box = MakeEdit(panel, name.constData(), kDayBoxWidth);
        box->setValidator(new QRegularExpressionValidator(upToThreeDigits, box));
        box->setText(QStringLiteral("0"));
        AddLabelledRow(grid, QString::fromUtf8(r.text), box);
        DayLimitBoxes << box;
        m_dayCodes << r.code;
    }
    grid->setColumnStretch(2, 1);
    return panel;
}

void TFormEditUser::addRightItems() {
    QString header;
    for (const RightCode& r : AllRightCodes()) {
        if (r.kind == RightKind::DaysLock) continue;
        if (headerOf(r.code) != header) {
            header = headerOf(r.code);
            auto* item = new QListWidgetItem(header, CLBoxUR);
            item->setFlags(Qt::ItemIsEnabled);
            item->setData(Qt::UserRole, 0);
            item->setBackground(CLBoxUR->palette().toolTipBase());
            item->setForeground(CLBoxUR->palette().toolTipText());
        }
        auto* item = new QListWidgetItem(QString::fromUtf8(r.text), CLBoxUR);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setData(Qt::UserRole, r.code);
        item->setCheckState(Qt::Unchecked);
    }
}

int TFormEditUser::CodeOf(const QListWidgetItem* item) {
    return item->data(Qt::UserRole).toInt();
}

void TFormEditUser::FormCreate() {
    addRightItems();
    EdName->setText(LocalRec.UserName);
    EdPrim->setText(LocalRec.DopLogin);
    OnFreshRequest([this](TFormLoad& fl) { fl.SelectUserRights(LocalRec.ID, ListUR); });
    showRights();
    if (LocalRec.ID <= 0) {
        ButNewPas->setEnabled(false);
        CLBoxUR->setEnabled(false);
        for (QLineEdit* box : DayLimitBoxes)
            box->setEnabled(false);
    }
}

void TFormEditUser::showRights() {
    for (int i = 0; i < CLBoxUR->count(); ++i) {
        QListWidgetItem* item = CLBoxUR->item(i);
        const TRecUserRights* r = CodeOf(item) ? ListUR.Find(key(CodeOf(item))) : nullptr;
        if (r && r->ur == 1) item->setCheckState(Qt::Checked);
    }
    for (qsizetype i = 0; i < DayLimitBoxes.size(); ++i)
        if (const TRecUserRights* r = ListUR.Find(key(m_dayCodes[i])))
            DayLimitBoxes[i]->setText(QString::number(r->ur));
}

void TFormEditUser::readRights() {
    for (int i = 0; i < CLBoxUR->count(); ++i) {
        const QListWidgetItem* item = CLBoxUR->item(i);
        if (TRecUserRights* r = CodeOf(item) ? ListUR.Find(key(CodeOf(item))) : nullptr)
            r->ur = item->checkState() == Qt::Checked ? 1 : 0;
    }
    for (qsizetype i = 0; i < DayLimitBoxes.size(); ++i) {
        TRecUserRights* r = ListUR.Find(key(m_dayCodes[i]));
        if (!r) continue;
        bool ok = false;
        const int days = DayLimitBoxes[i]->text().trimmed().toInt(&ok);
        r->ur = ok ? days : 0;
    }
}

bool TFormEditUser::Save() {
    LocalRec.UserName = EdName->text().trimmed();
    LocalRec.DopLogin = EdPrim->text().trimmed();
    readRights();
    if (LocalRec.ID <= 0) return Change([this](TFormLoad& fl) { return fl.InsertUser(LocalRec); });
    return Change([this](TFormLoad& fl) { return fl.UpdateUser(LocalRec); }) &&
           Change([this](TFormLoad& fl) { return fl.UpdateUserRights(LocalRec.ID, ListUR); });
}

void TFormEditUser::ButNewPasClick() {
    if (LocalRec.ID <= 0) return;
    LocalRec.DopLogin = EdPrim->text().trimmed();
    TFormLoad fl;
    if (fl.CreateNewPas(LocalRec.ID, LocalRec.DopLogin))
        ShowInfo(QStringLiteral("Пароль отправлен на электронную почту пользователя."));
    else
        ShowRefusal(fl); // a password that was not sent must not look as if it was
}
