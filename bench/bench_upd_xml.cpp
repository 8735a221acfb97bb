// The УПД's XML e-document of one sales waybill of many lines, made and written into a folder
// as the editor and kovrel-cli write it: the lines' figures, the XML, the code page and the
// file. Prints the time of each size and the file's size.
#include "date_time.h"
#include "goods_doc_kind.h"
#include "upd_export.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>

namespace {

TRecBank party(int id, const QString& inn, const QString& kpp) {
    TRecBank b;
    b.ID = id;
    b.Name = QStringLiteral("Общество с ограниченной ответственностью «Сторона %1»").arg(id);
    b.Inn = inn;
    b.Kpp = kpp;
    b.Adres = QStringLiteral("141008, Московская обл., г. Мытищи, ул. Силикатная, д. 19");
    b.Dir = QStringLiteral("Ковалев Петр Андреевич");
    b.EdoID = QStringLiteral("2BM-") + inn + QLatin1Char('-') + kpp;
    return b;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const TRecBank org = party(1000000, QStringLiteral("7701234567"), QStringLiteral("770101001"));
    const TRecBank buyer = party(12, QStringLiteral("5001012345"), QStringLiteral("500101001"));
    QTemporaryDir dir;
    for (const int count : {60, 1000, 10000}) {
        TRecDoc rec;
        rec.ID = 57;
        rec.DocDate = kovrel::EncodeDate(2026, 12, 1);
        rec.KlientID = buyer.ID;
        RecordList<TRecDocItem> items;
        std::vector<const TRecDocItem*> lines;
        for (int i = 1; i <= count; ++i) {
            auto line = std::make_unique<TRecDocItem>();
            line->Name = QStringLiteral("Товар номер %1 с длинным названием «марки»").arg(i);
            line->Kol = i % 5 ? i % 17 + 1 : 1.255;
            line->CenR = 10.01 * (i % 97 + 1);
            line->ProcNds = i % 3 ? 22 : 10;
            line->OKEI = i % 5 ? QStringLiteral("796") : QStringLiteral("166");
            lines.push_back(line.get());
            items.push_back(std::move(line));
        }
        const TDocPrintData data(NklKind(), rec, lines, &org, &buyer);
        QElapsedTimer timer;
        timer.start();
        const TUpdExport upd = TUpdExport::Write(data, dir.path());
        const qint64 ms = timer.elapsed();
        out << count << " lines: " << ms << " ms, " << QFileInfo(upd.path).size() << " bytes " << upd.failure
            << Qt::endl;
    }
    return 0;
}
