#pragma once

#include <QObject>
#include <QString>
#include <memory>

class IAudioSource;
class RecognitionThread;

// The speech recogniser control of the main window. Listens to the microphone on a thread of
// its own and raises its two events on the thread that owns it (the user-interface thread):
// PhraseRecognized with the grammar alternative heard, exactly as the grammar file writes it,
// and AudioLevel with the input's peak level (0..32767) several times a second. Between
// StopListening and the next StartListening neither event is raised.
class DirectSR1 : public QObject {
    Q_OBJECT

public:
    // Listens to the default PulseAudio source.
    explicit DirectSR1(QObject* parent = nullptr);
    // Listens to the given source (tests and benchmarks replay recorded speech).
    explicit DirectSR1(std::unique_ptr<IAudioSource> source, QObject* parent = nullptr);
    ~DirectSR1() override;

    // Reads the grammar file; its alternatives become what can be recognised, from the next
    // utterance on. Accepted while listening or stopped. A missing file raises error 53, an
    // unreadable one error 75 (as ErrorRecord); the grammar in force then stays.
    void LoadGrammarFile(const QString& path);
    // Both are cheap and may be called in any order, any number of times.
    void StartListening();
    void StopListening();
    bool IsListening() const { return listening_; }

signals:
    void PhraseRecognized(const QString& phrase);
    void AudioLevel(qint32 level);
    // The microphone could not be opened or stopped delivering (the text says why). Raised
    // once per listening session; the next StartListening tries again.
    void MicrophoneFailed(const QString& reason);
    // StartListening or StopListening changed IsListening.
    void ListeningChanged();

private:
    void Deliver(quint64 session, const QString& phrase);
    void DeliverLevel(quint64 session, qint32 level);
    void DeliverFailure(quint64 session, const QString& reason);

    std::unique_ptr<IAudioSource> source_;
    std::unique_ptr<RecognitionThread> worker_;
    bool listening_ = false;
    quint64 session_ = 0;
    quint64 failedSession_ = 0;
};
