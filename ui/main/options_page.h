#pragma once

#include <QWidget>

class TStatusBar;

// The options page: the own organization's requisites and the database backup.
class TOptionsPage : public QWidget {
    Q_OBJECT
public:
    TOptionsPage(TStatusBar& bar, QWidget* parent = nullptr);

    void ButEditOrgClick();
    void ButBackupClick();

    // Only web addresses are handed to the browser: the service may answer with an error text
    // instead, and the desktop's "open" must never be given anything else.
    static bool IsDownloadAddress(const QString& text);

private:
    TStatusBar& m_bar;
};
