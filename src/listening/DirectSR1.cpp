#include "listening/DirectSR1.h"

#include <QFile>
#include <QLoggingCategory>
#include <QMetaObject>

#include "common/AnsiText.h"
#include "speech/GrammarFile.h"
#include "speech/PulseCapture.h"
#include "speech/RecognitionThread.h"

// Grammar alternatives that cannot be recognised as written, and microphone failures.
Q_LOGGING_CATEGORY(lcSpeech, "vorn.speech")

DirectSR1::DirectSR1(QObject* parent) : DirectSR1(std::make_unique<PulseCapture>(), parent) {}

DirectSR1::DirectSR1(std::unique_ptr<IAudioSource> source, QObject* parent)
    : QObject(parent), source_(std::move(source)) {
    // The callbacks run on the recognition thread; the events are raised on this object's
    // thread, where Deliver drops what belongs to a listening session that has ended.
    RecognitionThread::Callbacks callbacks;
    callbacks.phrase = [this](uint64_t session, const std::string& phrase) {
        const QString text = QString::fromStdString(Ansi::ToUtf8(phrase));
        QMetaObject::invokeMethod(
            this, [this, session, text] { Deliver(session, text); }, Qt::QueuedConnection);
    };
    callbacks.level = [this](uint64_t session, int32_t level) {
        QMetaObject::invokeMethod(
            this, [this, session, level] { DeliverLevel(session, level); }, Qt::QueuedConnection);
    };
    callbacks.note = [](const std::string& note) {
        qCWarning(lcSpeech, "%s", Ansi::ToUtf8(note).c_str());
    };
    worker_ = std::make_unique<RecognitionThread>(std::move(callbacks));
}

DirectSR1::~DirectSR1() {
    // The capture thread feeds the worker: stop it first, then the worker.
    source_->Stop();
    worker_.reset();
}

void DirectSR1::LoadGrammarFile(const QString& path) {
    worker_->SetGrammar(ReadGrammarFile(QFile::encodeName(path).toStdString()));
}

void DirectSR1::StartListening() {
    if (listening_) return;
    listening_ = true;
    const quint64 session = ++session_;
    worker_->BeginSession(session);
    RecognitionThread* worker = worker_.get();
    source_->Start(
        [worker, session](std::span<const int16_t> samples) { worker->Feed(session, samples); },
        [this, session](const std::string& error) {
            qCWarning(lcSpeech, "microphone: %s", error.c_str());
            const QString reason = QString::fromStdString(error);
            QMetaObject::invokeMethod(
                this, [this, session, reason] { DeliverFailure(session, reason); },
                Qt::QueuedConnection);
        });
    emit ListeningChanged();
}

void DirectSR1::StopListening() {
    if (!listening_) return;
    listening_ = false;
    source_->Stop();
    worker_->BeginSession(++session_);
    emit ListeningChanged();
}

void DirectSR1::Deliver(quint64 session, const QString& phrase) {
    if (listening_ && session == session_) emit PhraseRecognized(phrase);
}

void DirectSR1::DeliverFailure(quint64 session, const QString& reason) {
    if (!listening_ || session != session_ || failedSession_ == session) return;
    failedSession_ = session;
    emit MicrophoneFailed(reason);
}

void DirectSR1::DeliverLevel(quint64 session, qint32 level) {
    if (listening_ && session == session_) emit AudioLevel(level);
}
