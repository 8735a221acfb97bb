#include "record_fields.h"

#include <QDateTime>

#include <cmath>

namespace cli {

// The tables: every field of every record class, in the class's order. The names are the
// members' own, so they cannot drift apart.
#define FIELD(name)                                                                                          \
    FieldDef<Rec> {                                                                                          \
#name, &Rec::name                                                                                    \
    }
#define DATE(name)                                                                                           \
    FieldDef<Rec> {                                                                                          \
#name, &Rec::name, true                                                                              \
    }
#define RECORD_CLASS(T, ...)                                                                                 \
    template <>                                                                                              \
    const char* RecordClass<T>::Name() {                                                                     \
        return #T;                                                                                           \
    }                                                                                                        \
    template <>                                                                                              \
    const QList<FieldDef<T>>& RecordClass<T>::Fields() {                                                     \
        using Rec = T;                                                                                       \
        static const QList<FieldDef<Rec>> fields{__VA_ARGS__};                                               \
        return fields;                                                                                       \
    }

RECORD_CLASS(TRecKlient, FIELD(ID), FIELD(FlagDel), FIELD(Name), FIELD(Prim), FIELD(TypeKl),
             FIELD(ManagerName), FIELD(ManagerID), FIELD(m1_sum), FIELD(m2_sum), FIELD(nkl_sum),
             FIELD(prh_sum))
RECORD_CLASS(TRecUser, FIELD(ID), FIELD(FlagDel), FIELD(DopLogin), FIELD(UserName))
RECORD_CLASS(TRecBank, FIELD(ID), FIELD(Name), FIELD(BName), FIELD(Rs), FIELD(Ks), FIELD(Bik), FIELD(Inn),
             FIELD(Kpp), FIELD(Adres), FIELD(Tel), FIELD(Okpo), FIELD(Ogrn), FIELD(Okpd), FIELD(Dir),
             FIELD(GBuh), FIELD(EdoID))
RECORD_CLASS(TRecGood, FIELD(ID), FIELD(FlagDel), FIELD(Name), FIELD(Prim), FIELD(Pack), FIELD(BarCode),
             FIELD(Code), FIELD(PCen), FIELD(ZCen), FIELD(Nds), FIELD(IDGoods), FIELD(GrCode), FIELD(KolPlus),
             FIELD(KolMinus), FIELD(KolPlusV), FIELD(KolMinusV), FIELD(OstKol), FIELD(ItogZSum), FIELD(OKEI))
RECORD_CLASS(TRecMoveGood, FIELD(ID), FIELD(DocID), DATE(DocDat), FIELD(KlientID), FIELD(KlientName),
             FIELD(KolPrh), FIELD(KolNkl), FIELD(Link))
RECORD_CLASS(TRecSt, FIELD(ID), FIELD(Name), FIELD(Pack), FIELD(Kol), FIELD(SumZ), FIELD(SumR))
RECORD_CLASS(TRecDynam, DATE(DocDate), DATE(MinDocDate), DATE(MaxDocDate), FIELD(Kol), FIELD(SumZ),
             FIELD(SumR))
RECORD_CLASS(TRecDolg, FIELD(KlientID), FIELD(KlientName), FIELD(KlientGr), FIELD(DolgSum))
RECORD_CLASS(TRecMoveKl, FIELD(ID), DATE(Dat), FIELD(NameDoc), FIELD(SumP), FIELD(SumR))
RECORD_CLASS(TRecDoc, FIELD(ID), DATE(DocDate), FIELD(KlientID), FIELD(StoreID), FIELD(StoreIDI),
             FIELD(StoreIDP), FIELD(KlientName), FIELD(StoreName), FIELD(StoreNameI), FIELD(StoreNameP),
             FIELD(SumZ), FIELD(SumR), FIELD(MoneySum), FIELD(Prim))
RECORD_CLASS(TRecMoney, FIELD(ID), DATE(DocDate), FIELD(KlientIDI), FIELD(KlientIDP), FIELD(KlientNameI),
             FIELD(KlientNameP), FIELD(SumM), FIELD(Prim), FIELD(DocN), FIELD(InvoiceN))
RECORD_CLASS(TRecDocItem, FIELD(ID), FIELD(IDZag), FIELD(IDGood), FIELD(Kol), FIELD(Pack), FIELD(CenZ),
             FIELD(CenR), FIELD(ProcNds), FIELD(FlagNorm), FIELD(IdRow), FIELD(KolPlus), FIELD(KolMinus),
             FIELD(KolPlusV), FIELD(KolMinusV), FIELD(PKolPlus), FIELD(PKolMinus), FIELD(PKolPlusV),
             FIELD(PKolMinusV), FIELD(Name), FIELD(OKEI))
RECORD_CLASS(TRecUserRights, FIELD(idRight), FIELD(ur))
RECORD_CLASS(TRecStoreRights, FIELD(idStore), FIELD(idUser), FIELD(ur), FIELD(userName))

#undef RECORD_CLASS
#undef DATE
#undef FIELD

QString DateText(TDateTime value) {
    const QDateTime dt = kovrel::FromDateTime(value);
    return dt.time() == QTime(0, 0) ? dt.date().toString(QStringLiteral("yyyy-MM-dd"))
                                    : dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

TDateTime ParseDateArg(const QJsonValue& value, const QString& what) {
    TDateTime out = 0;
    if (!value.isString() || !kovrel::TryParseWireDate(value.toString(), out))
        throw UsageError(QStringLiteral("%1 must be a date \"yyyy-mm-dd\"").arg(what));
    return out;
}

int ParseIntArg(const QJsonValue& value, const QString& what) {
    const double d = value.toDouble(0.5);
    if (!value.isDouble() || d != std::trunc(d) || d < -2147483648.0 || d > 2147483647.0)
        throw UsageError(QStringLiteral("%1 must be an integer").arg(what));
    return static_cast<int>(d);
}

double ParseNumberArg(const QJsonValue& value, const QString& what) {
    if (!value.isDouble()) throw UsageError(QStringLiteral("%1 must be a number").arg(what));
    return value.toDouble();
}

QString ParseTextArg(const QJsonValue& value, const QString& what) {
    if (!value.isString()) throw UsageError(QStringLiteral("%1 must be a text").arg(what));
    return value.toString();
}

} // namespace cli
