#include "main_f.h"

#include "about_page.h"
#include "category_panel.h"
#include "format_settings.h"
#include "http_transport.h"
#include "options_page.h"
#include "program_version.h"
#include "reg_page.h"
#include "rep_dolg_page.h"
#include "rep_move_good_page.h"
#include "rep_move_klient_page.h"
#include "rep_ost_page.h"
#include "rep_prh_dynam_page.h"
#include "rep_prh_st_page.h"
#include "rep_sale_dynam_page.h"
#include "rep_sale_st_page.h"
#include "session.h"
#include "status_bar.h"
#include "tag_list_box.h"
#include "window_place.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QVBoxLayout>

#include <cmath>

namespace {

QFont tahoma(int pixels) {
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(pixels);
    return f;
}

constexpr int kNavWidth = 200;

} // namespace

TMainF::TMainF(const QString& settingsPath, QWidget* parent)
    : QMainWindow(parent)
    , m_settings(settingsPath.isEmpty() ? TSettingsFile::DefaultPath() : settingsPath)
    , m_state(TStateFile::PathBeside(m_settings.Path()))
    , m_http2(std::make_unique<kovrel::HttpTransport>(false)) {
    setObjectName(QStringLiteral("MainF"));
    setWindowTitle(QStringLiteral("Kovrel"));
    setFont(tahoma(11));
    SetCurrentStateFile(&m_state);
    buildLayout();
    buildPages();
    startUp();
}

TMainF::~TMainF() {
    if (CurrentStateFile() == &m_state) SetCurrentStateFile(nullptr);
}

void TMainF::buildLayout() {
    SBarInfo = new TStatusBar(this);
    SBarInfo->setObjectName(QStringLiteral("SBarInfo"));
    SBarInfo->AddPanel(200);
    SBarInfo->AddPanel(400);
    setStatusBar(SBarInfo);

    auto* group = new QWidget;
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->setContentsMargins(0, 0, 0, 0);
    groupLayout->setSpacing(0); // the three panels fill the column at the design size without scrolling
    const auto addPanel = [&](const char* name, const QString& caption, int height, TagListBox*& list,
                              const char* listName) {
        auto* panel = new CategoryPanel(caption, height, group);
        panel->setObjectName(QString::fromLatin1(name));
        list = new TagListBox(panel);
        list->setObjectName(QString::fromLatin1(listName));
        panel->SetContent(list);
        groupLayout->addWidget(panel);
    };
    addPanel("CPanelExchange", QStringLiteral("Документы"), 153, LBoxDoc, "LBoxDoc");
    addPanel("CPanelRep", QStringLiteral("Отчеты"), 232, LBoxRep, "LBoxRep");
    addPanel("CPanelOptions", QStringLiteral("Настройки"), 250, LBoxOptions, "LBoxOptions");
    groupLayout->addStretch(1);
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("CategoryPanelGroup1"));
    scroll->setWidget(group);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(100);

    PageC = new QStackedWidget;
    PageC->setObjectName(QStringLiteral("PageC"));
    PageC->setFont(tahoma(13));

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setHandleWidth(5);
    splitter->addWidget(scroll);
    splitter->addWidget(PageC);
    splitter->setStretchFactor(1, 1);
    splitter->setCollapsible(0, false);
    setCentralWidget(splitter);

    resize(1084, 661);
    // The navigation column keeps its width when the window grows; the pages take the rest.
    splitter->setStretchFactor(0, 0);
    splitter->resize(1084, 600); // the splitter divides its own width, known before the window shows
    m_splitter = splitter;
    m_navigation = scroll;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    WindowPlace::Keep(this, QStringLiteral("MainF"));
    WindowPlace::KeepSplitter(splitter, QStringLiteral("Splitter1"));

    connect(LBoxDoc, &TagListBox::TagClicked, this, &TMainF::LBoxDocClick);
    connect(LBoxRep, &TagListBox::TagClicked, this, &TMainF::LBoxRepClick);
    connect(LBoxOptions, &TagListBox::TagClicked, this, &TMainF::LBoxOptionsClick);
}

void TMainF::buildPages() {
    TSAbout = new TAboutPage(PageC);
    TSReg = new TRegPage(m_settings, *SBarInfo, *m_http2, PageC);
    TSOptions = new TOptionsPage(*SBarInfo, PageC);
    Catalogs = TCatalogPages::Create(*SBarInfo, PageC);
    const TJournalPages journals = TJournalPages::Create(*SBarInfo, *this, PageC);
    TSPrh = journals.Prh;
    TSNkl = journals.Nkl;
    TSInvoice = journals.Invoice;
    TSVnk = journals.Vnk;
    TSMoney = journals.Money;
    TSRepOst = new TRepOstPage(*SBarInfo, *this, PageC);
    TSRepMoveGood = new TRepMoveGoodPage(*SBarInfo, *this, PageC);
    TSRepSaleSt = new TRepSaleStPage(*SBarInfo, *this, PageC);
    TSRepSaleDynam = new TRepSaleDynamPage(*SBarInfo, *this, PageC);
    TSRepDolg = new TRepDolgPage(*SBarInfo, *this, PageC);
    TSRepMoveKlient = new TRepMoveKlientPage(*SBarInfo, *this, PageC);
    TSRepPrhSt = new TRepPrhStPage(*SBarInfo, *this, PageC);
    TSRepPrhDynam = new TRepPrhDynamPage(*SBarInfo, *this, PageC);
    for (QWidget* page : std::initializer_list<QWidget*>{
             TSAbout, TSReg, TSOptions, Catalogs.Store, Catalogs.Klient, Catalogs.Good, Catalogs.Norm,
             Catalogs.Group, Catalogs.User, Catalogs.Manager, TSPrh, TSNkl, TSInvoice, TSVnk, TSMoney})
        PageC->addWidget(page);
    for (TReportPage* page : reportPages())
        PageC->addWidget(page);
    buildExportMenu();
}

