#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "WaitFor.h"
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
