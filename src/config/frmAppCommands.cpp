// The application window's commands: its menus, toolbar, the list's popup menu, the switch
// button, and the procedures behind them.
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "common/ErrorRecord.h"
#include "common/ListControl.h"
#include "common/MessageBox.h"
#include "common/ResumeNext.h"
#include "config/MainWindowAccess.h"
#include "config/frmApp.h"
#include "config/frmVocab.h"
#include "desktop/CHelp.h"
#include "desktop/FormPlacement.h"
#include "desktop/Location.h"
#include "desktop/frmAbout.h"
#include "engine/CApp.h"
#include "forms/FormRegistry.h"
#include "forms/MenuBarKeys.h"
#include "forms/RunHandler.h"
#include "forms/Twips.h"
#include "platform/Platform.h"
#include "store/CVocab.h"

namespace {

// The error the toolbar's "Shell" reports.
constexpr int32_t kCannotStart = 13001;
// The gap between this window and the main window below it, in twips.
constexpr double kGapAboveMainWindow = 50;

// Connects a menu item to its handler; a failure shows its message and the program goes on.
template <class Handler>
void OnTriggered(frmApp* window, QAction* item, Handler handler) {
    QObject::connect(item, &QAction::triggered, window,
                     [window, handler] { RunHandler([&] { (window->*handler)(); }); });
}

}  // namespace

void frmApp::CreateCommands(QVBoxLayout* layout) {
    // The About box, shown from here, opens where the vocabulary window stands.
    FormRegistry::SetLoader(frmVocab::kName, [] { return &frmVocab::Default(); });

    menuBar = new QMenuBar(this);
    menuBar->setObjectName("menuBar");
    layout->setMenuBar(menuBar);
    mnuFile = menuBar->addMenu("&File");
    mnuActivate = mnuFile->addAction("&Activate");
    mnuRun = mnuFile->addAction("&Run");
    mnuSaveCmd = mnuFile->addAction("&Save Command");
    mnuDelete = mnuFile->addAction("&Delete Application");
    mnuDelete->setShortcut(QKeySequence("Ctrl+D"));
    mnuExit = mnuFile->addAction("E&xit");
    mnuExit->setShortcut(QKeySequence("Ctrl+X"));
    mnuEdit = menuBar->addMenu("&Edit");
    mnuAppSwitch = mnuEdit->addAction("Application/&Vocabulary");
    mnuMeter = mnuEdit->addAction("&Sound Meter");
    mnuWindow = menuBar->addMenu("&Window");
    mnuBottomLeft = mnuWindow->addAction("&Bottom Left");
    mnuBottomRight = mnuWindow->addAction("Bottom &Right");
    mnuHelp = menuBar->addMenu("&Help");
    mnuVornHelp = mnuHelp->addAction("Vorn! Help &Contents");
    mnuAboutVorn = mnuHelp->addAction("About Vorn! Voice Command");
    UseMenuBarByItsKeys(menuBar);
    const std::pair<QObject*, const char*> names[] = {
        {mnuFile, "mnuFile"},
        {mnuActivate, "mnuActivate"},
        {mnuRun, "mnuRun"},
        {mnuSaveCmd, "mnuSaveCmd"},
        {mnuDelete, "mnuDelete"},
        {mnuExit, "mnuExit"},
        {mnuEdit, "mnuEdit"},
        {mnuAppSwitch, "mnuAppSwitch"},
        {mnuMeter, "mnuMeter"},
        {mnuWindow, "mnuWindow"},
        {mnuBottomLeft, "mnuBottomLeft"},
        {mnuBottomRight, "mnuBottomRight"},
        {mnuHelp, "mnuHelp"},
        {mnuVornHelp, "mnuVornHelp"},
        {mnuAboutVorn, "mnuAboutVorn"},
    };
    for (const auto& [object, name] : names) object->setObjectName(name);

    OnTriggered(this, mnuActivate, &frmApp::mnuActivate_Click);
    OnTriggered(this, mnuRun, &frmApp::mnuRun_Click);
    OnTriggered(this, mnuSaveCmd, &frmApp::mnuSaveCmd_Click);
    OnTriggered(this, mnuDelete, &frmApp::mnuDelete_Click);
    OnTriggered(this, mnuExit, &frmApp::mnuExit_Click);
    OnTriggered(this, mnuAppSwitch, &frmApp::mnuAppSwitch_Click);
    OnTriggered(this, mnuMeter, &frmApp::mnuMeter_Click);
    OnTriggered(this, mnuBottomLeft, &frmApp::mnuBottomLeft_Click);
    OnTriggered(this, mnuBottomRight, &frmApp::mnuBottomRight_Click);
    OnTriggered(this, mnuVornHelp, &frmApp::mnuVornHelp_Click);
    OnTriggered(this, mnuAboutVorn, &frmApp::mnuAboutVorn_Click);

    // Image-only buttons; the images are the window style's own, as in the vocabulary window.
    struct ToolButton {
        const char* key;
        const char* tip;
        const char* description;
        QStyle::StandardPixmap image;
    };
    const ToolButton buttons[] = {
        {"Activate", "Switch to Running Program", "Activates An Open Program", QStyle::SP_ArrowUp},
        {"Shell", "Run Program", "Runs A Program", QStyle::SP_MediaPlay},
        {"SavCmd", "Save Command", "Saves User Configuration Information",
         QStyle::SP_DialogSaveButton},
        {"DelApp", "Delete Application", "Deletes An Application From Running Apps List.",
         QStyle::SP_TrashIcon},
        {"AppVoc", "Application / Vocabulary Toggle", "Toggles Between Forms",
         QStyle::SP_BrowserReload},
    };
    tbrApp->setIconSize(QSize(32, 32));
    tbrApp->setMovable(false);
    tbrApp->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const ToolButton& button : buttons) {
        QAction* action = tbrApp->addAction(style()->standardIcon(button.image), button.tip);
        action->setObjectName(button.key);
        action->setToolTip(button.tip);
        action->setStatusTip(button.description);
    }
    connect(tbrApp, &QToolBar::actionTriggered, this, [this](QAction* button) {
        RunHandler([&] { tbrApp_ButtonDispatch(button->objectName().toStdString()); });
    });

    connect(lstVAppCmd, &ListBox::MouseUp, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point) {
                RunHandler([&] {
                    lstVAppCmd_MouseUp(button, shift, Twips::FromPixels(point.x()),
                                       Twips::FromPixels(point.y()));
                });
            });
    connect(lstVAppCmd, &ListBox::DblClick, this,
            [this] { RunHandler([this] { lstVAppCmd_DblClick(); }); });
    connect(cmdToggle, &QPushButton::clicked, this,
            [this] { RunHandler([this] { cmdToggle_Click(); }); });

    // A text box would take Ctrl+X (cut) and Ctrl+D for itself.
    for (QWidget* textBox : {static_cast<QWidget*>(txtVActivate), static_cast<QWidget*>(txtPath),
                             static_cast<QWidget*>(cmbVocabulary)}) {
        textBox->installEventFilter(this);
    }
    if (cmbVocabulary->lineEdit() != nullptr) cmbVocabulary->lineEdit()->installEventFilter(this);
}

