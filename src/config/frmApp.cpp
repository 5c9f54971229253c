#include "config/frmApp.h"

#include <QFontMetrics>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "common/ErrorRecord.h"
#include "common/ListControl.h"
#include "common/MessageBox.h"
#include "common/ResumeNext.h"
#include "config/ConfigGlobals.h"
#include "config/SaveFailure.h"
#include "config/StorableText.h"
#include "desktop/CHelp.h"
#include "desktop/FormPlacement.h"
#include "engine/CApp.h"
#include "engine/RunningApps.h"
#include "forms/AnsiQt.h"
#include "forms/FormRegistry.h"
#include "forms/LabelDrag.h"
#include "forms/RunHandler.h"
#include "forms/Twips.h"
#include "store/CFile.h"

namespace {

// Client area of the window in twips.
constexpr double kClientWidth = 9390;
constexpr double kClientHeight = 4845;

// Twips as a 16-bit position, rounded half to even; a window beyond the 16-bit range (far
// right on a wide screen) is held at its edge instead of wrapping round.
int16_t RoundHalfEven16(double value) {
    return static_cast<int16_t>(std::clamp(std::nearbyint(value), -32768.0, 32767.0));
}

// Shows why a save failed, inside the handler that caught the failure: the error's own words
// under the title when they say why, else the fixed text under its own title.
void ShowSaveFailure(const std::string& title, const std::string& text,
                     const std::string& textTitle) {
    try {
        throw;
    } catch (const ErrorRecord& error) {
        if (ShowSaveFailureCause(error, title)) return;
    } catch (...) {
    }
    Dialogs::MsgBox(text, MsgButtons::OK, MsgIcon::None, textTitle);
}

}  // namespace

