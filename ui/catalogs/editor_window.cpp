#include "editor_window.h"

#include "controls.h"
#include "user_interaction.h"
#include "window_frame.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kButtonWidth = 120;
constexpr int kButtonHeight = 25;
} // namespace

const QString TEditorWindow::kNameWanted = QStringLiteral("Необходимо указать наименование !");

TEditorWindow::TEditorWindow(QWidget* owner, const QString& caption, QSize client)
    : TEditorDialog(owner) {
    FrameWindow(this, caption, client, kFontPixels);
}

QWidget* TEditorWindow::MakeButtonPanel(int height) {
    auto* panel = new QWidget(this);
    panel->setFixedHeight(height);
    ButCancel = MakeButton(panel, "ButCancel", QStringLiteral("Отменить"), kButtonWidth, kButtonHeight);
    ButSave = MakeButton(panel, "ButSave", QStringLiteral("Сохранить"), kButtonWidth, kButtonHeight);
    auto* row = new QHBoxLayout(panel);
    row->addWidget(ButCancel);
    row->addStretch(1);
    row->addWidget(ButSave);
    connect(ButCancel, &QPushButton::clicked, this, &TEditorWindow::ButCancelClick);
    connect(ButSave, &QPushButton::clicked, this, &TEditorWindow::ButSaveClick);
    return panel;
}

QGridLayout* TEditorWindow::FieldsOverButtons(int buttonPanelHeight) {
    auto* fields = new QWidget(this);
    auto* grid = new QGridLayout(fields);
    grid->setColumnStretch(2, 1);
    QVBoxLayout* layout = StackLayout(this);
    layout->addWidget(fields);
    layout->addStretch(1);
    layout->addWidget(MakeButtonPanel(buttonPanelHeight));
    return grid;
}

void TEditorWindow::AddNameRows(QGridLayout* grid, QLineEdit*& name, QLineEdit*& prim) {
    name = MakeEdit(grid->parentWidget(), "EdName", kEditWidth);
    prim = MakeEdit(grid->parentWidget(), "EdPrim", kEditWidth);
    AddLabelledRow(grid, QStringLiteral("Наименование"), name);
    AddLabelledRow(grid, QStringLiteral("Примечание"), prim);
    RequireName(name, kNameWanted);
}

void TEditorWindow::RequireName(QLineEdit* box, const QString& message) {
    m_nameBox = box;
    m_nameWanted = message;
}

void TEditorWindow::ButSaveClick() {
    // A blank name would show as an empty line in every list, document and report.
    if (m_nameBox && m_nameBox->text().trimmed().isEmpty()) {
        ShowInfo(m_nameWanted);
        m_nameBox->setFocus();
        return;
    }
    m_closeUnknown = false;
    if (Save())
        accept();
    else if (m_closeUnknown)
        Discard();
}

void TEditorWindow::ButCancelClick() {
    Discard();
}

TChange TEditorWindow::Change(const std::function<bool(TFormLoad&)>& change,
                              const std::function<bool()>& reread) {
    // Without `reread`, what the service holds is read by the page, as the window closes.
    const TChange c = ChangeOnFreshRequest(
        change, nullptr, 0, reread ? reread : [] { return true; });
    if (c.unknown && !reread) m_closeUnknown = true;
    return c;
}
