#pragma once

#include "call_args.h"
#include "field_values.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <any>
#include <functional>
#include <optional>

class TFormLoad;

// Every TFormLoad operation, bound by name to its method: which parameters it takes from
// ARGS_JSON (read and checked before anything is sent) and what it gives back.
namespace cli {

// How a parameter is read, where its C++ type alone does not say.
struct Param {
    enum Hint { Plain, AsDate, AsNumber, AsFlag, Optional };
    Param(const char* n, Hint h = Plain)
        : name(QString::fromLatin1(n))
        , hint(h) {}
    QString name;
    Hint hint;
};

// A parameter as --help describes it.
struct ParamInfo {
    QString name;
    QString kind;
    bool required = true;
};

// What an operation gave back: its result, the record (Rec) and the records of a list (L).
struct CallResult {
    std::optional<bool> result;
    std::optional<QString> text;
    std::optional<FieldValues> rec;
    std::optional<FieldRows> list;
    QStringList listColumns;
    std::optional<FieldValues> inputRec; // the caller's record, for a refresh that finds nothing
    std::any records;                    // std::shared_ptr<RecordList<T>> of the list, for reports
};

using Invoke = std::function<void(TFormLoad&, CallResult&)>;

struct Operation {
    QString name;
    QList<ParamInfo> params; // what ARGS_JSON may hold
    QString returns;         // "L: TRecDoc", "Rec: TRecBank", "text", "ok" ...
    bool returnsRecords = false;
    // Reads and checks the parameters; the call itself runs later.
    std::function<Invoke(CallArgs&)> prepare;
};

const QList<Operation>& Operations();
// Null for an unknown name.
const Operation* FindOperation(const QString& name);

} // namespace cli
