#pragma once

#include <QString>

class TStatusBar;
namespace kovrel {
struct RequestFailure;
}

// Frames one wait for the service on a status bar panel: "Ожидание ответа сервера ..." drawn
// at once when made, "Ответ получен." (or the text given to Finish) when it ends, however the
// call ended, unless the call failed: then the panel says why (Fail), never that an answer came.
class TServerWait {
public:
    TServerWait(TStatusBar& bar, int panel);
    ~TServerWait();
    TServerWait(const TServerWait&) = delete;
    TServerWait& operator=(const TServerWait&) = delete;

    // The text shown at the end instead of "Ответ получен.".
    void Finish(const QString& text) { m_doneText = text; }
    // The call failed: the panel ends with why.
    void Fail(const kovrel::RequestFailure& failure);

    static const QString kWaiting;
    static const QString kDone;

private:
    TStatusBar& m_bar;
    int m_panel;
    QString m_doneText;
};
