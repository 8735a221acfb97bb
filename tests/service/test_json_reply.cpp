#include "date_time.h"
#include "wire/json_reply.h"

#include <QTest>

using kovrel::wire::ReplyElement;
using kovrel::wire::ReplyError;

namespace {

ReplyElement element(const char* json) {
    return ReplyElement(kovrel::wire::ParseArray(QString::fromUtf8(json)).at(0));
}

// Every reading of every key, errors included, element by element.
template <class F>
QString attempt(F read) {
    try {
        return read();
    } catch (const ReplyError& e) {
        return QStringLiteral("!") + e.Message();
    }
}

QStringList readings(const ReplyElement& e) {
    QStringList out;
    for (const char* name : {"i", "d", "e", "neg", "zero", "s", "ru", "date", "t", "f", "n", "absent"}) {
        const QLatin1StringView key(name);
        out << QString::number(e.Has(key)) << attempt([&] { return QString::number(e.Int(key)); })
            << attempt([&] { return QString::number(e.Float(key), 'g', 17); })
            << attempt([&] { return e.Text(key); }) << QString::number(e.Date(key, -1), 'g', 17);
    }
    return out;
}

// The reply read straight from its bytes, and as a document; `elements` the count read.
void bothWays(const QByteArray& json, qsizetype* elements = nullptr) {
    QList<QStringList> direct, document;
    const QString text = QString::fromUtf8(json).trimmed();
    const QString error = attempt([&] {
        kovrel::wire::ReplyArray(json.trimmed()).ForEach([&](const ReplyElement& e) {
            direct << readings(e);
        });
        return QString();
    });
    const QString expected = attempt([&] {
        for (const QJsonValue& v : kovrel::wire::ParseArray(text))
            document << readings(ReplyElement(v));
        return QString();
    });
    QCOMPARE_EQ(error, expected);
    QCOMPARE_EQ(direct, document);
    if (elements) *elements = direct.size();
}

} // namespace

