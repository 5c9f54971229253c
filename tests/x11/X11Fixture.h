#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "TestClient.h"
#include "WaitFor.h"
#include "platform/Platform.h"
#include "platform/x11/X11Backend.h"

// A test on the real X11 desktop of $DISPLAY, with the X11 backend installed.
class X11Test : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        services = X11Backend::Create();
        Platform::Install(services.windows, services.keyboard, services.processes);
    }
    static void TearDownTestSuite() {
        Platform::Install(nullptr, nullptr, nullptr);
        services = {};
    }

    static IWindowSystem& Windows() { return *services.windows; }

    // Waits until the window manager manages the window: it is enumerated and has a state.
    static bool Managed(Hwnd hWnd) {
        return WaitFor([&] {
            const std::vector<Hwnd> all = Windows().EnumWindows();
            return std::find(all.begin(), all.end(), hWnd) != all.end() &&
                   Windows().IsWindowVisible(hWnd);
        });
    }

    // Waits until the window manager shows the window as minimised: it may list a window that
    // asked to start minimised a moment before it marks it hidden.
    static bool Minimised(Hwnd hWnd) {
        return WaitFor([&] { return Windows().IsIconic(hWnd); });
    }

    static std::string Identity(const std::string& className, const std::string& title) {
        return className + " \xA6 " + title;
    }

    static inline X11Backend::Services services;
};