bool frmApp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const QAction* item : {mnuDelete, mnuExit}) {
            if (item->shortcut() == pressed) {
                // Not overridden: the menu item's shortcut acts.
                event->ignore();
                return true;
            }
        }
    }
    return Form::eventFilter(watched, event);
}

void frmApp::mnuActivate_Click() {
    mApp->SetForeground(VAppCmdList().Text());
}

void frmApp::mnuRun_Click() {
    ShellSub();
}

void frmApp::mnuSaveCmd_Click() {
    SaveCommand();
}

void frmApp::mnuDelete_Click() {
    Delete();
}

void frmApp::mnuExit_Click() {
    cmdCloseApp_Click();
}

void frmApp::mnuAppSwitch_Click() {
    AppVocabSwitch();
}

void frmApp::mnuMeter_Click() {
    MainWindowAccess::StartListening();
    MainWindowAccess::ShowMeterScale();
}

void frmApp::mnuBottomLeft_Click() {
    PlaceAboveMainWindow(Location::kBottomLeft);
}

void frmApp::mnuBottomRight_Click() {
    PlaceAboveMainWindow(Location::kBottomRight);
}

void frmApp::mnuVornHelp_Click() {
    std::string file = HelpFilePath();
    mHelp->Show(file, "");
}

void frmApp::mnuAboutVorn_Click() {
    frmAbout::Default().ShowModal();
}