class TestJsonReply : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void integers() {
        const ReplyElement e = element(R"([{"n": 12.9, "neg": -12.9, "s": "57", "sf": "12.50", "t": true,
                                          "f": false, "z": null, "bad": "abc", "big": 3e10, "obj": {}}])");
        QCOMPARE(e.Int(QLatin1StringView("n")), 12);
        QCOMPARE(e.Int(QLatin1StringView("neg")), -12);
        QCOMPARE(e.Int(QLatin1StringView("s")), 57);
        QCOMPARE(e.Int(QLatin1StringView("sf")), 12);
        QCOMPARE(e.Int(QLatin1StringView("t")), 1);
        QCOMPARE(e.Int(QLatin1StringView("f")), 0);
        QCOMPARE(e.Int(QLatin1StringView("z")), 0);
        QCOMPARE(e.Int(QLatin1StringView("missing")), 0);
        QVERIFY_THROWS_EXCEPTION(ReplyError, e.Int(QLatin1StringView("bad")));
        QVERIFY_THROWS_EXCEPTION(ReplyError, e.Int(QLatin1StringView("big")));
        QVERIFY_THROWS_EXCEPTION(ReplyError, e.Int(QLatin1StringView("obj")));
    }

    void floats() {
        const ReplyElement e = element(R"([{"n": 12.5, "s": "12.50", "e": "1e3", "z": null, "bad": "12,5",
                                          "t": true}])");
        QCOMPARE(e.Float(QLatin1StringView("n")), 12.5);
        QCOMPARE(e.Float(QLatin1StringView("s")), 12.5);
        QCOMPARE(e.Float(QLatin1StringView("e")), 1000.0);
        QCOMPARE(e.Float(QLatin1StringView("z")), 0.0);
        QCOMPARE(e.Float(QLatin1StringView("missing")), 0.0);
        QVERIFY_THROWS_EXCEPTION(ReplyError, e.Float(QLatin1StringView("bad")));
        QVERIFY_THROWS_EXCEPTION(ReplyError, e.Float(QLatin1StringView("t")));
    }

    void texts() {
        const ReplyElement e = element(R"([{"s": "Ёлка", "i": 12, "d": 12.5, "z": null, "a": [1]}])");
        QCOMPARE(e.Text(QLatin1StringView("s")), QString::fromUtf8("Ёлка"));
        QCOMPARE(e.Text(QLatin1StringView("i")), QStringLiteral("12"));
        QCOMPARE(e.Text(QLatin1StringView("d")), QStringLiteral("12.5"));
        QCOMPARE(e.Text(QLatin1StringView("z")), QString());
        QCOMPARE(e.Text(QLatin1StringView("missing")), QString());
        QVERIFY_THROWS_EXCEPTION(ReplyError, e.Text(QLatin1StringView("a")));
    }

    void dates() {
        const ReplyElement e =
            element(R"([{"d": "2024-02-01", "dt": "2024-02-01 18:00:00", "zero": "0000-00-00",
                                          "empty": "", "n": 45323, "z": null}])");
        QCOMPARE(e.Date(QLatin1StringView("d")), kovrel::EncodeDate(2024, 2, 1));
        QCOMPARE(e.Date(QLatin1StringView("dt")), kovrel::EncodeDate(2024, 2, 1) + 0.75);
        QCOMPARE(e.Date(QLatin1StringView("zero")), 0.0);
        QCOMPARE(e.Date(QLatin1StringView("empty")), 0.0);
        QCOMPARE(e.Date(QLatin1StringView("n")), 0.0);
        QCOMPARE(e.Date(QLatin1StringView("z")), 0.0);
        QCOMPARE(e.Date(QLatin1StringView("missing")), 0.0);
    }

    void optionalKeysAreTold() {
        const ReplyElement e = element(R"([{"kol_plus_v": null}])");
        QVERIFY(e.Has(QLatin1StringView("kol_plus_v")));
        QVERIFY(!e.Has(QLatin1StringView("kol_minus_v")));
    }

    void bytesReadAsTheDocumentReads() {
        const QByteArray flat = R"( [{"i": 12, "d": 12.75, "e": -1.5e3, "neg": -7, "zero": -0, "s": "57",
            "ru": "Товар №1", "date": "2024-03-05 10:20:30", "t": true, "f": false, "n": null},
            {"i": 9007199254740993, "d": 0.1, "e": 2E-2, "s": " 1.5 ", "ru": "", "date": "x"}, {}] )";
        qsizetype elements = 0;
        bothWays(flat, &elements);
        QCOMPARE(elements, 3);
        // What the bytes are not read for goes the document's way, errors and all.
        for (const char* json :
             {"[{\"s\": \"a\\\"b\", \"ru\": \"\\u0416\"}]", "[{\"i\": {\"x\": 1}, \"d\": [1]}]",
              "[{\"i\": 1, \"i\": 2}]", "[{\"d\": -0.0, \"e\": 1e999}]", "[{\"i\": 1}, 5]", "[{\"i\": 1},]",
              "[{\"i\": 01}]", "[{\"s\": \"\xff\"}]", "{\"i\": 1}", ""})
            bothWays(json);
    }

    void wrongShapesAreErrors() {
        QVERIFY_THROWS_EXCEPTION(ReplyError, kovrel::wire::ParseArray(QStringLiteral("{\"a\":1}")));
        QVERIFY_THROWS_EXCEPTION(ReplyError, kovrel::wire::ParseArray(QStringLiteral("<html>Error</html>")));
        QVERIFY_THROWS_EXCEPTION(ReplyError, kovrel::wire::ParseArray(QString()));
        QVERIFY_THROWS_EXCEPTION(ReplyError, kovrel::wire::ParseObject(QStringLiteral("[]")));
        QVERIFY_THROWS_EXCEPTION(ReplyError, ReplyElement(QJsonValue(5)));
        QVERIFY(kovrel::wire::RelaxedNulls()); // switched on by the first parse, for good
    }
};

QTEST_GUILESS_MAIN(TestJsonReply)
#include "test_json_reply.moc"
