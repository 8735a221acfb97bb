#pragma once

#include "catalog_pages.h"
#include "journal_pages.h"
#include "selection_slot.h"
#include "settings_file.h"
#include "state_file.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QMenu;
class QScrollArea;
class QSplitter;
class QStackedWidget;
class TAboutPage;
class TagListBox;
class TOptionsPage;
class TRegPage;
class TReportPage;
class TRepDolgPage;
class TRepMoveGoodPage;
class TRepMoveKlientPage;
class TRepOstPage;
class TRepPrhDynamPage;
class TRepPrhStPage;
class TRepSaleDynamPage;
class TRepSaleStPage;
class TStatusBar;

namespace kovrel {
class HttpTransport;
}

// The main window, alive for the whole run: three navigation lists on the left, one page at a
// time on the right, a two-panel status bar. Creating it runs the program's start-up: formats,
// version, settings, sign-in, navigation, default periods, the About page. It carries the
// selection slot through which pickers hand back their choice.
class TMainF : public QMainWindow, public TSelectionSlot {
    Q_OBJECT
public:
    // `settingsPath` names the settings file; empty for the program's own (TSettingsFile::DefaultPath).
    explicit TMainF(const QString& settingsPath = QString(), QWidget* parent = nullptr);
    ~TMainF() override;

    // ---- Sign-in (page TSReg) ----
    void LoadSettings();
    void SaveSettings();
    // Signs in; when that does not succeed, the sign-in page comes up with the reason.
    void SignIn();
    void RequestAdminPassword();

    // ---- Navigation: the clicked item's tag decides ----
    void LBoxDocClick(int tag);
    void LBoxRepClick(int tag);
    void LBoxOptionsClick(int tag);

    // ---- Catalog page loaders ----
    void RefreshStores();
    void RefreshKlients();
    void RefreshManagers();
    void RefreshGoods();
    void RefreshNorms();
    void RefreshGroups();
    void RefreshUsers();

    // ---- Journal loaders ----
    void RefreshPrh();
    void RefreshNkl();
    void RefreshInvoice();
    void RefreshVnk();
    void RefreshMoney();

    // ---- Report loaders ----
    void RefreshRepOst();
    void RefreshRepMoveGood();
    void RefreshRepSaleSt();
    void RefreshRepSaleDynam();
    void RefreshRepPrhSt();
    void RefreshRepPrhDynam();
    void RefreshRepDolg();
    void RefreshRepMoveKlient();

    // ---- Export of the report grids (right mouse button on a report grid, or "Экспорт") ----
    // The page whose grid the export menu was last opened on.
    TReportPage* PopupPage() const { return m_popupPage; }
    // The three items of PMenuExport, on the grid of PopupPage() with its widths as they are now.
    void MenuExpExcelClick();
    void MenuExpCalcClick();
    void MenuExpCSVClick();

    // ---- Filters of the report pages: "(все)" (-1), then the entries with their IDs ----
    // Stores the user may see in reports, in the service's order. False when they could not
    // be read: the box keeps what it offered and the status bar says why.
    bool FillStoreCombo(QComboBox* box);
    bool FillManagerCombo(QComboBox* box);

    void ShowPage(QWidget* page);
    QWidget* CurrentPage() const;

    // The navigation's items in the lists' order, each with the page it shows.
    struct NavEntry {
        TagListBox* list;
        int tag;
        QWidget* page;
    };
    std::vector<NavEntry> Navigation() const;
    // What a click on the item does.
    void NavigationClick(const NavEntry& item);

    kovrel::HttpTransport& IdHTTPReq2() { return *m_http2; }
    const TSettingsFile& SettingsFile() const { return m_settings; }

    // Controls and pages, named as the program's designs name them.
    TStatusBar* SBarInfo = nullptr;
    QMenu* PMenuExport = nullptr;
    QAction* MenuExpExcel = nullptr;
    QAction* MenuExpCalc = nullptr;
    QAction* MenuExpCSV = nullptr;
    QStackedWidget* PageC = nullptr;
    TagListBox* LBoxDoc = nullptr;
    TagListBox* LBoxRep = nullptr;
    TagListBox* LBoxOptions = nullptr;
    TAboutPage* TSAbout = nullptr;
    TRegPage* TSReg = nullptr;
    TOptionsPage* TSOptions = nullptr;
    TCatalogPages Catalogs;
    TJournalPageOf<TRecDoc>* TSPrh = nullptr;
    TJournalPageOf<TRecDoc>* TSNkl = nullptr;
    TJournalPageOf<TRecDoc>* TSInvoice = nullptr;
    TJournalPageOf<TRecDoc>* TSVnk = nullptr;
    TJournalPageOf<TRecMoney>* TSMoney = nullptr;
    TRepOstPage* TSRepOst = nullptr;
    TRepMoveGoodPage* TSRepMoveGood = nullptr;
    TRepSaleStPage* TSRepSaleSt = nullptr;
    TRepSaleDynamPage* TSRepSaleDynam = nullptr;
    TRepDolgPage* TSRepDolg = nullptr;
    TRepMoveKlientPage* TSRepMoveKlient = nullptr;
    TRepPrhStPage* TSRepPrhSt = nullptr;
    TRepPrhDynamPage* TSRepPrhDynam = nullptr;

    QString ExeDir;

private:
    struct NavItem {
        QString text;
        int tag;
        QWidget* page; // the page the item shows
        std::function<void()> open;
    };

    void buildLayout();
    void buildPages();
    void buildNavigation();
    void fitNavigation();
    void buildExportMenu();
    // Shows an export's progress in panel 1 of the status bar and keeps the window painted.
    void exportProgress(int done, int total);
    QString exportTitle() const;
    void startUp();
    void openJournal(int rightView, int rightFull, TJournalPage* page);
    void openReport(int right, TReportPage* page);
    void openCatalog(QWidget* page, const std::function<void()>& loader);
    bool fillFilterCombo(QComboBox* box, const std::function<void(TFormLoad&, RecordList<TRecKlient>&)>& load,
                         const std::function<bool(const TRecKlient&)>& shown);
    static void run(const std::vector<NavItem>& items, int tag);
    void markNavigation();
    QList<TReportPage*> reportPages() const;

    TSettingsFile m_settings;
    // Where the windows stood last time, beside the settings file; installed for the run.
    TStateFile m_state;
    std::unique_ptr<kovrel::HttpTransport> m_http2;
    std::vector<NavItem> m_docItems;
    std::vector<NavItem> m_repItems;
    std::vector<NavItem> m_optionItems;
    TReportPage* m_popupPage = nullptr;
    QSplitter* m_splitter = nullptr;
    QScrollArea* m_navigation = nullptr;
};
