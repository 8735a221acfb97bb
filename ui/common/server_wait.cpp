#include "server_wait.h"

#include "request_failure.h"
#include "status_bar.h"

#include <QLabel>

const QString TServerWait::kWaiting = QStringLiteral("Ожидание ответа сервера ...");
const QString TServerWait::kDone = QStringLiteral("Ответ получен.");

TServerWait::TServerWait(TStatusBar& bar, int panel)
    : m_bar(bar)
    , m_panel(panel)
    , m_doneText(kDone) {
    m_bar.SetPanelText(m_panel, kWaiting, true);
}

TServerWait::~TServerWait() {
    m_bar.SetPanelText(m_panel, m_doneText);
}

void TServerWait::Fail(const kovrel::RequestFailure& failure) {
    m_doneText = failure.text;
}
