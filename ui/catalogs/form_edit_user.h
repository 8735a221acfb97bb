#pragma once

#include "editor_window.h"
#include "rec_user.h"
#include "rec_user_rights.h"
#include "sorted_list.h"

#include <QList>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The administrator's editor of a user of the account: name and e-mail login, the function
// rights as a check list under three headers, the five day limits after which documents may no
// longer be changed, and a new password mailed to the user. Rights travel as the service listed
// them when the window opened: only those entries are written back, so a right the service did
// not list for the user is never sent. A new user gets rights after the first save.
class TFormEditUser final : public TEditorWindow {
    Q_OBJECT
public:
    TFormEditUser(QWidget* owner, TRecUser& rec);

    void ButNewPasClick();

    TRecUser& LocalRec;
    TSortedList<TRecUserRights> ListUR;

    QLineEdit* EdName = nullptr;
    QLineEdit* EdPrim = nullptr;
    QPushButton* ButNewPas = nullptr;
    QListWidget* CLBoxUR = nullptr;
    // EdUR1003, EdUR2003, EdUR7003, EdUR3003, EdUR4003, top to bottom.
    QList<QLineEdit*> DayLimitBoxes;

    // The right code an item of the rights list stands for; 0 for a header.
    static int CodeOf(const QListWidgetItem* item);

protected:
    bool Save() override;

private:
    QWidget* buildTopPanel();
    QWidget* buildDayLimits();
    void addRightItems();
    void FormCreate();
    void showRights();
    void readRights();

    QList<int> m_dayCodes;
};
