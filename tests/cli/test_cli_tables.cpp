// The tables behind kovrel-cli: every operation reads its parameters in order and refuses to
// run without the required ones; every record class goes to JSON and back field for field.
#include "operation_table.h"
#include "output_document.h"
#include "record_fields.h"
#include "report_table.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

namespace {

// A value of the field's kind that differs from field to field.
template <class T>
QJsonObject sampleOf() {
    QJsonObject o;
    int n = 1;
    for (const cli::FieldDef<T>& f : cli::RecordClass<T>::Fields()) {
        const QString name = QString::fromLatin1(f.name);
        ++n;
        if (std::holds_alternative<int T::*>(f.member))
            o.insert(name, n);
        else if (std::holds_alternative<QString T::*>(f.member))
            o.insert(name, QStringLiteral("текст %1").arg(n));
        else if (f.date)
            o.insert(name, QStringLiteral("2024-03-%1 10:20:30").arg(n, 2, 10, QLatin1Char('0')));
        else
            o.insert(name, n + 0.25);
    }
    return o;
}

template <class T>
void roundTrip() {
    const QJsonObject sample = sampleOf<T>();
    T rec;
    cli::FromJson(sample, rec, QStringLiteral("Rec"));
    const FieldValues back = cli::ToValues(rec);
    QCOMPARE(back.Names(), cli::FieldNames<T>());
    for (const auto& [name, value] : back.Members())
        QVERIFY2(value == sample.value(name),
                 qPrintable(QLatin1String(cli::RecordClass<T>::Name()) + '.' + name));
}

} // namespace

class TestCliTables : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void operationsRefuseToRunWithoutTheirRequiredParameters() {
        QCOMPARE(cli::Operations().size(), 85); // every operation of TFormLoad
        QSet<QString> names;
        for (const cli::Operation& op : cli::Operations()) {
            names.insert(op.name);
            QString firstRequired;
            for (const cli::ParamInfo& p : op.params)
                if (p.required && firstRequired.isEmpty()) firstRequired = p.name;
            CallArgs none;
            try {
                QVERIFY(op.prepare(none));
                QVERIFY2(firstRequired.isEmpty(), qPrintable(op.name));
            } catch (const UsageError& e) {
                QCOMPARE(e.Message(), QStringLiteral("missing parameter ") + firstRequired);
            }
        }
        QCOMPARE(names.size(), cli::Operations().size());
        for (const cli::ReportEntry& r : cli::Reports())
            QVERIFY2(cli::FindOperation(r.operation), qPrintable(r.operation));
    }

    void recordsGoToJsonAndBack() {
        roundTrip<TRecKlient>();
        roundTrip<TRecUser>();
        roundTrip<TRecBank>();
        roundTrip<TRecGood>();
        roundTrip<TRecMoveGood>();
        roundTrip<TRecSt>();
        roundTrip<TRecDynam>();
        roundTrip<TRecDolg>();
        roundTrip<TRecMoveKl>();
        roundTrip<TRecDoc>();
        roundTrip<TRecMoney>();
        roundTrip<TRecDocItem>();
        roundTrip<TRecUserRights>();
        roundTrip<TRecStoreRights>();
    }

    // The output is written without a document per value; it must read as Qt's writer has it.
    void valuesAreWrittenAsQtWritesThem() {
        QString controls;
        for (char16_t c = 0; c < 0x80; ++c)
            controls += QChar(c);
        const QList<QJsonValue> values{true,
                                       false,
                                       QJsonValue(),
                                       0,
                                       -7,
                                       2147483647,
                                       0.0,
                                       -0.0,
                                       0.1,
                                       -1.5,
                                       1e-7,
                                       123456.789,
                                       1e20,
                                       9007199254740992.0,
                                       9007199254740994.0,
                                       -9007199254740994.0,
                                       1.0 / 3,
                                       qInf(),
                                       qQNaN(),
                                       controls,
                                       QStringLiteral("Склад №1 «Центр» \U0001F600"),
                                       QString(QChar(0xD800)) + "x",
                                       QString(QChar(0xDC00)),
                                       QJsonArray{1, "a"}};
        for (const QJsonValue& v : values) {
            QByteArray mine;
            AppendJson(mine, v);
            const QByteArray qt = QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact);
            QCOMPARE(mine, qt.mid(1, qt.size() - 2));
        }
    }

    void absentFieldsKeepTheConstructorDefaults() {
        TRecGood g;
        cli::FromJson(QJsonObject{{"Name", "Чай"}}, g, QStringLiteral("Rec"));
        QCOMPARE(g.Name, QStringLiteral("Чай"));
        QCOMPARE(g.Pack, 1.0);
        QCOMPARE(g.GrCode, 1);
        QCOMPARE(cli::DateText(kovrel::EncodeDate(2024, 2, 1)), QStringLiteral("2024-02-01"));
        QCOMPARE(cli::DateText(0), QStringLiteral("1899-12-30"));
    }
};

QTEST_GUILESS_MAIN(TestCliTables)
#include "test_cli_tables.moc"
