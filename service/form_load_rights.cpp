// Rights, user passwords and the backup.
#include "form_load.h"
#include "reply_fields.h"
#include "wire_values.h"

namespace {

using Element = TFormLoad::Element;
using kovrel::reply::k;
using kovrel::wire::Int;

void readStoreRights(TRecStoreRights& r, const Element& e) {
    r.idStore = e.Int(k("id_store"));
    r.idUser = e.Int(k("id_user"));
    r.ur = e.Int(k("ur"));
    r.userName = e.Text(k("user_name"));
}

TFormLoad::Form idForm(int id) {
    TFormLoad::Form f = TFormLoad::NewForm();
    f.AddField(QStringLiteral("id"), Int(id));
    return f;
}

} // namespace

void TFormLoad::SelectUserRights(int ID, TSortedList<TRecUserRights>& L) {
    CreateSortedList(L, 2048);
    ReadArray(QStringLiteral("/get-user-rights.php"), idForm(ID), [&L](const Element& e) {
        auto r = std::make_unique<TRecUserRights>();
        r->idRight = e.Int(k("id_right"));
        r->ur = e.Int(k("ur"));
        const QString key = QString::number(r->idRight);
        L.AddOwned(key, std::move(r));
    });
}

bool TFormLoad::UpdateUserRights(int ID, const TSortedList<TRecUserRights>& L) {
    Form f = idForm(ID);
    for (int i = 0; i < L.Count(); ++i)
        f.AddField(QStringLiteral("UR") + L.Strings(i), Int(L.Objects(i)->ur));
    return PlainWrite(QStringLiteral("/update-user-rights.php"), f);
}

bool TFormLoad::CreateNewPas(int userID, const QString& dopUserLogin) {
    Form f = NewForm();
    f.AddField(QStringLiteral("user_id"), Int(userID));
    // A login, so no charset; blanks typed around it are not part of it.
    f.AddField(QStringLiteral("user_dop_login"), dopUserLogin.trimmed());
    return PlainWrite(QStringLiteral("/create-new-pas.php"), f);
}

void TFormLoad::SelectStoreRightsOnStore(int idStore, RecordList<TRecStoreRights>& L) {
    ListQuery<TRecStoreRights>(L, QStringLiteral("/get-store-rights-one-store.php"), idForm(idStore),
                               readStoreRights);
}

void TFormLoad::SelectStoreRightsOnUser(int idUser, TSortedList<TRecStoreRights>& L) {
    CreateSortedList(L, 2048);
    ReadArray(QStringLiteral("/get-store-rights-one-user.php"), idForm(idUser), [&L](const Element& e) {
        auto r = std::make_unique<TRecStoreRights>();
        readStoreRights(*r, e);
        const QString key = QString::number(r->idStore);
        L.AddOwned(key, std::move(r));
    });
}

bool TFormLoad::UpdateStoreRightsOnStore(int idStore, const RecordList<TRecStoreRights>& L) {
    Form f = idForm(idStore);
    for (const auto& r : L)
        f.AddField(QStringLiteral("user_id_") + QString::number(r->idUser), Int(r->ur));
    return PlainWrite(QStringLiteral("/update-store-rights.php"), f);
}

QString TFormLoad::RunBlackup() {
    const LongRequest slow(*this);
    // The reply is handed on whatever it says: an address, or the service's own error text.
    return Command(QStringLiteral("/backup-db.php"), NewForm());
}
