#include "speech/PulseCapture.h"

#include <pulse/pulseaudio.h>

#include <string>

namespace {

constexpr char kClientName[] = "Vorn! Voice Control";
constexpr char kStreamName[] = "Speech commands";

}  // namespace

// One capture from Start to Stop: the main loop thread, the server connection and the record
// stream. Every callback runs on the main loop thread with the loop's lock held.
struct PulseCapture::Session {
    SampleSink samples;
    ErrorSink errors;
    pa_threaded_mainloop* loop = nullptr;
    pa_context* context = nullptr;
    pa_stream* stream = nullptr;
    bool failed = false;

    // Reports the first failure only: a refused connection is seen both by the connect call
    // and by the state callback it runs.
    void Fail(const std::string& what) {
        if (failed) return;
        failed = true;
        if (errors) errors(what + ": " + pa_strerror(pa_context_errno(context)));
    }

    static void OnContextState(pa_context* c, void* userdata) {
        auto* self = static_cast<Session*>(userdata);
        switch (pa_context_get_state(c)) {
            case PA_CONTEXT_READY:
                self->OpenStream();
                break;
            case PA_CONTEXT_FAILED:
                self->Fail("cannot connect to the sound server");
                break;
            default:
                break;
        }
    }

    static void OnStreamState(pa_stream* s, void* userdata) {
        auto* self = static_cast<Session*>(userdata);
        if (pa_stream_get_state(s) == PA_STREAM_FAILED) self->Fail("the recording stream failed");
    }

    static void OnRead(pa_stream* s, size_t /*nbytes*/, void* userdata) {
        auto* self = static_cast<Session*>(userdata);
        const void* data = nullptr;
        size_t bytes = 0;
        while (pa_stream_readable_size(s) > 0) {
            if (pa_stream_peek(s, &data, &bytes) < 0 || bytes == 0) return;
            // A hole (data null) carries no samples; it is dropped like any fragment.
            if (data != nullptr && self->samples) {
                self->samples(std::span<const int16_t>(static_cast<const int16_t*>(data),
                                                       bytes / sizeof(int16_t)));
            }
            pa_stream_drop(s);
        }
    }

    void OpenStream() {
        const pa_sample_spec spec{PA_SAMPLE_S16NE, kAudioSampleRate, 1};
        stream = pa_stream_new(context, kStreamName, &spec, nullptr);
        if (stream == nullptr) {
            Fail("cannot create the recording stream");
            return;
        }
        pa_stream_set_state_callback(stream, &OnStreamState, this);
        pa_stream_set_read_callback(stream, &OnRead, this);
        // Without an explicit fragment size the server buffers seconds of audio before the
        // first delivery.
        pa_buffer_attr attr{};
        attr.maxlength = static_cast<uint32_t>(-1);
        attr.fragsize = static_cast<uint32_t>(kAudioFragmentSamples * sizeof(int16_t));
        const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY);
        if (pa_stream_connect_record(stream, nullptr, &attr, flags) < 0) {
            Fail("cannot start recording");
        }
    }

    bool Open() {
        loop = pa_threaded_mainloop_new();
        if (loop == nullptr) return false;
        context = pa_context_new(pa_threaded_mainloop_get_api(loop), kClientName);
        if (context == nullptr) return false;
        pa_context_set_state_callback(context, &OnContextState, this);
        pa_threaded_mainloop_lock(loop);
        const bool connected =
            pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0 &&
            pa_threaded_mainloop_start(loop) >= 0;
        pa_threaded_mainloop_unlock(loop);
        if (!connected) Fail("cannot connect to the sound server");
        return connected;
    }

    // Stops the main loop thread first: afterwards no callback can run, and the stream and
    // connection are released without waiting on the server.
    ~Session() {
        if (loop != nullptr) pa_threaded_mainloop_stop(loop);
        if (stream != nullptr) {
            pa_stream_set_read_callback(stream, nullptr, nullptr);
            pa_stream_set_state_callback(stream, nullptr, nullptr);
            pa_stream_disconnect(stream);
            pa_stream_unref(stream);
        }
        if (context != nullptr) {
            pa_context_set_state_callback(context, nullptr, nullptr);
            pa_context_disconnect(context);
            pa_context_unref(context);
        }
        if (loop != nullptr) pa_threaded_mainloop_free(loop);
    }
};

PulseCapture::PulseCapture() = default;

PulseCapture::~PulseCapture() {
    Stop();
}

void PulseCapture::Start(SampleSink samples, ErrorSink errors) {
    Stop();
    session_ = std::make_unique<Session>();
    session_->samples = std::move(samples);
    session_->errors = std::move(errors);
    if (!session_->Open()) session_.reset();
}

void PulseCapture::Stop() {
    session_.reset();
}
