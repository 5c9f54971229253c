#pragma once

#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>
#include <deque>
#include <memory>
#include <string>

#include "forms/Form.h"
#include "listening/DirectSR1.h"
#include "listening/SoundMeter.h"

class CApp;
class CVocab;
class QTimer;

// "Vorn! Voice Control": the small always-on-top window that listens. It hosts the recogniser
// and the sound meter, shows the last recognised phrase, and opens the configuration windows.
class frmVorn : public Form<frmVorn, QWidget> {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmVorn";

    frmVorn();
    ~frmVorn() override;

    ::DirectSR1* DirectSR1;
    SoundMeter* VUMeter;
    QPushButton* cmdConfigure;
    QStatusBar* stbVCmd;
    QLabel* stbVCmdPanel1;

    CApp& App() { return *mApp; }
    bool Paused() const { return bPaused; }

    void Form_KeyDown(int keyCode, int shift);
    void cmdConfigure_Click();
    void DirectSR1_PhraseRecognized(const std::string& phrase);
    void DirectSR1_AudioLevel(int32_t level);
    void VUMeter_ToggleListening();
    // The microphone failed: the status bar says so, and a message once per run.
    void DirectSR1_MicrophoneFailed(const std::string& reason);

protected:
    void Form_Load() override;
    void Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The meter shows whether the recogniser listens, and if not, whether the next toggle
    // resumes after configuration or after a pause.
    void ShowListeningState();
    // Handles recognised phrases one after the other, in the order heard: one heard while an
    // earlier one is handled (its start waits for the desktop, answering events) waits its turn.
    void HandleInTurn(const std::string& phrase);
    // Ends the typing of vocabulary entries: nothing more is typed, nothing stays held down.
    void StopTyping();

    // Shared with the phrase being handled, which outlives an unload while a start waits.
    std::shared_ptr<CApp> mApp;
    std::unique_ptr<CVocab> mVocab;
    std::deque<std::string> phrasesInTurn_;  // the one being handled first
    bool bConfigOpened = false;
    bool bPaused = false;
    bool microphoneReported_ = false;
    // Types the rest of entries too long to type at once, a portion each time the program has
    // answered its events.
    QTimer* typingTimer_;
    // The key press previewed last, so that its way up through the parents counts once.
    struct PreviewedKey {
        const QEvent* event = nullptr;
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        bool operator==(const PreviewedKey&) const = default;
    };
    PreviewedKey previewed_;
};
