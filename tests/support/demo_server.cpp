#include "demo_server.h"

#include "demo_session.h"
#include "session.h"

#include <QTest>

bool DemoServer::Start() {
    if (!StartUnsigned()) return false;
    UseDemoAdmin();
    return true;
}

bool DemoServer::StartUnsigned() {
    m_db = std::make_unique<TestDatabase>();
    if (!m_db->Ok()) {
        m_error = m_db->Error();
        return false;
    }
    m_server = std::make_unique<ServerProcess>(*m_db);
    if (!m_server->Start({QStringLiteral("--demo")})) {
        m_error = m_server->Error();
        return false;
    }
    BaseURL = m_server->BaseUrl();
    return true;
}

void DemoServerTest::initTestCase() {
    if (!TestDatabase::SkipReason().isEmpty()) QSKIP(qPrintable(TestDatabase::SkipReason()));
}

void DemoServerTest::init() {
    m_demo = std::make_unique<DemoServer>();
    QVERIFY2(m_demo->Start(), qPrintable(m_demo->Error()));
}

void DemoServerTest::cleanup() {
    m_demo.reset();
}
