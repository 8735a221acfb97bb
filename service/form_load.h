#pragma once

#include "date_time.h"
#include "http_transport.h"
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
#include "record_list.h"
#include "request_failure.h"
#include "sorted_list.h"
#include "wire/json_reply.h"
#include "wire/multipart_form.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// The request object: every call to the service is an operation of this class. A caller
// creates one, calls one operation or a few in a row, and discards it; the log and the HTTP
// client's cookies end with it. Operations never show anything: a failure is written to
// MemoInfo and the operation returns false, an empty text, or a list holding what was read
// before the failure.
//
// Shapes of the operations:
//   list query       fills the caller's list (emptied first) with one record per array element
//   single fetch     returns a new record; only its ID is set when the reply is empty or fails
//   line refresh     returns a new record read from the first element, or null (caller keeps its own)
//   insert, new ID   true on success; the record's ID becomes the reply when it is an integer
//   plain write      true on success
//   command          the reply text, trimmed; empty on failure
class TFormLoad {
public:
    TFormLoad();
    explicit TFormLoad(std::unique_ptr<kovrel::HttpTransport> transport);
    ~TFormLoad();
    TFormLoad(const TFormLoad&) = delete;
    TFormLoad& operator=(const TFormLoad&) = delete;

    // The log: reply texts (the beginning of a long one), record counts and failure messages, one
    // entry per line.
    QStringList MemoInfo;
    kovrel::HttpTransport& IdHTTPReq() { return *m_http; }
    // True once a call on this object has failed (the failure is in MemoInfo). The operations'
    // own results stay as they are; tools that must tell a failed list query from an empty one
    // ask here.
    bool Failed() const { return m_failure.has_value(); }
    // What the last failure of a call on this object was, for the window that made it; empty
    // while none failed.
    const std::optional<kovrel::RequestFailure>& Failure() const { return m_failure; }

    // ---- Catalogs ---------------------------------------------------------------------------
    void SelectStoreList(RecordList<TRecKlient>& L, const QString& SelName);
    bool UpdateStore(const TRecKlient& RecKl);
    bool InsertStore(const TRecKlient& RecKl);
    bool DeleteStore(const TRecKlient& RecKl);

    void SelectUserList(RecordList<TRecUser>& L, const QString& SelName);
    bool UpdateUser(const TRecUser& RecKl);
    bool InsertUser(const TRecUser& RecKl);
    bool DeleteUser(const TRecUser& RecKl);

    void SelectKlientList(RecordList<TRecKlient>& L, const QString& SelName, int TypeInd);
    bool UpdateKlient(const TRecKlient& RecKl);
    bool InsertKlient(TRecKlient& RecKl);
    bool DeleteKlient(const TRecKlient& RecKl);

    void SelectGroupList(RecordList<TRecKlient>& L, const QString& SelName);
    bool UpdateGroup(const TRecKlient& RecKl);
    bool InsertGroup(TRecKlient& RecKl);
    bool DeleteGroup(const TRecKlient& RecKl);

    void SelectManagerList(RecordList<TRecKlient>& L, const QString& SelName);
    bool UpdateManager(const TRecKlient& RecKl);
    bool InsertManager(TRecKlient& RecKl);
    bool DeleteManager(const TRecKlient& RecKl);

    std::unique_ptr<TRecBank> SelectBank(int ID);
    bool UpdateBank(const TRecBank& RecBank);
    // The party's e-document participant ID, beside its requisites: the ID that UpdateBank takes.
    bool UpdateEdoID(int ID, const QString& EdoID);

    void SelectGoodList(RecordList<TRecGood>& L, const QString& SelName, bool FlagNorm);
    void SelectOstList(RecordList<TRecGood>& L, const QString& SelName, int FlagZero, int CodeStore);
    bool UpdateGood(const TRecGood& RecGood);
    bool InsertGood(const TRecGood& RecGood);
    bool DeleteGood(const TRecGood& RecGood);
    // The item's unit of measure, an ОКЕИ code; an empty one clears it.
    bool UpdateGoodUnit(int ID, const QString& OKEI);

    // ---- Documents --------------------------------------------------------------------------
    void SelectNklList(RecordList<TRecDoc>& L, const QString& SelName, TDateTime BeginDat, TDateTime EndDat);
    bool UpdateNkl(const TRecDoc& RecNkl);
    bool InsertNkl(TRecDoc& RecNkl);
    bool DeleteNkl(const TRecDoc& RecNkl);
    void SelectNklItemsList(RecordList<TRecDocItem>& L, int ID, int CodeStore);
    std::unique_ptr<TRecDocItem> SelectNklItemOne(const TRecDocItem& Rec, int CodeStore);
    bool UpdateNklItem(const TRecDocItem& Rec);
    bool InsertNklItem(TRecDocItem& Rec);
    bool DeleteNklItemOne(const TRecDocItem& Rec);

