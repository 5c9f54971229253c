#include "GuiFixture.h"

#include <QCoreApplication>
#include <QSettings>

#include "common/ListControl.h"
#include "config/WindowLists.h"
#include "config/frmApp.h"
#include "config/frmVocab.h"
#include "forms/FormRegistry.h"
#include "platform/Platform.h"
#include "store/CFile.h"

GuiFixture::GuiFixture() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_.path());
    Platform::InstallAll(desktop);
    Lists::Install(std::make_unique<WindowLists>());
    folder.MakeVocabFolder();
}

GuiFixture::~GuiFixture() {
    // The windows' unload handlers clear each other's lists; with the lists in memory they do
    // not load each other again.
    Lists::Install(std::make_unique<InMemoryListProvider>());
    for (const char* name : {"frmVolSet", "frmVorn", "frmAbout", "frmApp", "frmVocab"}) {
        FormRegistry::Unload(name);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Platform::Install(nullptr, nullptr, nullptr);
}

void GuiFixture::WriteApps(const std::vector<std::string>& records) {
    WriteRecords(folder.File("VAppCmd.txt"), records, CFile::kAppRecordLength);
}

std::vector<std::string> GuiFixture::ReadApps() {
    return ReadRecords(folder.File("VAppCmd.txt"), CFile::kAppRecordLength);
}

void GuiFixture::WriteVocabulary(const std::string& name, const std::vector<std::string>& entries) {
    WriteRecords(folder.File("vocab/" + name + ".txt"), entries, CFile::kVocabRecordLength);
}
