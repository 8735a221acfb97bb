#include "wire/multipart_form.h"
#include "wire/multipart_parser.h"
#include "wire/quoted_printable.h"

#include <QRandomGenerator>
#include <QTest>

using kovrel::wire::MultipartForm;
using kovrel::wire::ParseMultipartForm;

namespace {

const QByteArray kBoundary = "--------120924153012345";

QByteArray part(const char* name, const QByteArray& encodedValue, bool utf8 = false) {
    QByteArray p = "----------120924153012345\r\n";
    p += QByteArray("Content-Disposition: form-data; name=\"") + name + "\"\r\n";
    p += utf8 ? "Content-Type: text/plain; charset=\"utf-8\"\r\n" : "Content-Type: text/plain\r\n";
    p += "Content-Transfer-Encoding: quoted-printable\r\n\r\n";
    p += encodedValue;
    return p;
}

QByteArray closing() {
    return "----------120924153012345--\r\n";
}

QByteArray encodeOne(const QString& name, const QString& value) {
    MultipartForm f;
    f.AddField(name, value);
    return f.Encode(kBoundary);
}

// What a value reads back as: lines joined by CRLF, no trailing line break.
QString normalized(const QString& value) {
    QString s = value;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (s.endsWith(QLatin1Char('\n'))) s.chop(1);
    s.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return s;
}

QString randomText(QRandomGenerator& rng, bool wide) {
    static const QString alphabet = QString::fromUtf8("abcXYZ019 .=\t\r\n-_;\"'Ёжик ёлка\u00A0é€");
    const int length = static_cast<int>(rng.bounded(160));
    QString s;
    for (int i = 0; i < length; ++i) {
        QChar c = alphabet.at(static_cast<int>(rng.bounded(alphabet.size())));
        if (!wide && c.unicode() > 0xFF) c = QLatin1Char('x');
        s += c;
    }
    return s;
}

} // namespace