void frmApp::tbrApp_ButtonDispatch(const std::string& key) {
    // The key is compared exactly; any failure leaves the handler, and only a program that
    // cannot be started is reported.
    try {
        if (key == "Activate") {
            VAppCmdList().SetSelected(VAppCmdList().ListIndex(), true);
            mApp->SetForeground(VAppCmdList().List(VAppCmdList().ListIndex()));
        } else if (key == "Shell") {
            VAppCmdList().SetSelected(VAppCmdList().ListIndex(), true);
            const std::shared_ptr<CApp> app = mApp;  // the window may unload during the start
            app->ShellApp();
        } else if (key == "SavCmd") {
            SaveCommand();
        } else if (key == "DelApp") {
            Delete();
        } else if (key == "AppVoc") {
            AppVocabSwitch();
        }
    } catch (const ErrorRecord& e) {
        if (e.Number() == kCannotStart) {
            Dialogs::MsgBox("Error " + std::to_string(e.Number()) + " - " + e.Description(),
                            MsgButtons::OK, MsgIcon::Critical, "Could Not Find Explorer Window");
        }
    } catch (...) {
    }
}

void frmApp::lstVAppCmd_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers, double, double) {
    if (button == Qt::RightButton && VAppCmdList().ListIndex() != -1) {
        mnuEdit->popup(QCursor::pos());
    }
}

void frmApp::lstVAppCmd_DblClick() {
    ShellSub();
}

void frmApp::cmdToggle_Click() {
    // Alt with the access key of a label moves the focus to the control the label names.
    const std::pair<char, QWidget*> focusKeys[] = {
        {'R', lstRunApp},     {'V', lstVAppCmd}, {'O', txtVActivate},
        {'G', cmbVocabulary}, {'P', txtPath},
    };
    QWidget* focusTarget = nullptr;
    ResumeNext([&] {
        IKeyboard& keyboard = Platform::Keyboard();
        if (keyboard.GetKeyState(kVkMenu) == 0) return;
        for (const auto& [letter, control] : focusKeys) {
            if ((static_cast<uint16_t>(keyboard.GetKeyState(letter)) & 0x8000) != 0) {
                focusTarget = control;
                return;
            }
        }
    });
    if (focusTarget != nullptr) {
        focusTarget->setFocus();
        return;
    }
    AppVocabSwitch();
}

void frmApp::ShellSub() {
    // The path loaded by the last selection, not what txtPath holds now.
    bool started = false;
    ResumeNext([&] {
        started =
            !mApp->PathName().empty() && Platform::Processes().CreateProcessA(mApp->PathName());
    });
    if (!started) {
        Dialogs::MsgBox("You must enter a valid Path/Filename!", MsgButtons::OK, MsgIcon::None,
                        "Invalid Path/Filename");
    }
}

void frmApp::Delete() {
    const MsgAnswer answer = Dialogs::MsgBox(
        "Warning!  You are about to delete a voice-controlled application are you sure you "
        "want to proceed?",
        MsgButtons::OKCancel, MsgIcon::None, "Delete Voice-Controlled Application");
    if (answer != MsgAnswer::Cancel) mApp->DelRunApp();
}

void frmApp::AppVocabSwitch() {
    // Every step runs even when one before it failed.
    ResumeNext([this] { hide(); });
    ResumeNext([this] {
        if (!mSwitchedOnce) return;
        Lists::Get(ListId::frmVocab_lstVocab).Clear();
        CVocab().FillVocabFile(true);
    });
    mSwitchedOnce = true;
    ResumeNext([] {
        IListControl& vocabularies = Lists::Get(ListId::frmVocab_lstVocab);
        if (vocabularies.ListCount() >= 1) vocabularies.SetListIndex(0);
    });
    ResumeNext([this] { frmVocab::Default().resize(size()); });
    // This window may be unloaded while the vocabulary window is shown: nothing of it is
    // touched after the modal showing returns.
    ResumeNext([] { frmVocab::Default().ShowModal(); });
}

void frmApp::PlaceAboveMainWindow(int code) {
    QWidget& mainWindow = MainWindowAccess::Window();
    FormPlacement main(&mainWindow, "frmVorn");
    Location::PositionForm(main, code);
    FormPlacement self(this, kName);
    const QScreen* display = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    const double screenWidth = Twips::FromPixels(display->geometry().width());
    const double screenHeight = Twips::FromPixels(display->geometry().height());
    double left = code == Location::kBottomLeft ? main.Left() : screenWidth - self.Width();
    double top = main.Top() - self.Height() - kGapAboveMainWindow;
    // A main window that stayed where it was (minimised, for one) may stand anywhere: this
    // window still lands on the screen.
    left = std::clamp(left, 0.0, std::max(0.0, screenWidth - self.Width()));
    top = std::clamp(top, 0.0, std::max(0.0, screenHeight - self.Height()));
    self.Move(left, top, self.Width(), self.Height());
}
