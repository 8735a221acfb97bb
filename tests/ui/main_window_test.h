#pragma once

#include "main_window_fixture.h"

#include <QObject>

// A test class of main windows: the service started once for the class, a fresh message script
// and the program's own windows for every test.
class MainWindowTest : public QObject {
    Q_OBJECT
protected:
    MainWindowFixture f;

    template <class T>
    T* find(TMainF& w, const char* name) {
        return MainWindowFixture::Find<T>(&w, name);
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY2(f.StartService(), qPrintable(f.Error())); }
    void init() { f.Init(); }
    void cleanup() { f.Cleanup(); }
};
