#pragma once

#include "request_waiter.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

// The small modal window of a request the service has not answered within two seconds:
// "Ожидание ответа сервера…" over "Отменить". "Отменить", Escape and the window's close box
// cancel the request, which then fails as any request without an answer does.
class TFormServerWait final : public QDialog {
    Q_OBJECT
public:
    explicit TFormServerWait(QWidget* owner);

    bool Cancelled() const { return m_cancelled; }
    // Escape and the close box come here too: the window closes, the request ends with the
    // next look at it.
    void reject() override;

    QLabel* LabWait = nullptr;
    QPushButton* ButCancel = nullptr;

    static const QString kText;

Q_SIGNALS:
    void CancelAsked();

private:
    bool m_cancelled = false;
};

// What the windows do while a request runs: the screen keeps being painted, and no window but
// the waiting window takes input: what is clicked or typed meanwhile is dropped, so nothing
// runs after the request that the person did not see happen; timers wait for the request's
// end. After kShowAfter without an answer the waiting window opens and offers to cancel. A
// request made while another waits (none should be) simply waits.
class TWindowRequestWaiter final : public QObject, public kovrel::RequestWaiter {
    Q_OBJECT
public:
    void Begin() override;
    bool Continue(std::chrono::milliseconds elapsed) override;
    void End() override;

    static constexpr std::chrono::milliseconds kShowAfter{2000};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ofWaitWindow(QObject* object) const;

    int m_depth = 0;
    bool m_cancelled = false;
    QPointer<TFormServerWait> m_window;
};

// Puts the windows' waiter in place for the rest of the run.
void InstallWindowWaiter();