    void SelectInvoiceList(RecordList<TRecDoc>& L, const QString& SelName, TDateTime BeginDat,
                           TDateTime EndDat);
    bool UpdateInvoice(const TRecDoc& RecInvoice);
    bool InsertInvoice(TRecDoc& RecInvoice);
    bool DeleteInvoice(const TRecDoc& RecInvoice);
    void SelectInvoiceItemsList(RecordList<TRecDocItem>& L, int ID, int CodeStore);
    std::unique_ptr<TRecDocItem> SelectInvoiceItemOne(const TRecDocItem& Rec, int CodeStore);
    bool UpdateInvoiceItem(const TRecDocItem& Rec);
    bool InsertInvoiceItem(TRecDocItem& Rec);
    bool DeleteInvoiceItemOne(const TRecDocItem& Rec);

    void SelectPrhList(RecordList<TRecDoc>& L, const QString& SelName, TDateTime BeginDat, TDateTime EndDat);
    bool UpdatePrh(const TRecDoc& RecPrh);
    bool InsertPrh(TRecDoc& RecPrh);
    bool DeletePrh(const TRecDoc& RecPrh);
    void SelectPrhItemsList(RecordList<TRecDocItem>& L, int ID, int CodeStore);
    std::unique_ptr<TRecDocItem> SelectPrhItemOne(const TRecDocItem& Rec, int CodeStore);
    bool UpdatePrhItem(const TRecDocItem& Rec, double OldKol, double OldCenZ, int Compare);
    bool InsertPrhItem(TRecDocItem& Rec);
    bool DeletePrhItemOne(const TRecDocItem& Rec);
    bool InsertPrhItemExcel(const RecordList<TRecGood>& L, int IDZag);

    void SelectVnkList(RecordList<TRecDoc>& L, const QString& SelName, TDateTime BeginDat, TDateTime EndDat);
    bool UpdateVnk(const TRecDoc& RecVnk);
    bool InsertVnk(TRecDoc& RecVnk);
    bool DeleteVnk(const TRecDoc& RecVnk);
    void SelectVnkItemsList(RecordList<TRecDocItem>& L, int ID, int CodeStoreI, int CodeStoreP);
    std::unique_ptr<TRecDocItem> SelectVnkItemOne(const TRecDocItem& Rec, int CodeStoreI, int CodeStoreP);
    bool UpdateVnkItem(const TRecDocItem& Rec);
    bool InsertVnkItem(TRecDocItem& Rec);
    bool DeleteVnkItemOne(const TRecDocItem& Rec);

    void SelectMoneyList(RecordList<TRecMoney>& L, const QString& SelName, TDateTime BeginDat,
                         TDateTime EndDat);
    bool UpdateMoney(const TRecMoney& RecMoney);
    bool InsertMoney(const TRecMoney& RecMoney);
    bool DeleteMoney(const TRecMoney& RecMoney);

    // ---- Reports (dates without the time of day) ---------------------------------------------
    void RunRepOst(RecordList<TRecGood>& L, const QString& SelName, bool FlagZero, int CodeStore);
    void RunRepMoveGood(RecordList<TRecMoveGood>& L, int ID, TDateTime EndDat, int CodeStore);
    void RunRepSaleSt(RecordList<TRecSt>& L, TDateTime BeginDat, TDateTime EndDat, const QString& SelName,
                      int CodeKl, int CodeStore, int CodeManager);
    void RunRepSaleDynam(RecordList<TRecDynam>& L, TDateTime BeginDat, TDateTime EndDat, int CodeDetal,
                         int CodeKl, int CodeStore, int CodeManager);
    void RunRepPrhSt(RecordList<TRecSt>& L, TDateTime BeginDat, TDateTime EndDat, const QString& SelName,
                     int CodeKl, int CodeStore);
    void RunRepPrhDynam(RecordList<TRecDynam>& L, TDateTime BeginDat, TDateTime EndDat, int CodeDetal,
                        int CodeKl, int CodeStore);
    void RunRepDolg(RecordList<TRecDolg>& L, TDateTime EndDat, int CodeManager);
    void RunRepMoveKl(RecordList<TRecMoveKl>& L, int ID, TDateTime EndDat);

    // ---- Rights, password, backup -----------------------------------------------------------
    void SelectUserRights(int ID, TSortedList<TRecUserRights>& L);
    bool UpdateUserRights(int ID, const TSortedList<TRecUserRights>& L);
    bool CreateNewPas(int userID, const QString& dopUserLogin);
    void SelectStoreRightsOnStore(int idStore, RecordList<TRecStoreRights>& L);
    void SelectStoreRightsOnUser(int idUser, TSortedList<TRecStoreRights>& L);
    bool UpdateStoreRightsOnStore(int idStore, const RecordList<TRecStoreRights>& L);
    QString RunBlackup();

