#include "config/frmVocab.h"

#include <QStyle>
#include <QVBoxLayout>

#include "common/ListControl.h"
#include "common/ResumeNext.h"
#include "config/ConfigGlobals.h"
#include "engine/CApp.h"
#include "forms/AccessKeys.h"
#include "forms/Twips.h"
#include "store/CFile.h"
#include "store/CVocab.h"

namespace {

constexpr double kClientWidth = 9390;
constexpr double kClientHeight = 4845;

}  // namespace

frmVocab::frmVocab() {
    setWindowTitle("Vocabulary/Dictionary Configuration");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    menuBar = new QMenuBar(this);
    layout->setMenuBar(menuBar);
    mnuFile = menuBar->addMenu("&File");
    mnuNewVocab = mnuFile->addAction("&New Vocabulary");
    mnuNewVocab->setShortcut(QKeySequence("Ctrl+N"));
    mnuDeleteVocab = mnuFile->addAction("&Delete Vocabulary");
    mnuDeleteVocab->setShortcut(QKeySequence("Ctrl+L"));
    mnuSaveChanges = mnuFile->addAction("&Save Changes");
    mnuExit = mnuFile->addAction("E&xit");
    mnuExit->setShortcut(QKeySequence("Ctrl+X"));
    mnuEdit = menuBar->addMenu("&Edit Dictionary");
    mnuPopNew = mnuEdit->addAction("&New Word");
    mnuPopNew->setShortcut(QKeySequence("Ctrl+W"));
    mnuDelete = mnuEdit->addAction("&Delete Word");
    mnuDelete->setShortcut(QKeySequence("Ctrl+D"));
    mnuHelp = menuBar->addMenu("&Help");
    mnuVornHelp = mnuHelp->addAction("Vorn! &Help Contents");

    auto* client = new QWidget(this);
    client->setFixedSize(Twips::ToPixels(kClientWidth), Twips::ToPixels(kClientHeight));
    layout->addWidget(client);

    tbrVocab = new QToolBar(client);
    lblVocab = new QLabel("lblVocab", client);
    lblVocabList = new QLabel("&Vocabularies:", client);
    lstVocab = new ListBox(client);
    lblDictionary = new QLabel("&Dictionary:", client);
    lstDictionary = new ListBox(client);
    lblEditVocab = new QLabel("&Edit Command / New Word:", client);
    txtCommand = new QLineEdit(client);
    cmdSaveChanges = new QPushButton("&Save Changes", client);
    cmdToggle = new QPushButton("&Application / Vocabulary", client);
    cmdCloseVocab = new QPushButton("&Close", client);
    tmrExtend = new QTimer(this);
    tmrExtend->setInterval(1000);

    const std::pair<QObject*, const char*> names[] = {
        {tbrVocab, "tbrVocab"},
        {lblVocab, "lblVocab"},
        {lblVocabList, "lblVocabList"},
        {lstVocab, "lstVocab"},
        {lblDictionary, "lblDictionary"},
        {lstDictionary, "lstDictionary"},
        {lblEditVocab, "lblEditVocab"},
        {txtCommand, "txtCommand"},
        {cmdSaveChanges, "cmdSaveChanges"},
        {cmdToggle, "cmdToggle"},
        {cmdCloseVocab, "cmdCloseVocab"},
        {tmrExtend, "tmrExtend"},
    };
    for (const auto& [object, name] : names) object->setObjectName(name);

    Twips::Place(tbrVocab, 0, 0, kClientWidth, 630);
    Twips::Place(lblVocab, 3360, 600, 735, 255);
    Twips::Place(lblVocabList, 120, 720, 2655, 255);
    Twips::Place(lstVocab, 120, 960, 4455, 2400);
    Twips::Place(lblDictionary, 4800, 720, 2655, 255);
    Twips::Place(lstDictionary, 4800, 960, 4455, 2400);
    Twips::Place(lblEditVocab, 120, 3480, 2655, 255);
    Twips::Place(txtCommand, 120, 3720, 4455, 285);
    Twips::Place(cmdSaveChanges, 4800, 3480, 2175, 495);
    Twips::Place(cmdToggle, 7200, 3480, 2055, 495);
    Twips::Place(cmdCloseVocab, 7200, 4080, 2055, 615);

    lblVocab->setVisible(false);
    lstVocab->setSelectionMode(QAbstractItemView::SingleSelection);
    lstDictionary->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstVocab->AcceptDrops(true);
    for (QPushButton* b : {cmdSaveChanges, cmdToggle, cmdCloseVocab}) b->setAutoDefault(false);

    // The toolbar's buttons, keyed as their commands are dispatched.
    struct ToolButton {
        const char* key;
        const char* tip;
        QStyle::StandardPixmap image;
    };
    const ToolButton buttons[] = {
        {"NewVocab", "New Vocabulary", QStyle::SP_FileDialogNewFolder},
        {"DelVocab", "Delete Dictionary", QStyle::SP_TrashIcon},
        {"SvCh", "Save Word", QStyle::SP_DialogSaveButton},
        {"Switch", "Application/Vocabulary", QStyle::SP_BrowserReload},
        {"NewDict", "New Word", QStyle::SP_FileIcon},
        {"DelDict", "Delete Word", QStyle::SP_DialogDiscardButton},
    };
    tbrVocab->setIconSize(QSize(32, 32));
    for (const ToolButton& button : buttons) {
        QAction* action = tbrVocab->addAction(style()->standardIcon(button.image), button.tip);
        action->setObjectName(button.key);
        action->setToolTip(button.tip);
    }

    // Tab order: cmdToggle, lstDictionary, lstVocab, txtCommand, cmdSaveChanges, cmdCloseVocab;
    // the labels hand their access keys to cmdToggle.
    QWidget* tabOrder[] = {cmdToggle,  lstDictionary,  lstVocab,
                           txtCommand, cmdSaveChanges, cmdCloseVocab};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
    for (QLabel* label : {lblVocabList, lblDictionary, lblEditVocab}) {
        ForwardAccessKey(label, cmdToggle);
    }

    vocabList_ = std::make_unique<QtListControl>(lstVocab, nullptr);
    dictionaryList_ = std::make_unique<QtListControl>(lstDictionary, nullptr);

    connect(cmdCloseVocab, &QPushButton::clicked, this, [this] { cmdCloseVocab_Click(); });
    connect(mnuExit, &QAction::triggered, this, [this] { cmdCloseVocab_Click(); });
}

frmVocab::~frmVocab() = default;

void frmVocab::Form_Load() {
    // Opens where the application window stood after its restored placement.
    move(x(), Twips::ToPixels(gAppTop));
    move(Twips::ToPixels(gAppLeft), y());
    mVocab = std::make_unique<CVocab>();
    mFile = std::make_unique<CFile>();
    mApp = std::make_unique<CApp>();
}

void frmVocab::cmdCloseVocab_Click() {
    Unload();
}

void frmVocab::Form_Unload() {
    ResumeNext([this] { mFile->TempLoad(); });
    ResumeNext([] { Lists::Get(ListId::frmApp_lstVAppCmd).Clear(); });
    mFile.reset();
    mVocab.reset();
    mApp.reset();
}
