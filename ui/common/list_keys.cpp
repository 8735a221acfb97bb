#include "list_keys.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

namespace ListKeys {
const QString kAdd = QStringLiteral("Insert");
const QString kOpen = QStringLiteral("Enter, F2");
const QString kRemove = QStringLiteral("Delete");
const QString kRefresh = QStringLiteral("F5");
} // namespace ListKeys

namespace {

void bind(QWidget* owner, Qt::ShortcutContext context, std::initializer_list<int> keys,
          const std::function<void()>& action) {
    if (!action) return;
    for (int key : keys) {
        auto* shortcut = new QShortcut(QKeySequence(key), owner);
        shortcut->setContext(context);
        // A key held down would open one editor after another.
        shortcut->setAutoRepeat(false);
        QObject::connect(shortcut, &QShortcut::activated, owner, action);
    }
}

} // namespace

void BindListKeys(QWidget* page, QWidget* list, const TListKeyActions& actions) {
    bind(page, Qt::WidgetWithChildrenShortcut, {Qt::Key_Insert}, actions.add);
    bind(page, Qt::WidgetWithChildrenShortcut, {Qt::Key_F5}, actions.refresh);
    bind(list, Qt::WidgetShortcut, {Qt::Key_Return, Qt::Key_Enter, Qt::Key_F2}, actions.open);
    bind(list, Qt::WidgetShortcut, {Qt::Key_Delete}, actions.remove);
}

void SetKeyTip(QPushButton* button, const QString& keys) {
    button->setToolTip(button->text() + QStringLiteral(" (") + keys + QLatin1Char(')'));
}
