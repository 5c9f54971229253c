#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

// Runs vorn_x11_test_client with window requests ("CLASS|TITLE|FLAGS", see TestClientMain.cpp)
// and hands out the ids of its windows. The client is ended when this object goes.
class TestClient {
public:
    explicit TestClient(const std::vector<std::string>& windowRequests);
    ~TestClient();
    TestClient(const TestClient&) = delete;
    TestClient& operator=(const TestClient&) = delete;

    Hwnd Window(std::size_t i) const { return windows_.at(i); }
    // Ends the client now: its windows vanish.
    void End();

    // The client program's path.
    static std::string Program();

private:
    pid_t pid_ = 0;
    std::vector<Hwnd> windows_;
};

// Polls the condition until it holds or the time is over; true when it held.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
