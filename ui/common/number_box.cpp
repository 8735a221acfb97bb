#include "number_box.h"

#include "number_text.h"
#include "user_interaction.h"

#include <QLineEdit>
#include <QRegularExpression>

namespace {

const char* const kRefused = "kovrelRefused";
const char* const kWatched = "kovrelRefusedWatched";

std::nullopt_t refuse(QLineEdit* box, const QString& reason) {
    ShowInfo(reason);
    MarkRefused(box, reason);
    return std::nullopt;
}

} // namespace

std::optional<double> ReadNumberBox(QLineEdit* box, const QString& field) {
    const QString text = box->text().trimmed();
    if (IsFloatText(text)) return ParseFloatDef(text, 0);
    return refuse(box, text.isEmpty()
                           ? QStringLiteral("В поле «%1» должно быть число.").arg(field)
                           : QStringLiteral("В поле «%1» должно быть число, а не «%2».").arg(field, text));
}

std::optional<int> ReadNumberLinkBox(QLineEdit* box, const QString& field, int whenEmpty) {
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,9}$"));
    const QString text = box->text().trimmed();
    if (text.isEmpty()) return whenEmpty;
    if (digits.match(text).hasMatch()) return text.toInt();
    return refuse(box,
                  QStringLiteral("В поле «%1» должен быть номер документа, а не «%2».").arg(field, text));
}

void MarkRefused(QLineEdit* box, const QString& reason) {
    box->setProperty(kRefused, true);
    box->setStyleSheet(QStringLiteral("QLineEdit { background-color: #ffd8d8; }"));
    box->setToolTip(reason);
    box->setFocus();
    box->selectAll();
    if (box->property(kWatched).toBool()) return;
    box->setProperty(kWatched, true);
    // The mark goes with the first change the person makes.
    QObject::connect(box, &QLineEdit::textEdited, box, [box] {
        if (!IsMarkedRefused(box)) return;
        box->setProperty(kRefused, false);
        box->setStyleSheet(QString());
        box->setToolTip(QString());
    });
}

bool IsMarkedRefused(const QLineEdit* box) {
    return box->property(kRefused).toBool();
}
