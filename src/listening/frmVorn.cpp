#include "listening/frmVorn.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <filesystem>

#include "common/ErrorRecord.h"
#include "common/ListControl.h"
#include "common/MessageBox.h"
#include "common/ProgramFolder.h"
#include "common/ResumeNext.h"
#include "config/MainWindowAccess.h"
#include "config/frmApp.h"
#include "config/frmVocab.h"
#include "desktop/FormPlacement.h"
#include "desktop/Location.h"
#include "engine/CApp.h"
#include "engine/MainWindowLink.h"
#include "engine/RunningApps.h"
#include "forms/AnsiQt.h"
#include "forms/ProgramIcon.h"
#include "forms/RunHandler.h"
#include "forms/Twips.h"
#include "listening/MeterScaleSetting.h"
#include "listening/frmVolSet.h"
#include "store/CFile.h"
#include "store/CVocab.h"
#include "store/RecordPaths.h"

namespace {

constexpr int kKeyF1 = 112;
constexpr int kShiftMaskAlt = 4;

}  // namespace

frmVorn::frmVorn() {
    setWindowTitle("Vorn! Voice Control");
    setWindowIcon(ProgramIcon());
    // Topmost for the whole life of the window: set before it is first shown.
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    setFixedSize(Twips::ToPixels(3105), Twips::ToPixels(945));

    DirectSR1 = new ::DirectSR1(this);
    VUMeter = new SoundMeter(this);
    cmdConfigure = new QPushButton("&Configure", this);
    stbVCmd = new QStatusBar(this);
    typingTimer_ = new QTimer(this);
    stbVCmdPanel1 = new QLabel(stbVCmd);
    stbVCmd->addWidget(stbVCmdPanel1, 1);
    stbVCmd->setSizeGripEnabled(false);
    DirectSR1->setObjectName("DirectSR1");
    VUMeter->setObjectName("VUMeter");
    cmdConfigure->setObjectName("cmdConfigure");
    stbVCmd->setObjectName("stbVCmd");

    Twips::Place(VUMeter, 0, 120, 1815, 255);
    Twips::Place(cmdConfigure, 1920, 120, 975, 315);
    Twips::Place(stbVCmd, 0, 480, 2835, 255);

    connect(cmdConfigure, &QPushButton::clicked, this, [this] { cmdConfigure_Click(); });
    connect(VUMeter, &SoundMeter::ToggleListening, this, [this] { VUMeter_ToggleListening(); });
    connect(DirectSR1, &::DirectSR1::PhraseRecognized, this,
            [this](const QString& phrase) { HandleInTurn(FromQString(phrase)); });
    connect(typingTimer_, &QTimer::timeout, this, [this] {
        RunHandler([&] {
            if (!mApp->ContinueTyping()) typingTimer_->stop();
        });
    });
    connect(DirectSR1, &::DirectSR1::MicrophoneFailed, this, [this](const QString& reason) {
        RunHandler([&] { DirectSR1_MicrophoneFailed(FromQString(reason)); });
    });
    connect(DirectSR1, &::DirectSR1::ListeningChanged, this, [this] { ShowListeningState(); });
    connect(DirectSR1, &::DirectSR1::AudioLevel, this,
            [this](qint32 level) { DirectSR1_AudioLevel(level); });
}

frmVorn::~frmVorn() = default;

void frmVorn::Form_Load() {
    FormPlacement placement(this, kName);
    // With nothing saved, the bottom-right corner keeps the always-on-top window out of the way.
    if (!RestoreFormLocation(placement)) placement.MoveToCorner(Location::kBottomRight);

    mApp = std::make_shared<CApp>();
    mVocab = std::make_unique<CVocab>();
    MainWindowLink::SetWindowHandle(static_cast<Hwnd>(winId()));
    MainWindowAccess::Install({[] { return static_cast<QWidget*>(&frmVorn::Default()); },
                               [] { frmVorn::Default().DirectSR1->StartListening(); },
                               [] { frmVolSet::Default().ShowModal(); }});

    const std::string vocabFolder = RecordPaths::VocabFolder();
    if (!std::filesystem::is_directory(vocabFolder)) std::filesystem::create_directory(vocabFolder);

    // Key preview: the window sees key presses before the control that has the focus.
    qApp->installEventFilter(this);

    mApp->FillVACListBox();

    // At the very first start there is no grammar file yet: build it first.
    const std::string grammarFile = RecordPaths::GrammarFile();
    if (!std::filesystem::exists(grammarFile)) CFile().TempLoad();
    try {
        DirectSR1->LoadGrammarFile(QString::fromStdString(grammarFile));
    } catch (const ErrorRecord& e) {
        // The start-up message names the file that could not be read.
        throw ErrorRecord(e.Number(), e.Source(), e.Description() + ": \"" + grammarFile + "\"");
    }
    DirectSR1->StartListening();

    const std::string scale = MeterScaleSetting::Get();
    if (const auto fullScale = MeterScaleSetting::FullScale(scale)) {
        VUMeter->SetFullScale(*fullScale);
    } else {
        VUMeter->SetFullScale(MeterScaleSetting::kDefaultFullScale);
        Dialogs::MsgBox("The stored sound meter scale \"" + scale +
                        "\" is not a number above 0; the meter uses 3000.");
    }

    RunningApps::FillRunAppListBox(Lists::Get(ListId::frmApp_lstRunApp));
}

