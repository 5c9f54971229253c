#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "TempProgramFolder.h"
#include "platform/sim/SimDesktop.h"

// One GUI test: a fresh program folder, a fresh per-user settings store, the simulated
// desktop, the real windows' lists and recorded message boxes. Every window is unloaded
// afterwards.
class GuiFixture : public ::testing::Test {
protected:
    GuiFixture();
    ~GuiFixture() override;

    // Writes records 1..n of the voice command application file.
    void WriteApps(const std::vector<std::string>& records);
    std::vector<std::string> ReadApps();
    // Writes a vocabulary file with the given entries.
    void WriteVocabulary(const std::string& name, const std::vector<std::string>& entries);

    RecordingDialogs& dialogs() { return folder.dialogs(); }

    TempProgramFolder folder;
    std::shared_ptr<SimDesktop> desktop = std::make_shared<SimDesktop>();

private:
    QTemporaryDir settings_;
};
