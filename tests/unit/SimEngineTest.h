#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "TempProgramFolder.h"
#include "common/ErrorRecord.h"
#include "common/ListControl.h"
#include "engine/MainWindowLink.h"
#include "engine/RunningApps.h"
#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"
#include "store/FileSlots.h"

// A command-engine test on the simulated desktop: a fresh program folder, in-memory lists,
// an empty running-window table and no main window.
class SimEngineTest : public ::testing::Test {
protected:
    SimEngineTest() {
        Platform::InstallAll(desktop);
        Lists::Install(std::make_unique<InMemoryListProvider>());
        RunningApps::ReleaseRunningApps();
        MainWindowLink::SetOnApplicationMatched({});
        MainWindowLink::SetWindowHandle(0);
    }
    ~SimEngineTest() override {
        DataSlot::Instance().Close();
        RunningApps::ReleaseRunningApps();
        Platform::Install(nullptr, nullptr, nullptr);
    }

    static IListControl& List(ListId id) { return Lists::Get(id); }

    std::string AppFile() const { return folder.File("VAppCmd.txt"); }

    // Writes "VAppCmd.txt" holding these record texts.
    void WriteApps(const std::vector<std::string>& texts) const {
        std::string bytes;
        for (const std::string& text : texts) bytes += RecordBytes(text, 270);
        WriteBytes(AppFile(), bytes);
    }

    // The record texts of "VAppCmd.txt".
    std::vector<std::string> ReadApps() const { return ReadRecords(AppFile(), 270); }

    // "class ¦ title"
    static std::string Identity(const std::string& className, const std::string& title) {
        return className + " \xA6 " + title;
    }

    TempProgramFolder folder;
    std::shared_ptr<SimDesktop> desktop = std::make_shared<SimDesktop>();
};