frmApp::frmApp() {
    setWindowTitle("Application Command Configuration");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* client = new QWidget(this);
    client->setFixedSize(Twips::ToPixels(kClientWidth), Twips::ToPixels(kClientHeight));
    // A window larger than its layout keeps the controls at its top left.
    layout->addWidget(client, 0, Qt::AlignTop | Qt::AlignLeft);

    tbrApp = new QToolBar(client);
    lblVApp = new QLabel("&Voice Command Applications:", client);
    lblApp = new QLabel("lblApp", client);
    lblRunApp = new QLabel("Currently &Running Applications", client);
    lstVAppCmd = new ListBox(client);
    lstRunApp = new ListBox(client);
    lblVActivate = new QLabel("V&oice Activation Command:", client);
    txtVActivate = new QLineEdit(client);
    cmdSaveVocab = new QPushButton("&Save Command", client);
    cmdToggle = new QPushButton("&Application / Vocabulary", client);
    lblVocabulary = new QLabel("Assi&gned Vocabulary:", client);
    lblPath = new QLabel("File/&Path Name:", client);
    cmdCloseApp = new QPushButton("&Close", client);
    cmbVocabulary = new QComboBox(client);
    txtPath = new QLineEdit(client);

    const std::pair<QWidget*, const char*> names[] = {
        {tbrApp, "tbrApp"},
        {lblVApp, "lblVApp"},
        {lblApp, "lblApp"},
        {lblRunApp, "lblRunApp"},
        {lstVAppCmd, "lstVAppCmd"},
        {lstRunApp, "lstRunApp"},
        {lblVActivate, "lblVActivate"},
        {txtVActivate, "txtVActivate"},
        {cmdSaveVocab, "cmdSaveVocab"},
        {cmdToggle, "cmdToggle"},
        {lblVocabulary, "lblVocabulary"},
        {lblPath, "lblPath"},
        {cmdCloseApp, "cmdCloseApp"},
        {cmbVocabulary, "cmbVocabulary"},
        {txtPath, "txtPath"},
    };
    for (const auto& [widget, name] : names) widget->setObjectName(name);

    Twips::Place(tbrApp, 0, 0, kClientWidth, 660);
    Twips::Place(lblVApp, 120, 720, 2655, 255);
    Twips::Place(lblApp, 3720, 720, 735, 255);
    Twips::Place(lblRunApp, 4800, 720, 2895, 255);
    Twips::Place(lstVAppCmd, 120, 960, 4455, 2400);
    Twips::Place(lstRunApp, 4800, 960, 4455, 2400);
    Twips::Place(lblVActivate, 120, 3480, 2895, 255);
    Twips::Place(txtVActivate, 120, 3720, 4455, 285);
    Twips::Place(cmdSaveVocab, 4800, 3480, 2175, 495);
    Twips::Place(cmdToggle, 7200, 3480, 2055, 495);
    Twips::Place(lblVocabulary, 120, 4080, 1695, 255);
    Twips::Place(lblPath, 2520, 4080, 1215, 255);
    Twips::Place(cmdCloseApp, 7200, 4080, 2055, 615);
    Twips::Place(cmbVocabulary, 120, 4320, 2175, 315);
    Twips::Place(txtPath, 2520, 4320, 4455, 315);

    lblApp->setVisible(false);
    lstVAppCmd->setSelectionMode(QAbstractItemView::SingleSelection);
    lstRunApp->setSelectionMode(QAbstractItemView::SingleSelection);
    lstVAppCmd->AcceptDrops(true);
    cmbVocabulary->setEditable(true);
    cmbVocabulary->setInsertPolicy(QComboBox::NoInsert);
    // The vocabulary box keeps what is typed: a name not listed is allowed, and no listed
    // name is completed into it.
    cmbVocabulary->setCompleter(nullptr);
    for (QPushButton* button : {cmdSaveVocab, cmdToggle, cmdCloseApp})
        button->setAutoDefault(false);

    // Tab order: cmdToggle, lstRunApp, lstVAppCmd, txtVActivate, cmbVocabulary, txtPath,
    // cmdSaveVocab, cmdCloseApp. A label's access key gives the focus to the control it names.
    QWidget* tabOrder[] = {cmdToggle,     lstRunApp, lstVAppCmd,   txtVActivate,
                           cmbVocabulary, txtPath,   cmdSaveVocab, cmdCloseApp};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
    lblVApp->setBuddy(lstVAppCmd);
    lblRunApp->setBuddy(lstRunApp);
    lblVActivate->setBuddy(txtVActivate);
    lblVocabulary->setBuddy(cmbVocabulary);
    lblPath->setBuddy(txtPath);

    vAppCmdList_ = std::make_unique<QtListControl>(lstVAppCmd, [this] { lstVAppCmd_Click(); });
    runAppList_ = std::make_unique<QtListControl>(lstRunApp, nullptr);
    vocabularyBox_ = std::make_unique<QtComboControl>(cmbVocabulary);

    connect(lstRunApp, &ListBox::MouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point) {
                RunHandler([&] {
                    lstRunApp_MouseDown(button, shift, Twips::FromPixels(point.x()),
                                        Twips::FromPixels(point.y()));
                });
            });
    connect(lstVAppCmd, &ListBox::DragDrop, this, [this] { lstVAppCmd_DragDrop(); });
    connect(cmdSaveVocab, &QPushButton::clicked, this, [this] { cmdSaveVocab_Click(); });
    connect(cmdCloseApp, &QPushButton::clicked, this,
            [this] { RunHandler([this] { cmdCloseApp_Click(); }); });
    CreateCommands(layout);
}

frmApp::~frmApp() = default;

void frmApp::Form_Load() {
    FormPlacement placement(this, kName);
    if (RestoreFormLocation(placement)) {
        gAppLeft = RoundHalfEven16(placement.Left());
        gAppTop = RoundHalfEven16(placement.Top());
    }
    mApp = std::make_shared<CApp>();
    mFile = std::make_unique<CFile>();
    mHelp = std::make_unique<CHelp>();
    AddListBoxHSB(lstVAppCmd, 2.0f);
    AddListBoxHSB(lstRunApp, 2.0f);
}

void frmApp::AddListBoxHSB(ListBox* lst, float factor) {
    // A failing step is tried again, a few times at most.
    for (int attempt = 0; attempt < 3; ++attempt) {
        try {
            const double widthTwips = Twips::FromPixels(lst->width());
            const auto extent =
                static_cast<int>(std::nearbyint(widthTwips * factor / Twips::PerPixel()));
            lst->SetHorizontalExtent(extent);
            return;
        } catch (const ErrorRecord& e) {
            Dialogs::MsgBox("Error: " + std::to_string(e.Number()) + ". " + e.Description(),
                            MsgButtons::OK, MsgIcon::None, "AddListBoxHSB");
        }
    }
}

