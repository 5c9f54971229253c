// The program: a desktop voice-command tool for X11.
#include <QApplication>
#include <iostream>
#include <memory>

#include "common/ErrorRecord.h"
#include "common/ListControl.h"
#include "common/MessageBox.h"
#include "common/ProgramFolder.h"
#include "config/WindowLists.h"
#include "forms/ModalLoops.h"
#include "forms/ProgramIcon.h"
#include "forms/QtDialogs.h"
#include "forms/VornLogging.h"
#include "listening/Main.h"
#include "listening/SingleInstance.h"
#include "listening/TerminationSignals.h"
#include "listening/frmVorn.h"
#include "platform/KeepAnswering.h"
#include "platform/x11/X11Backend.h"
#include "store/AsideFile.h"
#include "store/InstanceLock.h"
#include "store/RecordPaths.h"

int main(int argc, char** argv) {
    try {
        X11Backend::Install();
    } catch (const std::exception& e) {
        std::cerr << "Vorn! Voice Control needs an X11 display: " << e.what() << '\n';
        return 1;
    }
    // One instance per program folder: a second start brings the first one's window forward.
    const auto lock = InstanceLock::Acquire(ProgramFolder());
    if (lock == nullptr)
        return SingleInstance::BringRunningInstanceToFront(ProgramFolder(), std::cerr);
    // Rewrites that an instance ended by force left unfinished are of no use to anyone.
    for (const std::string& file :
         {RecordPaths::GrammarFile(), RecordPaths::ProgramFile(RecordPaths::kAppFileName)}) {
        AsideFile::RemoveLeftOvers(file);
    }
    AsideFile::RemoveLeftOversIn(RecordPaths::VocabFolder(), RecordPaths::kRecordFileExtension);
    TerminationSignals::Install();

    QApplication app(argc, argv);
    QApplication::setApplicationName("Vorn! Voice Control");
    QApplication::setWindowIcon(ProgramIcon());
    RouteDebugLogToVornCategory();
    Lists::Install(std::make_unique<WindowLists>());
    Dialogs::Install(std::make_unique<QtDialogs>());
    KeepAnswering::Install(ModalLoops::AnswerUntil);
    try {
        Main();
    } catch (const ErrorRecord& e) {
        Dialogs::MsgBox("Vorn! Voice Control could not start.  Error " +
                            std::to_string(e.Number()) + ": " + e.Description(),
                        MsgButtons::OK, MsgIcon::Critical);
        return 1;
    } catch (const std::exception& e) {
        Dialogs::MsgBox(std::string("Vorn! Voice Control could not start: ") + e.what(),
                        MsgButtons::OK, MsgIcon::Critical);
        return 1;
    }
    SingleInstance::PublishMainWindow(*lock, static_cast<uint32_t>(frmVorn::Default().winId()));
    // A termination signal ends the program as closing the main window does. The event loop
    // ends first, and with it every nested one (a message box, a configuration window) without
    // an answer, so that the main window unloads once no handler waits any more on what the
    // unload drops. Not quit(): it first asks every window to close, and a configuration window
    // shown modally keeps the main window open.
    bool signalled = false;
    TerminationSignals::Watch([&signalled] {
        signalled = true;
        QApplication::exit(0);
    });
    const int status = QApplication::exec();
    if (signalled) frmVorn::Unload();
    return status;
}
