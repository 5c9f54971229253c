#include "PrivatePulseServer.h"

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

namespace {

constexpr char kSink[] = "vorn_test_sink";
constexpr char kMicrophone[] = "vorn_test_mic";

}  // namespace

PrivatePulseServer::PrivatePulseServer() {
    std::string pattern = std::filesystem::temp_directory_path() / "vorn-pulse-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    const std::string socket = folder_ + "/native";
    address_ = "unix:" + socket;
    const std::vector<std::string> environment = {"HOME=" + folder_, "XDG_RUNTIME_DIR=" + folder_,
                                                  "PULSE_RUNTIME_PATH=" + folder_ + "/run",
                                                  "PULSE_STATE_PATH=" + folder_ + "/state"};
    daemon_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{
            "pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
            "--disallow-exit", "-L",
            "module-native-protocol-unix socket=" + socket + " auth-anonymous=1", "-L",
            std::string("module-null-sink rate=16000 channels=1 sink_name=") + kSink, "-L",
            std::string("module-virtual-source source_name=") + kMicrophone + " master=" + kSink +
                ".monitor"},
        true, environment);
    // The server is up when it answers; the virtual microphone then becomes the default.
    for (int attempt = 0; attempt < 200 && !ready_; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!std::filesystem::exists(socket)) continue;
        if (!daemon_->Running()) return;
        ready_ = RunProgram({"pactl", "--server=" + address_, "set-default-source", kMicrophone},
                            environment) == 0;
    }
}

PrivatePulseServer::~PrivatePulseServer() {
    daemon_.reset();
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

bool PrivatePulseServer::Speak(const std::string& wavPath) const {
    return RunProgram(PlayCommand(wavPath), {"HOME=" + folder_}) == 0;
}

std::vector<std::string> PrivatePulseServer::PlayCommand(const std::string& wavPath) const {
    return {"paplay", "--server=" + address_, std::string("--device=") + kSink, wavPath};
}
