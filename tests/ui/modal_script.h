#pragma once

#include <QDialog>
#include <QPointer>

#include <functional>

class QTimer;

// Acts in a modal window while the code that opened it waits in its exec(): `act` runs as soon
// as a modal window other than the one active at construction is shown. When the test has failed
// by the time `act` returns, the window is closed with Cancel so that nothing is left waiting.
// Waits at most ten seconds, and no longer than this object lives.
class ModalAction {
public:
    explicit ModalAction(std::function<void(QDialog*)> act);
    ~ModalAction();
    ModalAction(const ModalAction&) = delete;
    ModalAction& operator=(const ModalAction&) = delete;

    // Whether a window came and `act` ran.
    bool Ran() const { return m_ran; }

private:
    void poll();

    std::function<void(QDialog*)> m_act;
    QPointer<QWidget> m_before;
    QTimer* m_timer;
    int m_polls = 0;
    bool m_ran = false;
};

// In the counterparty picker: checks that its kind list is free and on its first entry, switches
// it to `kindEntry` and chooses the entry of that name.
void ChooseKlient(QDialog* picker, int kindEntry, const QString& name);

// The child control of a window by its name; null (with a warning) when there is none.
template <class T>
T* Control(QWidget* window, const char* name) {
    T* w = window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    if (!w) qWarning("no control %s", name);
    return w;
}
