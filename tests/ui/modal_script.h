#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

// What the user does in modal windows. A modal window holds the test inside its exec(), so the
// steps are queued beforehand and run from the window's own event loop, each on the next modal
// window that opens (a window is acted on once). A step may open further modal windows; the
// following steps then act on those. A modal window left open with no step for it is closed
// after a while and the test fails, so a mistake never hangs the run.
class ModalScript {
public:
    using Step = std::function<void(QWidget* window)>;

    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalScript& Then(Step step);
    int Pending() const { return static_cast<int>(m_steps.size()); }

    // A step's window as its own type; fails the test when it is something else.
    template <class T>
    static T* As(QWidget* window) {
        T* typed = qobject_cast<T*>(window);
        if (!typed) qWarning("modal window %s is not the one expected", qPrintable(window->objectName()));
        return typed;
    }

private:
    void tick();
    bool seen(const QWidget* window) const;

    QQueue<Step> m_steps;
    QList<QPointer<QWidget>> m_seen;
    std::unique_ptr<QObject> m_context; // pending ticks end with it
    QPointer<QWidget> m_idle;           // the open window no step acted on
    int m_idleTicks = 0;
};

// What a test does while a request waits for the service: the program's own waiter runs the
// wait, and each step is taken once, from within it, the first time its moment has come. No
// timer fires during a wait, so this is how a test acts then. In place while it lives.
class WaitScript {
public:
    WaitScript();
    ~WaitScript();
    WaitScript(const WaitScript&) = delete;
    WaitScript& operator=(const WaitScript&) = delete;

    // After the request has waited `ms`.
    WaitScript& At(int ms, std::function<void()> step);
    // As soon as the waiting window ("Ожидание ответа сервера…") shows.
    WaitScript& WhenShown(std::function<void(QWidget* waitWindow)> step);

    struct Step {
        std::function<bool(qint64 elapsedMs)> due;
        std::function<void()> act;
        bool done = false;
    };

private:
    std::shared_ptr<std::vector<Step>> m_steps;
};
// The waiting window shown now, or null.
QWidget* WaitWindow();

// In the counterparty picker: checks that its kind list is free and on its first entry, switches
// it to `kindEntry` and chooses the entry of that name.
void ChooseKlient(QWidget* picker, int kindEntry, const QString& name);

// The child control of a window by its name; null (with a warning) when there is none.
template <class T>
T* Control(QWidget* window, const char* name) {
    T* w = window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    if (!w) qWarning("no control %s", name);
    return w;
}
