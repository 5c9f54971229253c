#include "PrivatePulseAudio.h"

#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

PrivatePulseAudio::PrivatePulseAudio() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorn-pulse-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder_ = pattern;
    const std::string socket = folder_ + "/native";
    std::ofstream(folder_ + "/default.pa")
        << "load-module module-native-protocol-unix socket=" << socket << " auth-anonymous=1\n"
        << "load-module module-null-sink sink_name=speaker rate=16000 channels=1\n"
        << "load-module module-virtual-source source_name=microphone master=speaker.monitor\n"
        << "set-default-sink speaker\n"
        << "set-default-source microphone\n";
    daemon_ = std::make_unique<ChildProcess>(std::vector<std::string>{
        "env", "HOME=" + folder_, "PULSE_RUNTIME_PATH=" + folder_ + "/run",
        "PULSE_STATE_PATH=" + folder_ + "/state", "pulseaudio", "-n", "--daemonize=no",
        "--exit-idle-time=-1", "--disallow-exit", "--log-target=file:" + folder_ + "/log", "-F",
        folder_ + "/default.pa"});
    setenv("PULSE_SERVER", ("unix:" + socket).c_str(), 1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (RunProgram({"pactl", "info"}) != 0) {
        if (std::chrono::steady_clock::now() > deadline || !daemon_->Running()) {
            throw std::runtime_error("the private PulseAudio daemon did not start");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

PrivatePulseAudio::~PrivatePulseAudio() {
    daemon_.reset();
    unsetenv("PULSE_SERVER");
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

std::unique_ptr<ChildProcess> PrivatePulseAudio::Play(const std::string& wavFile) {
    return std::make_unique<ChildProcess>(
        std::vector<std::string>{"paplay", "--device=speaker", wavFile}, true);
}
