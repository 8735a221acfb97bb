#pragma once

#include "server_process.h"
#include "test_database.h"

#include <QObject>
#include <QString>

#include <memory>

// A fresh database and the real kovrel-server on it with the demo data, with the client's
// BaseURL pointing there and its session signed in as the demo administrator.
class DemoServer {
public:
    // False with Error() set when the database or the server cannot start.
    bool Start();
    // The same, leaving the client's session as it was (windows sign in by themselves).
    bool StartUnsigned();
    QString Error() const { return m_error; }

    ServerProcess& Server() { return *m_server; }
    const TestDatabase& Database() const { return *m_db; }

private:
    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<ServerProcess> m_server;
    QString m_error;
};

// A test class whose every test function runs against its own DemoServer (Demo()); test data
// never leaks from one function into the next. Suites that cannot run here (PostgreSQL wanted
// but missing) are skipped.
class DemoServerTest : public QObject {
    Q_OBJECT

protected:
    DemoServer& Demo() { return *m_demo; }

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

private:
    std::unique_ptr<DemoServer> m_demo;
};
