#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// A УПД e-document file as the tests read it: checked against the tax service's schema (a copy
// in tests/fixtures) by xmllint, checked against the format's conditional rules that xmllint
// does not know (the exchange operators check them), and read into a tree of elements.
struct UpdNode {
    QString name;
    QHash<QString, QString> attrs;
    QString text;
    QList<UpdNode> children;

    // The first child of that name, or null.
    const UpdNode* Child(const QString& childName) const;
    QList<const UpdNode*> Children(const QString& childName) const;
    // An element by its path of names below this one ("СвСчФакт/СвПрод/ИдСв"), or null.
    const UpdNode* At(const QString& path) const;
    // An attribute at a path: "СвСчФакт/@НомерДок"; empty when absent.
    QString Attr(const QString& path) const;
};

class UpdFile {
public:
    explicit UpdFile(const QString& path);

    const QString& Path() const { return m_path; }
    const QByteArray& Bytes() const { return m_bytes; }
    // The file decoded from windows-1251.
    const QString& Text() const { return m_text; }
    // False when the file is no well-formed windows-1251 XML; Problems() says why.
    bool Read() const { return m_read; }
    // The root element, "Файл".
    const UpdNode& Root() const { return m_root; }
    const UpdNode& Document() const;

    // xmllint's complaints against the schema; empty when the file is valid.
    QString SchemaErrors() const;
    // Each conditional rule of the format the file breaks, and a file name other than its ИдФайл.
    QStringList RuleProblems() const;

private:
    QString m_path;
    QByteArray m_bytes;
    QString m_text;
    bool m_read = false;
    QString m_readError;
    UpdNode m_root;
};

// The schema the files must validate against.
QString UpdSchemaPath();