void frmApp::lstRunApp_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, double, double y) {
    // The drag image covers the pressed row.
    const double h = Twips::FromPixels(QFontMetrics(font()).height());
    const double listLeft = Twips::FromPixels(lstRunApp->x());
    const double listTop = Twips::FromPixels(lstRunApp->y());
    Twips::Place(lblApp, listLeft, listTop + y - h / 2, Twips::FromPixels(lstRunApp->width()), h);

    LabelDrag::Begin(*lblApp);
}

void frmApp::lstVAppCmd_DragDrop() {
    // The record is written first and listed only once it is, so the list always mirrors the
    // file; a failure leaves the handler at once and says why.
    try {
        lblApp->setText(ToQString(RunAppList().Text()));
        if (VAppCmdList().ListIndex() == -1) mApp->InitRecord();
        const std::string caption = FromQString(lblApp->text());
        if (caption.empty()) return;
        if (RunningApps::ListItemExists(VAppCmdList(), caption)) {
            Dialogs::MsgBox("You Already Have An Entry With This Name!");
            return;
        }
        const int16_t n = mApp->AppRecordCount();
        mApp->VAppAdd(caption, 0, false);
        VAppCmdList().AddItem(caption, n - 1);
    } catch (...) {
        ShowSaveFailure("Add Application", "The application could not be added.",
                        "Add Application");
    }
}

void frmApp::lstVAppCmd_Click() {
    // Each step runs even when the one before failed; a failing step leaves its field as it was.
    ResumeNext([this] {
        txtVActivate->setText(
            ToQString(mApp->UserDefinedName(static_cast<int16_t>(VAppCmdList().ListIndex()))));
    });
    ResumeNext([this] { VocabularyBox().SetText(mApp->VocabularyName()); });
    ResumeNext([this] { txtPath->setText(ToQString(mApp->PathName())); });
}

void frmApp::cmdSaveVocab_Click() {
    SaveCommand();
}

void frmApp::SaveCommand() {
    QWidget* refusedBox = nullptr;
    try {
        if (VAppCmdList().ListIndex() == -1) {
            VAppCmdList().SetListIndex(0);
            Dialogs::MsgBox("You must select a Voice Application!");
            txtVActivate->setFocus();
            txtVActivate->selectAll();
            return;
        }
        // Each box's text as the record stores it; a box whose text it cannot hold gets the
        // focus back once the save has said why.
        const auto storable = [&](QWidget* box, const QString& text, const char* what) {
            refusedBox = box;
            std::string stored = StorableText(text, what);
            refusedBox = nullptr;
            return stored;
        };
        const std::string phrase =
            storable(txtVActivate, txtVActivate->text(), "activation phrase");
        const std::string vocabulary =
            storable(cmbVocabulary, cmbVocabulary->currentText(), "vocabulary name");
        const std::string path = storable(txtPath, txtPath->text(), "path");
        mApp->AddUserAppName(phrase, vocabulary, path,
                             static_cast<int16_t>(VAppCmdList().ListIndex()));
    } catch (...) {
        ShowSaveFailure("Save Command", "There is nothing to save!", "No item to save");
        if (refusedBox != nullptr) refusedBox->setFocus();
    }
}

void frmApp::cmdCloseApp_Click() {
    for (int i = 0; i < VAppCmdList().ListCount(); ++i) {
        VAppCmdList().SetListIndex(i);
        txtVActivate->setText(
            ToQString(mApp->UserDefinedName(static_cast<int16_t>(VAppCmdList().ListIndex()))));
        VocabularyBox().SetText(mApp->VocabularyName());
        if (txtVActivate->text().isEmpty() || VocabularyBox().Text().empty()) {
            Dialogs::MsgBox(
                "You must supply both a user-defined name and assign a vocabulary for each "
                "application you wish to control!",
                MsgButtons::OK, MsgIcon::Information, "Insufficient Control Parameters");
            return;
        }
    }
    Unload();
}

void frmApp::Form_Unload() {
    ResumeNext([this] { SaveShownFormLocation(FormPlacement(this, kName)); });
    ResumeNext([this] { mFile->TempLoad(); });
    ResumeNext([this] { VocabularyBox().Clear(); });
    ResumeNext([] { Lists::Get(ListId::frmVocab_lstVocab).Clear(); });
    ResumeNext([] {
        QWidget* meterDialog = FormRegistry::Find("frmVolSet");
        if (meterDialog != nullptr && meterDialog->isVisible()) FormRegistry::Unload("frmVolSet");
    });
    mApp.reset();
    mFile.reset();
    mHelp.reset();
}