class TestWireCodec : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void boundaryIsEightHyphensAndTheLocalTime() {
        const QDateTime t(QDate(2024, 12, 9), QTime(15, 30, 12, 345));
        QCOMPARE(MultipartForm::MakeBoundary(t), kBoundary);
        QCOMPARE(MultipartForm::ContentType(kBoundary),
                 QByteArray("multipart/form-data; boundary=--------120924153012345"));
        const QDateTime early(QDate(2025, 1, 2), QTime(3, 4, 5, 6));
        QCOMPARE(MultipartForm::MakeBoundary(early), QByteArray("--------010225030405006"));
    }

    void authenticationFieldsByteForByte() {
        MultipartForm f;
        f.AddField(QStringLiteral("login"), QStringLiteral("admin@shop.ru"));
        f.AddField(QStringLiteral("dop_login"), QString());
        f.AddField(QStringLiteral("token"), QStringLiteral("pa=ss"));
        f.AddField(QStringLiteral("client"), QStringLiteral("W.1.0.1"));
        const QByteArray expected = part("login", "admin@shop.ru\r\n") + part("dop_login", "\r\n") +
                                    part("token", "pa=3Dss\r\n") + part("client", "W.1.0.1\r\n") + closing();
        QCOMPARE(f.Encode(kBoundary), expected);
    }

    void fieldValues_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("cyrillic, utf-8 field") << "name_win" << QString::fromUtf8("Ёлка")
                                               << part("name_win", "=D0=81=D0=BB=D0=BA=D0=B0\r\n", true);
        QTest::newRow("cyrillic, one-byte field")
            << "login" << QString::fromUtf8("Ёлка") << part("login", "????\r\n");
        QTest::newRow("latin-1 letter")
            << "login" << QString::fromUtf8("café") << part("login", "caf=E9\r\n");
        QTest::newRow("character beyond the BMP")
            << "login" << QString::fromUtf8("a😀b") << part("login", "a?b\r\n");
        QTest::newRow("mixed line breaks")
            << "prim_win"
            << "one\rtwo\nthree\r\nfour" << part("prim_win", "one\r\ntwo\r\nthree\r\nfour\r\n", true);
        QTest::newRow("empty lines kept") << "prim_win"
                                          << "a\n\nb" << part("prim_win", "a\r\n\r\nb\r\n", true);
        QTest::newRow("trailing break is the line's own") << "prim_win"
                                                          << "a\n"
                                                          << part("prim_win", "a\r\n", true);
        QTest::newRow("empty value") << "prim_win"
                                     << "" << part("prim_win", "\r\n", true);
        QTest::newRow("leading point") << "prim_win"
                                       << ".5 kg" << part("prim_win", "=2E5 kg\r\n", true);
        QTest::newRow("point on a later line") << "prim_win"
                                               << "a\n.b" << part("prim_win", "a\r\n=2Eb\r\n", true);
        QTest::newRow("trailing blanks") << "prim_win"
                                         << "abc  " << part("prim_win", "abc =20\r\n", true);
        QTest::newRow("trailing tab") << "prim_win"
                                      << "abc\t" << part("prim_win", "abc=09\r\n", true);
        QTest::newRow("blank before a line break") << "prim_win"
                                                   << "a \nb" << part("prim_win", "a=20\r\nb\r\n", true);
        QTest::newRow("equals sign") << "token"
                                     << "a=b==" << part("token", "a=3Db=3D=3D\r\n");

        const QString x75(75, QLatin1Char('x'));
        QTest::newRow("long line gets a soft break at 70")
            << "prim_win" << x75
            << part("prim_win", QByteArray(70, 'x') + "=\r\n" + QByteArray(5, 'x') + "\r\n", true);
        QTest::newRow("exactly 70") << "prim_win" << QString(70, QLatin1Char('x'))
                                    << part("prim_win", QByteArray(70, 'x') + "=\r\n\r\n", true);
        QTest::newRow("escape crossing 70")
            << "prim_win" << QString(68, QLatin1Char('x')) + QString::fromUtf8("é")
            << part("prim_win", QByteArray(68, 'x') + "=C3=\r\n=A9\r\n", true);
        QTest::newRow("point after a soft break")
            << "prim_win" << QString(70, QLatin1Char('x')) + QStringLiteral(".5")
            << part("prim_win", QByteArray(70, 'x') + "=\r\n=2E5\r\n", true);
    }
    void fieldValues() {
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QByteArray, expected);
        QCOMPARE(encodeOne(name, value), expected + closing());
    }

    void aValueHoldingTheBoundaryGetsAnotherOne() {
        const QDateTime t(QDate(2024, 12, 9), QTime(15, 30, 12, 345));
        MultipartForm f;
        f.AddField(QStringLiteral("prim_win"), QStringLiteral("x\n----------120924153012345--\ny"));
        QByteArray boundary;
        const QByteArray body = f.EncodeAt(t, &boundary);
        QCOMPARE(boundary, QByteArray("--------120924153012346"));
        const auto parsed = ParseMultipartForm(body, MultipartForm::ContentType(boundary));
        QVERIFY2(parsed.ok, qPrintable(parsed.error));
        QCOMPARE(parsed.fields.size(), 1);
        QCOMPARE(parsed.fields[0].value, QStringLiteral("x\r\n----------120924153012345--\r\ny"));

        MultipartForm plain;
        plain.AddField(QStringLiteral("a"), QStringLiteral("b"));
        QCOMPARE(plain.EncodeAt(t, &boundary), plain.Encode(kBoundary));
        QCOMPARE(boundary, kBoundary);
    }

    void parserReadsWhatTheEncoderWrites() {
        QRandomGenerator rng(20241209);
        for (int round = 0; round < 300; ++round) {
            MultipartForm f;
            const int fields = static_cast<int>(rng.bounded(12));
            for (int i = 0; i < fields; ++i) {
                const bool wide = rng.bounded(2) == 0;
                f.AddField(QStringLiteral("f%1%2").arg(i).arg(wide ? "_win" : ""), randomText(rng, wide));
            }
            const QByteArray body = f.Encode(kBoundary);
            const auto parsed = ParseMultipartForm(body, MultipartForm::ContentType(kBoundary));
            QVERIFY2(parsed.ok, qPrintable(parsed.error));
            QCOMPARE(parsed.fields.size(), f.Fields().size());
            for (int i = 0; i < fields; ++i) {
                QCOMPARE(parsed.fields[i].name, f.Fields()[i].name);
                QCOMPARE(parsed.fields[i].value, normalized(f.Fields()[i].value));
            }
        }
    }

    void parserAcceptsOtherWellFormedClients() {
        const QByteArray body = "preamble\r\n--XyZ\r\n"
                                "content-disposition: form-data; name=\"a\"\r\n\r\n"
                                "plain; value\r\n"
                                "--XyZ  \r\n"
                                "Content-Disposition: form-data; name=\"b_win\"\r\n"
                                "Content-Transfer-Encoding: 8bit\r\n\r\n"
                                "\xD0\xAF\r\n"
                                "--XyZ--\r\nepilogue";
        const auto parsed = ParseMultipartForm(body, "multipart/form-data; boundary=\"XyZ\"");
        QVERIFY2(parsed.ok, qPrintable(parsed.error));
        QCOMPARE(parsed.fields.size(), 2);
        QCOMPARE(parsed.Find(QStringLiteral("a"))->value, QStringLiteral("plain; value"));
        QCOMPARE(parsed.Find(QStringLiteral("b_win"))->value, QString::fromUtf8("Я"));
        QVERIFY(!parsed.Find(QStringLiteral("c")));
    }

    void parserRefusesMalformedBodies_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        const QByteArray type = "multipart/form-data; boundary=B";
        const QByteArray head = "--B\r\nContent-Disposition: form-data; name=\"a\"\r\n"
                                "Content-Transfer-Encoding: quoted-printable\r\n\r\n";
        QTest::newRow("not multipart")
            << QByteArray("a=1") << QByteArray("application/x-www-form-urlencoded");
        QTest::newRow("no boundary parameter") << head + "x\r\n--B--\r\n"
                                               << QByteArray("multipart/form-data");
        QTest::newRow("boundary absent from body") << QByteArray("hello") << type;
        QTest::newRow("no closing delimiter") << head + "x\r\n" << type;
        QTest::newRow("bad escape") << head + "=ZZ\r\n--B--\r\n" << type;
        QTest::newRow("escape cut short") << head + "ab=4\r\n--B--\r\n" << type;
        QTest::newRow("unterminated headers") << QByteArray("--B\r\nContent-Disposition: form-data") << type;
        QTest::newRow("part without name")
            << QByteArray("--B\r\nContent-Disposition: form-data\r\n\r\nx\r\n--B--\r\n") << type;
        QTest::newRow("part not form-data")
            << QByteArray("--B\r\nContent-Disposition: attachment; name=\"a\"\r\n\r\nx\r\n--B--\r\n") << type;
        QTest::newRow("header without colon") << QByteArray("--B\r\nnonsense\r\n\r\nx\r\n--B--\r\n") << type;
        QTest::newRow("garbage after boundary") << QByteArray("--Bxx\r\n") << type;
        QTest::newRow("invalid utf-8 in a _win field")
            << QByteArray(
                   "--B\r\nContent-Disposition: form-data; name=\"n_win\"\r\n\r\n\xC3\x28\r\n--B--\r\n")
            << type;
        QTest::newRow("unknown transfer encoding")
            << QByteArray("--B\r\nContent-Disposition: form-data; name=\"a\"\r\n"
                          "Content-Transfer-Encoding: base64\r\n\r\nYQ==\r\n--B--\r\n")
            << type;
    }
    void parserRefusesMalformedBodies() {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        const auto parsed = ParseMultipartForm(body, contentType);
        QVERIFY(!parsed.ok);
        QVERIFY(!parsed.error.isEmpty());
        QVERIFY(parsed.fields.isEmpty());
    }

    void parserKeepsToItsLimits() {
        MultipartForm f;
        for (int i = 0; i < 20; ++i)
            f.AddField(QStringLiteral("f"), QStringLiteral("v"));
        const QByteArray body = f.Encode(kBoundary);
        const QByteArray type = MultipartForm::ContentType(kBoundary);

        kovrel::wire::ParseLimits limits;
        limits.maxParts = 19;
        QCOMPARE(ParseMultipartForm(body, type, limits).error, QStringLiteral("too many parts"));
        limits.maxParts = 20;
        QVERIFY(ParseMultipartForm(body, type, limits).ok);

        limits.maxBodyBytes = body.size() - 1;
        QCOMPARE(ParseMultipartForm(body, type, limits).error, QStringLiteral("request body too large"));

        kovrel::wire::ParseLimits small;
        small.maxPartHeaderBytes = 40;
        QCOMPARE(ParseMultipartForm(body, type, small).error, QStringLiteral("part headers too large"));

        // Only the fields in front, however the rest looks.
        kovrel::wire::ParseLimits front;
        front.firstFieldsOnly = 4;
        const QByteArray cut = body.left(body.size() / 2);
        const auto first = ParseMultipartForm(cut, type, front);
        QVERIFY(first.ok);
        QCOMPARE(first.fields.size(), 4);
        QVERIFY(!ParseMultipartForm(cut, type).ok);

        MultipartForm longName;
        longName.AddField(QString(300, QLatin1Char('n')), QStringLiteral("v"));
        QCOMPARE(ParseMultipartForm(longName.Encode(kBoundary), type).error,
                 QStringLiteral("field name too long"));
    }

    void everyTruncationIsRefusedCleanly() {
        MultipartForm f;
        f.AddField(QStringLiteral("login"), QStringLiteral("a@b.ru"));
        f.AddField(QStringLiteral("prim_win"),
                   QString::fromUtf8("Ёлка\nпалка ") + QString(80, QLatin1Char('z')));
        const QByteArray body = f.Encode(kBoundary);
        const QByteArray type = MultipartForm::ContentType(kBoundary);
        const qsizetype closingAt = body.lastIndexOf("--\r\n");
        for (qsizetype n = 0; n < body.size(); ++n) {
            const auto parsed = ParseMultipartForm(body.left(n), type);
            // Only the line break after the closing delimiter may be missing.
            QCOMPARE(parsed.ok, n >= closingAt + 2);
        }
    }

    void quotedPrintableDecoding() {
        using kovrel::wire::DecodeQuotedPrintable;
        QCOMPARE(*DecodeQuotedPrintable("a=3Db=\r\nc"), QByteArray("a=bc"));
        QCOMPARE(*DecodeQuotedPrintable("soft=\nbreak"), QByteArray("softbreak"));
        QCOMPARE(*DecodeQuotedPrintable("lower =c3=a9"), QByteArray("lower \xC3\xA9"));
        QCOMPARE(*DecodeQuotedPrintable("pad  \r\nx"), QByteArray("pad\r\nx"));
        QCOMPARE(*DecodeQuotedPrintable("kept=20 \r\n"), QByteArray("kept \r\n"));
        QString error;
        QVERIFY(!DecodeQuotedPrintable("end=", &error));
        QVERIFY(error.contains(QStringLiteral("escape")));
    }
};

QTEST_GUILESS_MAIN(TestWireCodec)
#include "test_wire_codec.moc"
