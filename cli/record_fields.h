#pragma once

#include "date_time.h"
#include "field_values.h"
#include "rec_bank.h"
#include "rec_doc.h"
#include "rec_doc_item.h"
#include "rec_dolg.h"
#include "rec_dynam.h"
#include "rec_good.h"
#include "rec_klient.h"
#include "rec_money.h"
#include "rec_move_good.h"
#include "rec_move_kl.h"
#include "rec_st.h"
#include "rec_store_rights.h"
#include "rec_user.h"
#include "rec_user_rights.h"
#include "usage_error.h"

#include <QJsonObject>
#include <QList>
#include <QStringList>

#include <variant>

// Every record class's fields under their own names, so that records go to and come from JSON
// by one mechanism: a table per class (record_fields.cpp), the conversions here.
namespace cli {

template <class T>
struct FieldDef {
    const char* name;
    std::variant<int T::*, double T::*, QString T::*> member;
    bool date = false; // a double holding a date-time
};

template <class T>
struct RecordClass {
    static const char* Name();
    static const QList<FieldDef<T>>& Fields();
};

#define KOVREL_RECORD_CLASS(T)                                                                               \
    template <>                                                                                              \
    const char* RecordClass<T>::Name();                                                                      \
    template <>                                                                                              \
    const QList<FieldDef<T>>& RecordClass<T>::Fields();
KOVREL_RECORD_CLASS(TRecKlient)
KOVREL_RECORD_CLASS(TRecUser)
KOVREL_RECORD_CLASS(TRecBank)
KOVREL_RECORD_CLASS(TRecGood)
KOVREL_RECORD_CLASS(TRecMoveGood)
KOVREL_RECORD_CLASS(TRecSt)
KOVREL_RECORD_CLASS(TRecDynam)
KOVREL_RECORD_CLASS(TRecDolg)
KOVREL_RECORD_CLASS(TRecMoveKl)
KOVREL_RECORD_CLASS(TRecDoc)
KOVREL_RECORD_CLASS(TRecMoney)
KOVREL_RECORD_CLASS(TRecDocItem)
KOVREL_RECORD_CLASS(TRecUserRights)
KOVREL_RECORD_CLASS(TRecStoreRights)
#undef KOVREL_RECORD_CLASS

// "yyyy-mm-dd", with " hh:nn:ss" when the time of day is not midnight.
QString DateText(TDateTime value);
// Reads "yyyy-mm-dd" or "yyyy-mm-dd hh:nn:ss"; a usage error names `what` otherwise.
TDateTime ParseDateArg(const QJsonValue& value, const QString& what);
int ParseIntArg(const QJsonValue& value, const QString& what);
double ParseNumberArg(const QJsonValue& value, const QString& what);
QString ParseTextArg(const QJsonValue& value, const QString& what);

template <class T>
QStringList FieldNames() {
    QStringList names;
    for (const FieldDef<T>& f : RecordClass<T>::Fields())
        names << QString::fromLatin1(f.name);
    return names;
}

template <class T>
FieldValues ToValues(const T& rec) {
    static const QStringList names = FieldNames<T>(); // shared by every record's values
    FieldValues out;
    qsizetype n = 0;
    for (const FieldDef<T>& f : RecordClass<T>::Fields()) {
        const QString& name = names[n++];
        if (auto* i = std::get_if<int T::*>(&f.member))
            out.Set(name, rec.**i);
        else if (auto* s = std::get_if<QString T::*>(&f.member))
            out.Set(name, rec.**s);
        else if (f.date)
            out.Set(name, DateText(rec.*std::get<double T::*>(f.member)));
        else
            out.Set(name, rec.*std::get<double T::*>(f.member));
    }
    return out;
}

// Sets the fields the object names; the others keep what they had. An unknown field or a value
// of the wrong kind is a usage error naming `where` and the field.
template <class T>
void FromJson(const QJsonObject& object, T& rec, const QString& where) {
    const auto& fields = RecordClass<T>::Fields();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString what = where + QLatin1Char('.') + it.key();
        const FieldDef<T>* def = nullptr;
        for (const FieldDef<T>& f : fields)
            if (it.key() == QLatin1String(f.name)) def = &f;
        if (!def)
            throw UsageError(QStringLiteral("unknown field %1 (%2 has %3)")
                                 .arg(what, QLatin1String(RecordClass<T>::Name()),
                                      FieldNames<T>().join(QStringLiteral(", "))));
        if (auto* i = std::get_if<int T::*>(&def->member))
            rec.** i = ParseIntArg(it.value(), what);
        else if (auto* s = std::get_if<QString T::*>(&def->member))
            rec.** s = ParseTextArg(it.value(), what);
        else if (def->date)
            rec.*std::get<double T::*>(def->member) = ParseDateArg(it.value(), what);
        else
            rec.*std::get<double T::*>(def->member) = ParseNumberArg(it.value(), what);
    }
}

} // namespace cli
