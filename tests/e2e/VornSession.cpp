#include "VornSession.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <thread>

#include "SpeechSamples.h"
#include "TempProgramFolder.h"
#include "platform/Platform.h"

namespace {

constexpr int kSampleRate = 16000;
constexpr double kQuietBefore = 0.4;
constexpr double kQuietAfter = 1.0;

}  // namespace

VornSession::VornSession() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorn-e2e-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
    const std::string program = folder_ + "/vorn";
    std::filesystem::copy_file(VORN_PROGRAM, program);
    std::filesystem::copy_file(VORN_HELP_FILE, folder_ + "/vornhelp.chm");
    std::filesystem::create_directory(folder_ + "/vocab");
    const std::string client =
        std::string(VORN_X11_TEST_CLIENT) + " --lifetime 30 --window \"Started|started window|\"";
    WriteRecords(folder_ + "/VAppCmd.txt",
                 {"KeyLogger \xA6 Key Logger*key logger~Keys$",
                  "Started \xA6 started window*open the client~Keys$" + client},
                 270);
    WriteRecords(folder_ + "/vocab/Keys.txt", {"hello:Hi!"}, 128);
    WriteRecords(folder_ + "/vocab/Extra.txt", {"goodbye:Bye!"}, 128);

    pulse_ = std::make_unique<PrivatePulseServer>();
    if (!pulse_->Running()) throw std::runtime_error("the private PulseAudio server did not start");
    setenv("PULSE_SERVER", pulse_->Address().c_str(), 1);
    // A microphone never delivers exact silence: a quiet room plays all along.
    const std::string quiet = folder_ + "/quiet.wav";
    SpeechSamples::WriteWav(quiet, SpeechSamples::Quiet(120, 7));
    noiseFloor_ = std::make_unique<ChildProcess>(pulse_->PlayCommand(quiet), true);

    logger_ = std::make_unique<KeyLogger>(VORN_KEY_LOGGER);
    const std::string ready = logger_->NextLine(std::chrono::seconds(15));
    if (ready.rfind("ready ", 0) != 0) throw std::runtime_error("the key logger did not start");
    loggerWindow_ = static_cast<Hwnd>(std::stoul(ready.substr(6)));

    StartProgram();
}

void VornSession::StartProgram() {
    program_ = std::make_unique<ChildProcess>(std::vector<std::string>{
        "env", "XDG_CONFIG_HOME=" + folder_ + "/config", folder_ + "/vorn"});
    mainWindow_ = WaitForWindow("Vorn! Voice Control");
    if (mainWindow_ == 0) throw std::runtime_error("the program's window did not appear");
    // The recogniser takes a moment to load its models and open the microphone.
    std::this_thread::sleep_for(std::chrono::seconds(2));
}

VornSession::~VornSession() {
    program_.reset();
    logger_.reset();
    noiseFloor_.reset();
    pulse_.reset();
    unsetenv("PULSE_SERVER");
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

void VornSession::Say(const std::string& phrase) {
    StartSaying(phrase).player->Wait();
}

VornSession::Saying VornSession::StartSaying(const std::string& phrase) {
    const auto speech = SpeechSamples::Speak(phrase, "en-us");
    if (speech.empty()) throw std::runtime_error("espeak-ng could not speak: " + phrase);
    const auto utterance =
        SpeechSamples::Frame(speech, kQuietBefore, kQuietAfter, static_cast<uint32_t>(++sayings_));
    const std::string wav = folder_ + "/say" + std::to_string(sayings_) + ".wav";
    SpeechSamples::WriteWav(wav, utterance.samples);
    const auto started = std::chrono::steady_clock::now();
    auto player = std::make_unique<ChildProcess>(pulse_->PlayCommand(wav), true);
    return {started + std::chrono::microseconds(static_cast<long long>(utterance.speechEnd) *
                                                1000000 / kSampleRate),
            std::move(player)};
}

Hwnd VornSession::WaitForWindow(const std::string& title, std::chrono::milliseconds wait) {
    Hwnd found = 0;
    WaitFor(
        [&] {
            for (Hwnd window : Platform::Windows().EnumWindows()) {
                if (Platform::Windows().GetWindowTextA(window, 256) == title) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        wait);
    return found;
}

void VornSession::Screenshot(Hwnd window, const std::string& name) {
    std::filesystem::create_directories(VORN_ARTEFACTS);
    RunProgram({VORN_SCREENSHOT, std::string(VORN_ARTEFACTS) + "/" + name + ".png",
                std::to_string(window)});
}
