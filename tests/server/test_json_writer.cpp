// The service's JSON writer: what it writes must read back exactly, through the client's reader.
#include "bound_sql.h"
#include "database.h"
#include "json_writer.h"
#include "wire/json_reply.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

using kovrel::server::JsonWriter;

class TestJsonWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void nestingAndSeparators() {
        JsonWriter w;
        w.BeginArray();
        w.BeginObject()
            .Field(QLatin1StringView("a"), 1)
            .Field(QLatin1StringView("b"), QStringLiteral("x"))
            .EndObject();
        w.BeginObject().EndObject();
        w.BeginArray().Int(1).Int(2).EndArray();
        w.EndArray();
        QCOMPARE(w.Take(), QByteArray(R"([{"a":1,"b":"x"},{},[1,2]])"));
        // A writer is reusable after Take().
        w.BeginArray().EndArray();
        QCOMPARE(w.Take(), QByteArray("[]"));
    }

    void numbersAreShortestAndExact_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("whole") << 12.0 << QByteArray("12");
        QTest::newRow("price") << 12.5 << QByteArray("12.5");
        QTest::newRow("tenth") << 0.1 << QByteArray("0.1");
        QTest::newRow("negative") << -0.25 << QByteArray("-0.25");
        QTest::newRow("negative zero") << -0.0 << QByteArray("0");
        QTest::newRow("sum of tenths") << 0.1 + 0.2 << QByteArray("0.30000000000000004");
        QTest::newRow("large") << 1e21 << QByteArray("1e+21");
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << QByteArray("null");
        QTest::newRow("nan") << std::nan("") << QByteArray("null");
    }
    void numbersAreShortestAndExact() {
        QFETCH(double, value);
        QFETCH(QByteArray, text);
        JsonWriter w;
        w.Number(value);
        const QByteArray out = w.Take();
        QCOMPARE(out, text);
        if (std::isfinite(value)) {
            const QJsonArray back = QJsonDocument::fromJson("[" + out + "]").array();
            QCOMPARE(back.at(0).toDouble(), value);
        }
    }

    void stringsSurviveTheClientsReader() {
        QString every;
        for (char16_t c = 0; c < 0x80; ++c)
            every.append(QChar(c));
        every += QString::fromUtf8("Ёлка «ель» – 5 € \U0001F600\u2028");
        JsonWriter w;
        w.BeginArray().BeginObject().Field(QLatin1StringView("name"), every).EndObject().EndArray();
        const QByteArray out = w.Take();
        QVERIFY(!out.contains('\n') && !out.contains('\x01'));
        const QJsonArray parsed = kovrel::wire::ParseArray(QString::fromUtf8(out));
        QCOMPARE(kovrel::wire::ReplyElement(parsed.at(0)).Text(QLatin1StringView("name")), every);
    }

    // Rows of a query, thousands of them so that the reply grows many times: every value reads
    // back as it was stored, NULL as null, and no rows make an empty array.
    void rowsOfAQuery() {
        QTemporaryDir dir;
        QString error;
        kovrel::server::Database db(*kovrel::server::DatabaseAddress::Parse(
            QStringLiteral("sqlite:") + dir.filePath(QStringLiteral("rows.sqlite")), &error));
        QVERIFY(db.Open());
        db.Exec(QStringLiteral("CREATE TABLE t (i INTEGER, d DOUBLE PRECISION, s TEXT, n TEXT)"));
        const QString odd = QStringLiteral("«кавычки» \"quotes\" back\\slash\ttab\nline");
        db.Exec(QStringLiteral("BEGIN"));
        for (int i = 0; i < 3000; ++i)
            db.Query(QStringLiteral("INSERT INTO t VALUES (?, ?, ?, NULL)"))
                .Bind(i - 1500)
                .Bind(i / 8.0)
                .Bind(odd + QString::number(i))
                .Run();
        db.Exec(QStringLiteral("COMMIT"));
        const QJsonArray rows = kovrel::wire::ParseArray(QString::fromUtf8(kovrel::server::JsonArrayOfRows(
            db, {QStringLiteral("SELECT i AS \"ID\", d, s, n FROM t ORDER BY rowid"), {}})));
        QCOMPARE(rows.size(), 3000);
        for (int i = 0; i < rows.size(); i += 7) {
            const kovrel::wire::ReplyElement e(rows.at(i));
            QCOMPARE(e.Int(QLatin1StringView("ID")), i - 1500);
            QCOMPARE(e.Float(QLatin1StringView("d")), i / 8.0);
            QCOMPARE(e.Text(QLatin1StringView("s")), odd + QString::number(i));
            QVERIFY(rows.at(i).toObject().value(QLatin1String("n")).isNull());
        }
        QCOMPARE(
            kovrel::server::JsonArrayOfRows(db, {QStringLiteral("SELECT i FROM t WHERE i > ?"), {99999}}),
            QByteArray("[]"));
    }
};

QTEST_GUILESS_MAIN(TestJsonWriter)
#include "test_json_writer.moc"
