// The sales waybill's УПД as an XML e-document: what it prints on paper (the header as stored,
// the lines of the grid, both parties' requisites read just before), written into a folder.
// Like printing, it changes nothing and stays open to a read-only editor.
#include "form_edit_doc.h"
#include "server_wait.h"
#include "upd_export.h"
#include "user_interaction.h"

#include <QDir>

void TFormEditDoc::ButUpdXmlClick() {
    const QString folder =
        AskFolder(FileDialogPurpose::EDocument, QStringLiteral("Папка для УПД (XML)"), QDir::homePath());
    if (folder.isEmpty()) return;
    QString failure;
    {
        TServerWait wait(*SBarInfo, 0);
        TFormLoad fl;
        TDocPrintData::ReadRequisites(fl, m_family.kind, LocalRec, BankRecOrg, BankRecKl);
        if (fl.Failed()) failure = QStringLiteral("Реквизиты не прочитаны: %1").arg(fl.MemoInfo.last());
    }
    const TUpdExport upd =
        failure.isEmpty() ? TUpdExport::Write(PrintData(), folder) : TUpdExport{{}, failure, {}};
    if (!upd.failure.isEmpty()) {
        ShowInfo(QStringLiteral("УПД не выгружен. ") + upd.failure);
        return;
    }
    QString text = QStringLiteral("УПД записан в файл %1").arg(QDir::toNativeSeparators(upd.path));
    if (!upd.lost.isEmpty()) text += QStringLiteral(".\n") + upd.LostMessage(LocalRec.ID);
    ShowInfo(text);
}