    // ---- The frame, for operations and for tools that speak the protocol directly ----------
    using Form = kovrel::wire::MultipartForm;
    using Element = kovrel::wire::ReplyElement;
    using ElementFn = std::function<void(const Element&)>;

    // A form holding the four authentication fields of the current session.
    static Form NewForm();

    // Posts the form and reads a JSON array, calling `each` per element in order. False after
    // any failure (logged); elements read before it have been handed to `each`.
    bool ReadArray(const QString& endpoint, const Form& form, const ElementFn& each);
    // The same for a reply that has already arrived.
    bool ReadArray(const kovrel::HttpReply& reply, const ElementFn& each);

    template <class T>
    void ListQuery(RecordList<T>& L, const QString& endpoint, const Form& form,
                   const std::function<void(T&, const Element&)>& fill, int capacity = 2048) {
        CreateList(L, capacity);
        AppendQuery(L, endpoint, form, fill);
    }

    // As ListQuery without emptying the list first; false after a failure.
    template <class T>
    bool AppendQuery(RecordList<T>& L, const QString& endpoint, const Form& form,
                     const std::function<void(T&, const Element&)>& fill) {
        return ReadArray(endpoint, form, [&](const Element& e) {
            auto rec = std::make_unique<T>();
            fill(*rec, e);
            L.push_back(std::move(rec));
        });
    }

    // The record read from the first element, or null when the reply is empty or fails.
    template <class T>
    std::unique_ptr<T> FirstElement(const QString& endpoint, const Form& form,
                                    const std::function<void(T&, const Element&)>& fill) {
        std::unique_ptr<T> result;
        ReadArray(endpoint, form, [&](const Element& e) {
            if (result) return;
            auto rec = std::make_unique<T>();
            fill(*rec, e);
            result = std::move(rec);
        });
        return result;
    }

    bool InsertWithNewID(const QString& endpoint, const Form& form, int& id);
    bool PlainWrite(const QString& endpoint, const Form& form);
    QString Command(const QString& endpoint, const Form& form);

private:
    struct Reply {
        int status = 0;
        QString text; // trimmed
    };
    // Sends the form; a transport failure, an unfollowed redirect or an HTTP error is logged
    // and gives nothing.
    std::optional<Reply> Send(const QString& endpoint, const Form& form);
    // Whether the reply is usable; when it is not, the failure is logged.
    bool Accept(const kovrel::HttpReply& reply);
    void Log(const QString& line) { MemoInfo.append(line); }
    void Fail(kovrel::RequestFailure failure) {
        Log(failure.technical);
        m_failure = std::move(failure);
    }

    // Reports, imports and backups may think for minutes before they answer; while one lives,
    // the transport waits that long for their first byte.
    class LongRequest {
    public:
        explicit LongRequest(TFormLoad& fl)
            : m_http(*fl.m_http)
            , m_saved(m_http.StallTimeout()) {
            m_http.SetStallTimeout(kovrel::HttpTransport::kLongStallTimeout);
        }
        ~LongRequest() { m_http.SetStallTimeout(m_saved); }
        LongRequest(const LongRequest&) = delete;
        LongRequest& operator=(const LongRequest&) = delete;

    private:
        kovrel::HttpTransport& m_http;
        int m_saved;
    };

    std::unique_ptr<kovrel::HttpTransport> m_http;
    std::optional<kovrel::RequestFailure> m_failure;
};

namespace kovrel {

// Posts a form to BaseURL + endpoint in the client's wire form (boundary from the local time).
HttpReply PostForm(HttpTransport& http, const QString& endpoint, const wire::MultipartForm& form);

// Trims blanks and control characters at both ends, as replies are trimmed.
QString TrimControl(const QString& text);

// The message logged for a reply that is not a success: the status line of an HTTP error or a
// redirect that was not followed, followed by the service's reason when it gave one, or the
// transport's own text.
QString FailureMessage(const HttpReply& reply);

// The short plain-text reason that comes with an HTTP error (its first line); empty for any
// other reply, an HTML error page included.
QString ServiceReason(const HttpReply& reply);

// A reply text as the log keeps it: whole when a person would read it through, else its
// beginning and its length (a report's reply runs to megabytes).
QString LoggedReply(QByteArrayView utf8);

// True for a reply that counts as delivered without failure (status 200 to 299).
bool IsUsable(const HttpReply& reply);

} // namespace kovrel
