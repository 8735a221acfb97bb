#include "upd_file.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStringDecoder>
#include <QXmlStreamReader>

namespace {

UpdNode readElement(QXmlStreamReader& xml) {
    UpdNode node;
    node.name = xml.name().toString();
    for (const QXmlStreamAttribute& a : xml.attributes())
        node.attrs.insert(a.name().toString(), a.value().toString());
    while (xml.readNext() != QXmlStreamReader::Invalid) {
        if (xml.isStartElement())
            node.children << readElement(xml); // returns at the child's end
        else if (xml.isCharacters() && !xml.isWhitespace())
            node.text += xml.text();
        else if (xml.isEndElement())
            break;
    }
    return node;
}

bool positive(const QString& number) {
    bool ok = false;
    return number.toDouble(&ok) > 0 && ok;
}

} // namespace

const UpdNode* UpdNode::Child(const QString& childName) const {
    for (const UpdNode& c : children)
        if (c.name == childName) return &c;
    return nullptr;
}

QList<const UpdNode*> UpdNode::Children(const QString& childName) const {
    QList<const UpdNode*> found;
    for (const UpdNode& c : children)
        if (c.name == childName) found << &c;
    return found;
}

const UpdNode* UpdNode::At(const QString& path) const {
    const UpdNode* node = this;
    for (const QString& step : path.split(QLatin1Char('/'), Qt::SkipEmptyParts))
        if (!(node = node->Child(step))) return nullptr;
    return node;
}

QString UpdNode::Attr(const QString& path) const {
    const qsizetype at = path.lastIndexOf(QLatin1Char('@'));
    const UpdNode* node = at > 0 ? At(path.left(at - 1)) : this;
    return node ? node->attrs.value(path.mid(at + 1)) : QString();
}

UpdFile::UpdFile(const QString& path)
    : m_path(path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_readError = file.errorString();
        return;
    }
    m_bytes = file.readAll();
    QStringDecoder decode("windows-1251");
    m_text = decode(m_bytes);
    QXmlStreamReader xml(m_text);
    while (!xml.atEnd() && !xml.isStartElement())
        xml.readNext();
    if (xml.isStartElement()) m_root = readElement(xml);
    while (!xml.atEnd())
        xml.readNext();
    m_read = decode.isValid() && !xml.hasError() && m_root.name == QStringLiteral("Файл");
    if (xml.hasError()) m_readError = xml.errorString();
}

const UpdNode& UpdFile::Document() const {
    static const UpdNode none;
    const UpdNode* d = m_root.Child(QStringLiteral("Документ"));
    return d ? *d : none;
}

QString UpdFile::SchemaErrors() const {
    QProcess xmllint;
    xmllint.start(QStringLiteral("xmllint"),
                  {QStringLiteral("--noout"), QStringLiteral("--schema"), UpdSchemaPath(), m_path});
    if (!xmllint.waitForFinished(60000))
        return QStringLiteral("xmllint did not run: ") + xmllint.errorString();
    if (xmllint.exitStatus() == QProcess::NormalExit && xmllint.exitCode() == 0) return {};
    return QString::fromUtf8(xmllint.readAllStandardError());
}

QStringList UpdFile::RuleProblems() const {
    QStringList p;
    if (!m_read) return {QStringLiteral("not read: ") + m_readError};
    const UpdNode& d = Document();
    const QString function = d.attrs.value(QStringLiteral("Функция"));
    const bool invoice = function == QStringLiteral("СЧФ") || function == QStringLiteral("СЧФДОП");
    const bool transfer = function == QStringLiteral("ДОП") || function == QStringLiteral("СЧФДОП");
    const auto need = [&p](bool present, const char* what) {
        if (!present) p << QString::fromUtf8(what);
    };
    if (transfer) {
        need(d.attrs.contains(QStringLiteral("НаимДокОпр")), "НаимДокОпр");
        need(d.Child(QStringLiteral("СвПродПер")), "СвПродПер");
        const UpdNode* sv = d.At(QStringLiteral("СвПродПер/СвПер"));
        need(sv && (sv->attrs.contains(QStringLiteral("ДатаПер")) ||
                    (sv->attrs.contains(QStringLiteral("ДатаНачПер")) &&
                     sv->attrs.contains(QStringLiteral("ДатаОконПер")))),
             "ДатаПер");
    }
    if (invoice) {
        need(d.Child(QStringLiteral("ТаблСчФакт")), "ТаблСчФакт");
        for (const char* party : {"СвСчФакт/СвПрод/Адрес", "СвСчФакт/СвПокуп/Адрес"})
            need(d.At(QString::fromUtf8(party)), party);
        for (const char* party : {"СвСчФакт/ГрузПолуч", "СвСчФакт/ГрузОт/ГрузОтпр"})
            if (d.At(QString::fromUtf8(party)))
                need(d.At(QString::fromUtf8(party) + QStringLiteral("/Адрес")), party);
    }
    const UpdNode* table = d.Child(QStringLiteral("ТаблСчФакт"));
    for (const UpdNode* line : table ? table->Children(QStringLiteral("СведТов")) : QList<const UpdNode*>()) {
        const auto has = [line](const char* a) { return line->attrs.contains(QString::fromUtf8(a)); };
        if (invoice) {
            need(has("НаимТов"), "НаимТов");
            need(has("СтТовБезНДС"), "СтТовБезНДС");
            need(has("СтТовУчНал"), "СтТовУчНал");
            if (has("ОКЕИ_Тов")) need(has("КолТов"), "КолТов of a line with ОКЕИ_Тов");
            if (has("КолТов"))
                need(has("ЦенаТов") && positive(line->attrs.value(QStringLiteral("ЦенаТов"))),
                     "ЦенаТов above zero");
        } else {
            need(has("СтТовБезНДС") || has("СтТовУчНал"), "СтТовБезНДС or СтТовУчНал");
            need(has("НаимТов") || line->At(QStringLiteral("ДопСведТов")), "НаимТов");
        }
        if (has("ОКЕИ_Тов")) need(has("НаимЕдИзм"), "НаимЕдИзм of a line with ОКЕИ_Тов");
    }
    if (const UpdNode* total = table ? table->Child(QStringLiteral("ВсегоОпл")) : nullptr) {
        const bool without = total->attrs.contains(QStringLiteral("СтТовБезНДСВсего"));
        const bool with = total->attrs.contains(QStringLiteral("СтТовУчНалВсего"));
        if (invoice) {
            need(without, "СтТовБезНДСВсего");
            need(with, "СтТовУчНалВсего");
        } else {
            need(without || with, "СтТовБезНДСВсего or СтТовУчНалВсего");
        }
    }
    for (const UpdNode* signer : d.Children(QStringLiteral("Подписант"))) {
        const QString way = signer->attrs.value(QStringLiteral("СпосПодтПолном"));
        need((way == QStringLiteral("3")) == bool(signer->Child(QStringLiteral("СвДоверЭл"))),
             "СвДоверЭл by СпосПодтПолном");
        need((way == QStringLiteral("5")) == bool(signer->Child(QStringLiteral("СвДоверБум"))),
             "СвДоверБум by СпосПодтПолном");
    }
    const QFileInfo info(m_path);
    need(info.suffix() == QStringLiteral("xml") &&
             info.completeBaseName() == m_root.attrs.value(QStringLiteral("ИдФайл")),
         "the file name is ИдФайл.xml");
    return p;
}

QString UpdSchemaPath() {
    return QStringLiteral(KOVREL_FIXTURES_DIR "/ON_NSCHFDOPPR_1_997_01_05_03_05.xsd");
}
