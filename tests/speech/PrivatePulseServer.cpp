#include "PrivatePulseServer.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

namespace {

constexpr char kSink[] = "vorn_test_sink";
constexpr char kMicrophone[] = "vorn_test_mic";

pid_t Spawn(std::vector<std::string> args, const std::vector<std::string>& environment) {
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<std::string> env = environment;
    if (const char* path = std::getenv("PATH")) env.push_back(std::string("PATH=") + path);
    std::vector<char*> envp;
    for (auto& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

bool Succeeds(pid_t pid) {
    if (pid < 0) return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

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
    pid_ = Spawn({"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
                  "--disallow-exit", "-L",
                  "module-native-protocol-unix socket=" + socket + " auth-anonymous=1", "-L",
                  std::string("module-null-sink rate=16000 channels=1 sink_name=") + kSink, "-L",
                  std::string("module-virtual-source source_name=") + kMicrophone +
                      " master=" + kSink + ".monitor"},
                 environment);
    if (pid_ < 0) return;
    // The server is up when it answers; the virtual microphone then becomes the default.
    for (int attempt = 0; attempt < 200 && !ready_; ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!std::filesystem::exists(socket)) continue;
        ready_ = Succeeds(Spawn(
            {"pactl", "--server=" + address_, "set-default-source", kMicrophone}, environment));
    }
}

PrivatePulseServer::~PrivatePulseServer() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        bool ended = false;
        for (int attempt = 0; attempt < 100 && !ended; ++attempt) {
            ended = waitpid(pid_, &status, WNOHANG) == pid_;
            if (!ended) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (!ended) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
        }
    }
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

bool PrivatePulseServer::Speak(const std::string& wavPath) const {
    return Succeeds(Spawn(PlayCommand(wavPath), {"HOME=" + folder_}));
}

std::vector<std::string> PrivatePulseServer::PlayCommand(const std::string& wavPath) const {
    return {"paplay", "--server=" + address_, std::string("--device=") + kSink, wavPath};
}