QList<TReportPage*> TMainF::reportPages() const {
    return {TSRepOst,  TSRepMoveGood,   TSRepSaleSt, TSRepSaleDynam,
            TSRepDolg, TSRepMoveKlient, TSRepPrhSt,  TSRepPrhDynam};
}

void TMainF::startUp() {
    BuildFormatSettings();
    const TProgramVersion version = ProgramVersion();
    ClientTag = ClientTagOf(version);
    TSAbout->SetVersionText(VersionText(version));

    ExeDir = QCoreApplication::applicationDirPath();
    SignInState = TSignInRec();
    LoadSettings();
    const bool signedIn = TSReg->SignIn();

    buildNavigation();
    fitNavigation();

    if (QComboBox* kind = Catalogs.Klient->KindBox()) {
        const QSignalBlocker quiet(kind);
        kind->setCurrentIndex(0);
    }
    ClearSelection();
    const TDateTime now = kovrel::Now();
    for (TReportPage* page : reportPages())
        page->ResetParameters(now);
    for (TJournalPage* page : std::initializer_list<TJournalPage*>{TSPrh, TSNkl, TSInvoice, TSVnk, TSMoney})
        page->SetDefaultPeriod(now);
    // A sign-in that did not succeed must not look like one: its page says why.
    ShowPage(signedIn ? static_cast<QWidget*>(TSAbout) : TSReg);
}

// The navigation column is as wide as the design wants, or as its longest entry needs with
// the font in use.
void TMainF::fitNavigation() {
    int widest = 0;
    for (const TagListBox* list : {LBoxDoc, LBoxRep, LBoxOptions})
        for (int row = 0; row < list->count(); ++row)
            widest = std::max(widest,
                              static_cast<int>(std::ceil(
                                  QFontMetricsF(list->font()).horizontalAdvance(list->item(row)->text()))));
    const QStyle* style = LBoxDoc->style();
    const int textMargins = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, LBoxDoc) + 1);
    const int needed = widest + textMargins + 2 * LBoxDoc->frameWidth() + 2 * m_navigation->frameWidth() +
                       m_navigation->verticalScrollBar()->sizeHint().width();
    const int width = std::max(kNavWidth, needed);
    m_splitter->setSizes({width, m_splitter->width() - width - m_splitter->handleWidth()});
}

// ---- Sign-in ------------------------------------------------------------------------------

void TMainF::LoadSettings() {
    TSReg->LoadSettings();
}
void TMainF::SaveSettings() {
    TSReg->SaveSettings();
}
void TMainF::SignIn() {
    if (!TSReg->SignIn()) ShowPage(TSReg);
}
void TMainF::RequestAdminPassword() {
    TSReg->RequestAdminPassword();
}

// ---- Pages --------------------------------------------------------------------------------

void TMainF::ShowPage(QWidget* page) {
    PageC->setCurrentWidget(page);
    markNavigation();
}

QWidget* TMainF::CurrentPage() const {
    return PageC->currentWidget();
}

void TMainF::RefreshStores() {
    Catalogs.Store->Refresh();
}
void TMainF::RefreshKlients() {
    Catalogs.Klient->Refresh();
}
void TMainF::RefreshManagers() {
    Catalogs.Manager->Refresh();
}
void TMainF::RefreshGoods() {
    Catalogs.Good->Refresh();
}
void TMainF::RefreshNorms() {
    Catalogs.Norm->Refresh();
}
void TMainF::RefreshGroups() {
    Catalogs.Group->Refresh();
}
void TMainF::RefreshUsers() {
    Catalogs.User->Refresh();
}
void TMainF::RefreshPrh() {
    TSPrh->Refresh();
}
void TMainF::RefreshNkl() {
    TSNkl->Refresh();
}
void TMainF::RefreshInvoice() {
    TSInvoice->Refresh();
}
void TMainF::RefreshVnk() {
    TSVnk->Refresh();
}
void TMainF::RefreshMoney() {
    TSMoney->Refresh();
}
void TMainF::RefreshRepOst() {
    TSRepOst->Refresh();
}
void TMainF::RefreshRepMoveGood() {
    TSRepMoveGood->Refresh();
}
void TMainF::RefreshRepSaleSt() {
    TSRepSaleSt->Refresh();
}
void TMainF::RefreshRepSaleDynam() {
    TSRepSaleDynam->Refresh();
}
void TMainF::RefreshRepPrhSt() {
    TSRepPrhSt->Refresh();
}
void TMainF::RefreshRepPrhDynam() {
    TSRepPrhDynam->Refresh();
}
void TMainF::RefreshRepDolg() {
    TSRepDolg->Refresh();
}
void TMainF::RefreshRepMoveKlient() {
    TSRepMoveKlient->Refresh();
}