void frmVorn::DirectSR1_MicrophoneFailed(const std::string& reason) {
    stbVCmdPanel1->setText("No microphone");
    if (microphoneReported_) return;
    microphoneReported_ = true;
    Dialogs::MsgBox(
        "Vorn! Voice Control cannot hear you: the microphone or the sound server is "
        "not available (" +
            reason +
            ").  Click the sound meter or press Alt+F1 to "
            "try again.",
        MsgButtons::OK, MsgIcon::Exclamation);
}

bool frmVorn::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        previewed_ = {};
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::KeyPress || widget == nullptr || widget->window() != this) {
        return false;
    }
    // A key press travels up from the focused control through its parents; the window
    // previews it once, at the first of them.
    const auto* key = static_cast<QKeyEvent*>(event);
    const PreviewedKey seen{event, key->key(), key->modifiers()};
    if (seen == previewed_) return false;
    previewed_ = seen;
    int shift = 0;
    if (key->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (key->modifiers() & Qt::ControlModifier) shift |= 2;
    if (key->modifiers() & Qt::AltModifier) shift |= kShiftMaskAlt;
    Form_KeyDown(key->key() == Qt::Key_F1 ? kKeyF1 : 0, shift);
    return false;  // the key is not consumed
}

void frmVorn::Form_KeyDown(int keyCode, int shift) {
    if (keyCode == kKeyF1 && (shift & kShiftMaskAlt) != 0) VUMeter_ToggleListening();
}

void frmVorn::cmdConfigure_Click() {
    StopTyping();
    ResumeNext([this] { VUMeter->SetLevel(0); });
    ResumeNext([this] { DirectSR1->StopListening(); });
    ResumeNext([] { RunningApps::FillRunAppListBox(Lists::Get(ListId::frmApp_lstRunApp)); });
    ResumeNext([this] {
        if (bConfigOpened) {
            mApp->FillVACListBox();
        } else {
            bConfigOpened = true;
        }
    });
    // The application window may still hold the names of its last showing (closed through the
    // vocabulary window, it stays loaded): each vocabulary is listed once.
    ResumeNext([] { Lists::Get(ListId::frmApp_cmbVocabulary).Clear(); });
    ResumeNext([] { Lists::Get(ListId::frmVocab_lstVocab).Clear(); });
    ResumeNext([] { Lists::Get(ListId::frmApp_lstVAppCmd).SetListIndex(0); });
    ResumeNext([this] { mVocab->FillVocabFile(false); });
    ResumeNext([this] {
        mApp->SetPBClickState(true);
        ShowListeningState();
    });
    ResumeNext([] { frmApp::Default().ShowModal(); });
}

void frmVorn::HandleInTurn(const std::string& phrase) {
    phrasesInTurn_.push_back(phrase);
    if (phrasesInTurn_.size() > 1) return;  // the phrase being handled hands it on
    while (!phrasesInTurn_.empty()) {
        RunHandler([this] { DirectSR1_PhraseRecognized(phrasesInTurn_.front()); });
        phrasesInTurn_.pop_front();
    }
}

void frmVorn::DirectSR1_PhraseRecognized(const std::string& phrase) {
    // A start waits for the desktop while the program answers its events; the window may be
    // unloaded meanwhile, and then does nothing more.
    const std::shared_ptr<CApp> app = mApp;
    if (app == nullptr) return;
    if (app->AppCheck(phrase) != 1) app->VocabCheck(phrase);
    if (mApp != app) return;
    if (mApp->TypingUnfinished()) typingTimer_->start();
    RunningApps::FillRunAppListBox(Lists::Get(ListId::frmApp_lstRunApp));
    stbVCmdPanel1->setText(ToQString(phrase));
}

void frmVorn::DirectSR1_AudioLevel(int32_t level) {
    ResumeNext([&] { VUMeter->SetLevel(static_cast<float>(level)); });
}

void frmVorn::VUMeter_ToggleListening() {
    ResumeNext(
        [this] { DirectSR1->LoadGrammarFile(QString::fromStdString(RecordPaths::GrammarFile())); });
    bPaused = !bPaused;
    if (bPaused) StopTyping();
    bool configurationVisible = false;
    ResumeNext([&] { configurationVisible = frmApp::Default().isVisible(); });
    if (configurationVisible) return;
    if (bPaused) {
        ResumeNext([this] { DirectSR1->StopListening(); });
        if (mApp->PBClickState()) {
            ResumeNext([this] { DirectSR1->StartListening(); });
            mApp->SetPBClickState(false);
            bPaused = !bPaused;
        } else {
            ResumeNext([this] { VUMeter->SetLevel(0); });
        }
    } else {
        ResumeNext([this] { DirectSR1->StartListening(); });
        mApp->SetPBClickState(false);
    }
}

void frmVorn::ShowListeningState() {
    if (DirectSR1->IsListening()) {
        VUMeter->SetLook(SoundMeter::Look::Listening);
    } else if (mApp != nullptr && mApp->PBClickState()) {
        VUMeter->SetLook(SoundMeter::Look::StoppedForConfiguration);
    } else {
        VUMeter->SetLook(SoundMeter::Look::Paused);
    }
}

void frmVorn::StopTyping() {
    typingTimer_->stop();
    if (mApp) mApp->StopTyping();
}

void frmVorn::Form_Unload() {
    StopTyping();
    ResumeNext([this] { SaveShownFormLocation(FormPlacement(this, kName)); });
    mVocab.reset();
    mApp.reset();
    qApp->removeEventFilter(this);
    RunningApps::ReleaseRunningApps();
    ResumeNext([] { frmApp::Unload(); });
    ResumeNext([] { frmVocab::Unload(); });
    QApplication::quit();
}
