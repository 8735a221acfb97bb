#include "operation_table.h"

#include "form_load.h"
#include "record_fields.h"

#include <QJsonArray>

#include <memory>
#include <stdexcept>
#include <tuple>
#include <utility>

namespace cli {

namespace {

// ---- Parameters by their C++ type ------------------------------------------------------------
//
// Arg<P> reads the parameter of declared type P from ARGS_JSON (Load), hands it to the method
// (Get) and puts what the method left in it into the result (Store).

template <class P>
struct Arg;

template <>
struct Arg<const QString&> {
    QString value;
    static ParamInfo Info(const Param& p) {
        return {p.name, QStringLiteral("text"), p.hint != Param::Optional};
    }
    void Load(CallArgs& a, const Param& p) {
        value = p.hint == Param::Optional ? a.Text(p.name, QString()) : a.Text(p.name);
    }
    const QString& Get() const { return value; }
    void Store(CallResult&) const {}
};

template <>
struct Arg<int> {
    int value = 0;
    static ParamInfo Info(const Param& p) {
        return {p.name, p.hint == Param::AsFlag ? QStringLiteral("true/false") : QStringLiteral("integer"),
                p.hint != Param::Optional};
    }
    void Load(CallArgs& a, const Param& p) {
        if (p.hint == Param::AsFlag)
            value = a.IntFlag(p.name);
        else
            value = p.hint == Param::Optional ? a.Int(p.name, 0) : a.Int(p.name);
    }
    int Get() const { return value; }
    void Store(CallResult&) const {}
};

template <>
struct Arg<bool> {
    bool value = false;
    static ParamInfo Info(const Param& p) {
        return {p.name, QStringLiteral("true/false"), p.hint != Param::Optional};
    }
    void Load(CallArgs& a, const Param& p) {
        value = p.hint == Param::Optional ? a.Bool(p.name, false) : a.Bool(p.name);
    }
    bool Get() const { return value; }
    void Store(CallResult&) const {}
};

// Dates and plain numbers are both doubles: the table says which.
template <>
struct Arg<double> {
    double value = 0;
    static ParamInfo Info(const Param& p) {
        if (p.hint == Param::AsDate) return {p.name, QStringLiteral("date"), true};
        if (p.hint == Param::AsNumber) return {p.name, QStringLiteral("number"), true};
        throw std::logic_error("a double parameter needs AsDate or AsNumber: " + p.name.toStdString());
    }
    void Load(CallArgs& a, const Param& p) {
        value = p.hint == Param::AsDate ? a.Date(p.name) : a.Number(p.name);
    }
    double Get() const { return value; }
    void Store(CallResult&) const {}
};

// A record the operation reads.
template <class T>
struct Arg<const T&> {
    T value;
    static ParamInfo Info(const Param& p) {
        return {p.name, QStringLiteral("{%1}").arg(QLatin1String(RecordClass<T>::Name())), true};
    }
    void Load(CallArgs& a, const Param& p) { FromJson(a.Object(p.name), value, p.name); }
    const T& Get() const { return value; }
    void Store(CallResult& out) const { out.inputRec = ToValues(value); }
};

// A record the operation changes in place (an insert's new ID).
template <class T>
struct Arg<T&> : Arg<const T&> {
    static QString Returns() { return QStringLiteral("Rec: ") + QLatin1String(RecordClass<T>::Name()); }
    T& Get() { return this->value; }
    void Store(CallResult& out) const { out.rec = ToValues(this->value); }
};

template <class T>
void readRecords(CallArgs& a, const Param& p, const std::function<void(std::unique_ptr<T>)>& add) {
    const QJsonArray items = a.Array(p.name);
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString what = QStringLiteral("%1[%2]").arg(p.name).arg(i);
        if (!items[i].isObject())
            throw UsageError(QStringLiteral("%1 must be an object of record fields").arg(what));
        auto rec = std::make_unique<T>();
        FromJson(items[i].toObject(), *rec, what);
        add(std::move(rec));
    }
}

template <class T>
ParamInfo recordsInfo(const Param& p) {
    return {p.name, QStringLiteral("[{%1}]").arg(QLatin1String(RecordClass<T>::Name())), true};
}

// A list the operation fills: L of the output.
template <class T>
struct Arg<RecordList<T>&> {
    std::shared_ptr<RecordList<T>> list = std::make_shared<RecordList<T>>();
    static constexpr bool kOutput = true;
    static QString Returns() { return QStringLiteral("L: ") + QLatin1String(RecordClass<T>::Name()); }
    RecordList<T>& Get() { return *list; }
    void Load(CallArgs&, const Param&) {}
    void Store(CallResult& out) const {
        out.list = FieldRows{static_cast<qsizetype>(list->size()), [list = list](qsizetype i) {
                                 return ToValues(*(*list)[static_cast<size_t>(i)]);
                             }};
        out.listColumns = FieldNames<T>();
        out.records = list;
    }
};

// A list the operation writes: L of the input.
template <class T>
struct Arg<const RecordList<T>&> {
    RecordList<T> list;
    static ParamInfo Info(const Param& p) { return recordsInfo<T>(p); }
    void Load(CallArgs& a, const Param& p) {
        readRecords<T>(a, p, [this](std::unique_ptr<T> r) { list.push_back(std::move(r)); });
    }
    const RecordList<T>& Get() const { return list; }
    void Store(CallResult&) const {}
};

// A user's rights are written back from a list keyed by right code.
QString sortedKey(const TRecUserRights& r) {
    return QString::number(r.idRight);
}

template <class T>
struct Arg<TSortedList<T>&> {
    TSortedList<T> list;
    static constexpr bool kOutput = true;
    static QString Returns() { return QStringLiteral("L: ") + QLatin1String(RecordClass<T>::Name()); }
    TSortedList<T>& Get() { return list; }
    void Load(CallArgs&, const Param&) {}
    void Store(CallResult& out) const {
        QList<FieldValues> values;
        for (int i = 0; i < list.Count(); ++i)
            values << ToValues(*list.Objects(i));
        out.list = FieldRows{values.size(), [values](qsizetype i) { return values[i]; }};
        out.listColumns = FieldNames<T>();
    }
};

template <class T>
struct Arg<const TSortedList<T>&> {
    TSortedList<T> list;
    static ParamInfo Info(const Param& p) { return recordsInfo<T>(p); }
    void Load(CallArgs& a, const Param& p) {
        readRecords<T>(a, p, [this](std::unique_ptr<T> r) {
            const QString key = sortedKey(*r);
            list.AddOwned(key, std::move(r));
        });
    }
    const TSortedList<T>& Get() const { return list; }
    void Store(CallResult&) const {}
};

// Lists the operation fills are not parameters of ARGS_JSON.
template <class A>
concept OutputArg = requires {
    A::kOutput;
};
// Lists and records the operation fills or changes come back in the output.
template <class A>
concept ReturningArg = requires {
    A::Returns();
};

// ---- Results by their C++ type ---------------------------------------------------------------

template <class R>
struct Ret;

template <>
struct Ret<void> {
    static QString Describe() { return QStringLiteral("ok"); }
};

template <>
struct Ret<bool> {
    static QString Describe() { return QStringLiteral("ok"); }
    static void Store(bool r, CallResult& out) { out.result = r; }
};
template <>
struct Ret<QString> {
    static QString Describe() { return QStringLiteral("text"); }
    static void Store(const QString& r, CallResult& out) { out.text = r; }
};
// A fetched or refreshed record; a refresh that finds nothing leaves the caller's record.
template <class T>
struct Ret<std::unique_ptr<T>> {
    static QString Describe() { return QStringLiteral("Rec: %1").arg(QLatin1String(RecordClass<T>::Name())); }
    static void Store(const std::unique_ptr<T>& r, CallResult& out) {
        out.rec = r ? ToValues(*r) : out.inputRec;
    }
};

// ---- Binding --------------------------------------------------------------------------------

template <class R, class... P, size_t... I>
Operation bindImpl(const char* name, R (TFormLoad::*method)(P...), const QList<Param>& params,
                   std::index_sequence<I...>) {
    Operation op;
    op.name = QString::fromLatin1(name);
    QStringList returns;
    [[maybe_unused]] auto describe = [&](auto tag, const Param& p) {
        using A = Arg<typename decltype(tag)::type>;
        if constexpr (!OutputArg<A>) op.params << A::Info(p);
        if constexpr (ReturningArg<A>) returns << A::Returns();
    };
    (describe(std::type_identity<P>{}, params[I]), ...);
    op.returnsRecords = !returns.isEmpty() || Ret<R>::Describe().startsWith(QLatin1String("Rec"));
    returns << Ret<R>::Describe();
    op.returns = returns.join(QStringLiteral(", "));
    op.prepare = [method, params](CallArgs& a) -> Invoke {
        auto args = std::make_shared<std::tuple<Arg<P>...>>();
        (std::get<I>(*args).Load(a, params[I]), ...);
        return [method, args](TFormLoad& fl, CallResult& out) {
            if constexpr (std::is_void_v<R>) {
                (fl.*method)(std::get<I>(*args).Get()...);
                (std::get<I>(*args).Store(out), ...);
            } else {
                const R r = (fl.*method)(std::get<I>(*args).Get()...);
                (std::get<I>(*args).Store(out), ...);
                Ret<R>::Store(r, out);
            }
        };
    };
    return op;
}

template <class R, class... P>
Operation bind(const char* name, R (TFormLoad::*method)(P...), const QList<Param>& params) {
    if (params.size() != static_cast<qsizetype>(sizeof...(P)))
        throw std::logic_error(std::string("parameter names do not match the method: ") + name);
    return bindImpl(name, method, params, std::index_sequence_for<P...>{});
}

Param Date(const char* name) {
    return {name, Param::AsDate};
}
Param Number(const char* name) {
    return {name, Param::AsNumber};
}
Param Flag(const char* name) {
    return {name, Param::AsFlag};
}
Param Opt(const char* name) {
    return {name, Param::Optional};
}

using F = TFormLoad;

QList<Operation> buildTable() {
    return {
        // Catalogs
        bind("SelectStoreList", &F::SelectStoreList, {"L", Opt("SelName")}),
        bind("UpdateStore", &F::UpdateStore, {"Rec"}),
        bind("InsertStore", &F::InsertStore, {"Rec"}),
        bind("DeleteStore", &F::DeleteStore, {"Rec"}),
        bind("SelectUserList", &F::SelectUserList, {"L", Opt("SelName")}),
        bind("UpdateUser", &F::UpdateUser, {"Rec"}),
        bind("InsertUser", &F::InsertUser, {"Rec"}),
        bind("DeleteUser", &F::DeleteUser, {"Rec"}),
        bind("SelectKlientList", &F::SelectKlientList, {"L", Opt("SelName"), "TypeInd"}),
        bind("UpdateKlient", &F::UpdateKlient, {"Rec"}),
        bind("InsertKlient", &F::InsertKlient, {"Rec"}),
        bind("DeleteKlient", &F::DeleteKlient, {"Rec"}),
        bind("SelectGroupList", &F::SelectGroupList, {"L", Opt("SelName")}),
        bind("UpdateGroup", &F::UpdateGroup, {"Rec"}),
        bind("InsertGroup", &F::InsertGroup, {"Rec"}),
        bind("DeleteGroup", &F::DeleteGroup, {"Rec"}),
        bind("SelectManagerList", &F::SelectManagerList, {"L", Opt("SelName")}),
        bind("UpdateManager", &F::UpdateManager, {"Rec"}),
        bind("InsertManager", &F::InsertManager, {"Rec"}),
        bind("DeleteManager", &F::DeleteManager, {"Rec"}),
        bind("SelectBank", &F::SelectBank, {"ID"}),
        bind("UpdateBank", &F::UpdateBank, {"Rec"}),
        bind("UpdateEdoID", &F::UpdateEdoID, {"ID", "EdoID"}),
        bind("SelectGoodList", &F::SelectGoodList, {"L", Opt("SelName"), Opt("FlagNorm")}),
        bind("SelectOstList", &F::SelectOstList, {"L", Opt("SelName"), Flag("FlagZero"), "CodeStore"}),
        bind("UpdateGood", &F::UpdateGood, {"Rec"}),
        bind("InsertGood", &F::InsertGood, {"Rec"}),
        bind("DeleteGood", &F::DeleteGood, {"Rec"}),
        bind("UpdateGoodUnit", &F::UpdateGoodUnit, {"ID", "OKEI"}),
        // Sales waybills
        bind("SelectNklList", &F::SelectNklList, {"L", Opt("SelName"), Date("BeginDat"), Date("EndDat")}),
        bind("UpdateNkl", &F::UpdateNkl, {"Rec"}),
        bind("InsertNkl", &F::InsertNkl, {"Rec"}),
        bind("DeleteNkl", &F::DeleteNkl, {"Rec"}),
        bind("SelectNklItemsList", &F::SelectNklItemsList, {"L", "ID", "CodeStore"}),
        bind("SelectNklItemOne", &F::SelectNklItemOne, {"Rec", "CodeStore"}),
        bind("UpdateNklItem", &F::UpdateNklItem, {"Rec"}),
        bind("InsertNklItem", &F::InsertNklItem, {"Rec"}),
        bind("DeleteNklItemOne", &F::DeleteNklItemOne, {"Rec"}),
        // Orders
        bind("SelectInvoiceList", &F::SelectInvoiceList,
             {"L", Opt("SelName"), Date("BeginDat"), Date("EndDat")}),
        bind("UpdateInvoice", &F::UpdateInvoice, {"Rec"}),
        bind("InsertInvoice", &F::InsertInvoice, {"Rec"}),
        bind("DeleteInvoice", &F::DeleteInvoice, {"Rec"}),
        bind("SelectInvoiceItemsList", &F::SelectInvoiceItemsList, {"L", "ID", "CodeStore"}),
        bind("SelectInvoiceItemOne", &F::SelectInvoiceItemOne, {"Rec", "CodeStore"}),
        bind("UpdateInvoiceItem", &F::UpdateInvoiceItem, {"Rec"}),
        bind("InsertInvoiceItem", &F::InsertInvoiceItem, {"Rec"}),
        bind("DeleteInvoiceItemOne", &F::DeleteInvoiceItemOne, {"Rec"}),
        // Receipts
        bind("SelectPrhList", &F::SelectPrhList, {"L", Opt("SelName"), Date("BeginDat"), Date("EndDat")}),
        bind("UpdatePrh", &F::UpdatePrh, {"Rec"}),
        bind("InsertPrh", &F::InsertPrh, {"Rec"}),
        bind("DeletePrh", &F::DeletePrh, {"Rec"}),
        bind("SelectPrhItemsList", &F::SelectPrhItemsList, {"L", "ID", "CodeStore"}),
        bind("SelectPrhItemOne", &F::SelectPrhItemOne, {"Rec", "CodeStore"}),
        bind("UpdatePrhItem", &F::UpdatePrhItem, {"Rec", Number("OldKol"), Number("OldCenZ"), "Compare"}),
        bind("InsertPrhItem", &F::InsertPrhItem, {"Rec"}),
        bind("DeletePrhItemOne", &F::DeletePrhItemOne, {"Rec"}),
        bind("InsertPrhItemExcel", &F::InsertPrhItemExcel, {"L", "IDZag"}),
        // Internal transfers
        bind("SelectVnkList", &F::SelectVnkList, {"L", Opt("SelName"), Date("BeginDat"), Date("EndDat")}),
        bind("UpdateVnk", &F::UpdateVnk, {"Rec"}),
        bind("InsertVnk", &F::InsertVnk, {"Rec"}),
        bind("DeleteVnk", &F::DeleteVnk, {"Rec"}),
        bind("SelectVnkItemsList", &F::SelectVnkItemsList, {"L", "ID", "CodeStoreI", "CodeStoreP"}),
        bind("SelectVnkItemOne", &F::SelectVnkItemOne, {"Rec", "CodeStoreI", "CodeStoreP"}),
        bind("UpdateVnkItem", &F::UpdateVnkItem, {"Rec"}),
        bind("InsertVnkItem", &F::InsertVnkItem, {"Rec"}),
        bind("DeleteVnkItemOne", &F::DeleteVnkItemOne, {"Rec"}),
        // Money operations
        bind("SelectMoneyList", &F::SelectMoneyList, {"L", Opt("SelName"), Date("BeginDat"), Date("EndDat")}),
        bind("UpdateMoney", &F::UpdateMoney, {"Rec"}),
        bind("InsertMoney", &F::InsertMoney, {"Rec"}),
        bind("DeleteMoney", &F::DeleteMoney, {"Rec"}),
        // Reports: codes of 0 or less (and absent ones) ask for all
        bind("RunRepOst", &F::RunRepOst, {"L", Opt("SelName"), Opt("FlagZero"), Opt("CodeStore")}),
        bind("RunRepMoveGood", &F::RunRepMoveGood, {"L", "ID", Date("EndDat"), Opt("CodeStore")}),
        bind("RunRepSaleSt", &F::RunRepSaleSt,
             {"L", Date("BeginDat"), Date("EndDat"), Opt("SelName"), Opt("CodeKl"), Opt("CodeStore"),
              Opt("CodeManager")}),
        bind("RunRepSaleDynam", &F::RunRepSaleDynam,
             {"L", Date("BeginDat"), Date("EndDat"), Opt("CodeDetal"), Opt("CodeKl"), Opt("CodeStore"),
              Opt("CodeManager")}),
        bind("RunRepPrhSt", &F::RunRepPrhSt,
             {"L", Date("BeginDat"), Date("EndDat"), Opt("SelName"), Opt("CodeKl"), Opt("CodeStore")}),
        bind("RunRepPrhDynam", &F::RunRepPrhDynam,
             {"L", Date("BeginDat"), Date("EndDat"), Opt("CodeDetal"), Opt("CodeKl"), Opt("CodeStore")}),
        bind("RunRepDolg", &F::RunRepDolg, {"L", Date("EndDat"), Opt("CodeManager")}),
        bind("RunRepMoveKl", &F::RunRepMoveKl, {"L", "ID", Date("EndDat")}),
        // Rights, passwords, backup
        bind("SelectUserRights", &F::SelectUserRights, {"ID", "L"}),
        bind("UpdateUserRights", &F::UpdateUserRights, {"ID", "L"}),
        bind("CreateNewPas", &F::CreateNewPas, {"userID", "dopUserLogin"}),
        bind("SelectStoreRightsOnStore", &F::SelectStoreRightsOnStore, {"idStore", "L"}),
        bind("SelectStoreRightsOnUser", &F::SelectStoreRightsOnUser, {"idUser", "L"}),
        bind("UpdateStoreRightsOnStore", &F::UpdateStoreRightsOnStore, {"idStore", "L"}),
        bind("RunBlackup", &F::RunBlackup, {}),
    };
}

} // namespace

const QList<Operation>& Operations() {
    static const QList<Operation> table = buildTable();
    return table;
}

const Operation* FindOperation(const QString& name) {
    for (const Operation& op : Operations())
        if (op.name == name) return &op;
    return nullptr;
}

} // namespace cli
