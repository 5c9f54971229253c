// The grammar rebuild with 30 vocabularies of 1,000 words each, and the vocabulary keystroke
// check with 200 application records.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "common/ListControl.h"
#include "common/ProgramFolder.h"
#include "engine/CApp.h"
#include "engine/RunningApps.h"
#include "platform/Platform.h"
#include "platform/sim/SimDesktop.h"
#include "store/CFile.h"

namespace {

constexpr int kVocabularies = 30;
constexpr int kWordsPerVocabulary = 1000;
constexpr int kApplications = 200;

// A program folder of its own, removed afterwards.
class BenchFolder {
public:
    BenchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vorn-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
        SetProgramFolder(path_);
        std::filesystem::create_directory(path_ + "/vocab");
    }
    ~BenchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }

private:
    std::string path_;
};

std::string Identity(int app) {
    return "Class" + std::to_string(app) + " \xA6 Window " + std::to_string(app);
}

void WriteApplications() {
    CFile file;
    file.FileOpen(false);
    for (int app = 1; app <= kApplications; ++app) {
        file.FileStore(Identity(app) + "*open window " + std::to_string(app) + "~Vocab" +
                           std::to_string(app % kVocabularies) + "$",
                       static_cast<int16_t>(app));
    }
    file.FileClose();
}

void WriteVocabulary(int vocabulary) {
    CFile file;
    file.FileOpen(true, "Vocab" + std::to_string(vocabulary));
    for (int word = 1; word <= kWordsPerVocabulary; ++word) {
        file.FileStore(
            "word " + std::to_string(vocabulary) + " " + std::to_string(word) + ":^c{TAB 2}",
            static_cast<int16_t>(word));
    }
    file.FileClose();
}

void BM_GrammarRebuild(benchmark::State& state) {
    BenchFolder folder;
    WriteApplications();
    IListControl& lstVocab = Lists::Get(ListId::frmVocab_lstVocab);
    lstVocab.Clear();
    for (int vocabulary = 0; vocabulary < kVocabularies; ++vocabulary) {
        WriteVocabulary(vocabulary);
        lstVocab.AddItem("Vocab" + std::to_string(vocabulary));
    }
    CFile file;
    for (auto _ : state) file.TempLoad();
    state.counters["lines"] = static_cast<double>(Lists::Get(ListId::frmTemp_lstTemp).ListCount());
    lstVocab.Clear();
}
BENCHMARK(BM_GrammarRebuild)->Unit(benchmark::kMillisecond);

// The window in front is the application of the last record, and the phrase is the last word
// of its vocabulary: both scans run to their ends.
void BM_VocabCheck(benchmark::State& state) {
    BenchFolder folder;
    WriteApplications();
    const int last = kApplications;
    WriteVocabulary(last % kVocabularies);
    auto desktop = std::make_shared<SimDesktop>();
    Platform::InstallAll(desktop);
    RunningApps::ReleaseRunningApps();
    for (int app = 1; app <= kApplications; ++app) {
        const Hwnd window = desktop->AddWindow(
            {.className = "Class" + std::to_string(app), .title = "Window " + std::to_string(app)});
        RunningApps::RunAppCollectionAdd(window, Identity(app));
        if (app == last) desktop->foreground = window;
    }
    const std::string phrase =
        "word " + std::to_string(last % kVocabularies) + " " + std::to_string(kWordsPerVocabulary);
    CApp app;
    for (auto _ : state) {
        if (app.VocabCheck(phrase) != 2) state.SkipWithError("no keys typed");
        desktop->keyEvents.clear();
    }
}
BENCHMARK(BM_VocabCheck)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
