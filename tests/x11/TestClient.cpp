#include "TestClient.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <thread>

extern char** environ;

std::string TestClient::Program() {
    return VORN_X11_TEST_CLIENT;
}

TestClient::TestClient(const std::vector<std::string>& windowRequests) {
    std::vector<std::string> arguments{Program(), "--lifetime", "60"};
    for (const std::string& request : windowRequests) {
        arguments.push_back("--window");
        arguments.push_back(request);
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    if (pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    const int error = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (error != 0) {
        close(pipeFds[0]);
        throw std::runtime_error("cannot start the test client");
    }
    FILE* out = fdopen(pipeFds[0], "r");
    unsigned long id = 0;
    while (windows_.size() < windowRequests.size() && std::fscanf(out, "%lu", &id) == 1) {
        windows_.push_back(static_cast<Hwnd>(id));
    }
    std::fclose(out);
    if (windows_.size() != windowRequests.size())
        throw std::runtime_error("the test client opened no windows");
}

TestClient::~TestClient() {
    End();
}

void TestClient::End() {
    if (pid_ == 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = 0;
}
