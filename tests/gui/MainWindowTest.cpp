#include <QColor>
#include <QImage>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>

#include "GuiFixture.h"
#include "common/ErrorRecord.h"
#include "common/ListControl.h"
#include "config/frmApp.h"
#include "config/frmVocab.h"
#include "engine/CApp.h"
#include "forms/AnsiQt.h"
#include "listening/MeterScaleSetting.h"
#include "listening/SoundMeter.h"
#include "listening/frmVolSet.h"
#include "listening/frmVorn.h"

namespace {

const std::string kTerm = "XTerm \xA6 shell";
const std::string kNotes = "gedit \xA6 notes.txt";

// What the picture of the sound meter shows.
struct DrawnMeter {
    // "listening": a dark trough with lamps; "paused": greyed; "stopped for configuration":
    // greyed and hatched.
    std::string state;
    double litPart = 0;  // how far bright coloured lamps reach along the trough, 0 to 1
};

DrawnMeter Drawn(QWidget& meter) {
    const QImage picture = meter.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Inside the frame and the margin around the lamps.
    const QRect inside = picture.rect().adjusted(2, 2, -2, -2);
    int darkOrLit = 0;
    int litRight = inside.left() - 1;
    bool rowsAlike = true;  // upright lamps; lines across them would make the rows differ
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            rowsAlike = rowsAlike && pixel == picture.pixelColor(x, inside.top());
            if (pixel.lightness() < 64) {
                ++darkOrLit;
            } else if (pixel.hsvSaturation() > 150 && pixel.value() > 180) {
                ++darkOrLit;
                litRight = std::max(litRight, x);
            }
        }
    }
    DrawnMeter drawn;
    if (darkOrLit * 2 > inside.width() * inside.height()) {
        drawn.state = "listening";
    } else {
        drawn.state = rowsAlike ? "paused" : "stopped for configuration";
    }
    drawn.litPart = static_cast<double>(litRight - inside.left() + 1) / inside.width();
    return drawn;
}

class MainWindowTest : public GuiFixture {
protected:
    MainWindowTest() {
        term = desktop->AddWindow({.className = "XTerm", .title = "shell"});
        notes = desktop->AddWindow({.className = "gedit", .title = "notes.txt"});
        desktop->foreground = notes;
    }

    frmVorn& Main() { return frmVorn::Default(); }
    bool Listening() { return Main().DirectSR1->IsListening(); }

    // Clicks Configure; the configuration window, shown modally, is closed by its close box.
    void Configure() {
        QTimer::singleShot(0, [] { frmApp::Default().close(); });
        Main().cmdConfigure_Click();
    }

    Hwnd term = 0;
    Hwnd notes = 0;
};

}  // namespace

TEST_F(MainWindowTest, StartUpCreatesTheFolderBuildsTheGrammarListensAndFillsTheLists) {
    std::filesystem::remove(folder.File("vocab"));
    WriteApps({kTerm + "*shell~Editing$xterm"});
    QSettings("RedoDoridade").setValue("Startup/VUMeter", "4500");

    Main();
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("vocab")));
    EXPECT_EQ(ReadBytes(folder.File("temp.txt")),
              "[Grammar]\r\nlangid = 1033\r\ntype=cfg\r\n[<start>]\r\n<start>=switch to\r\n"
              "<start>=shell\r\n");
    EXPECT_TRUE(Listening());
    EXPECT_FALSE(Main().Paused());
    EXPECT_FLOAT_EQ(Main().VUMeter->FullScale(), 4500.0f);
    ASSERT_TRUE(frmApp::IsLoaded());
    EXPECT_FALSE(frmApp::Default().isVisible());
    EXPECT_EQ(Lists::Get(ListId::frmApp_lstVAppCmd).List(0), kTerm);
    EXPECT_GE(Lists::Get(ListId::frmApp_lstRunApp).FindStringExact(kNotes), 0);
    EXPECT_TRUE(Main().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(dialogs().boxes.empty());
}

TEST_F(MainWindowTest, AMeterScaleThatIsNotANumberAboveZeroIsReportedAndTheDefaultUsed) {
    // On any of these the meter would never move.
    for (const char* text : {"loud", "0", "-250", "nan", "inf", ""}) {
        EXPECT_FALSE(MeterScaleSetting::FullScale(text)) << text;
    }
    EXPECT_EQ(MeterScaleSetting::FullScale(" 4500 "), 4500.0f);

    QSettings("RedoDoridade").setValue("Startup/VUMeter", "0");
    Main();
    EXPECT_FLOAT_EQ(Main().VUMeter->FullScale(), 3000.0f);
    ASSERT_EQ(dialogs().boxes.size(), 1u);
    EXPECT_TRUE(Listening());
}

TEST_F(MainWindowTest, AGrammarFileThatCannotBeReadStopsTheStartNamingTheFile) {
    std::filesystem::create_directory(folder.File("temp.txt"));
    try {
        Main();
        FAIL() << "the start went on";
    } catch (const ErrorRecord& e) {
        EXPECT_EQ(e.Number(), 75);
        EXPECT_NE(e.Description().find(folder.File("temp.txt")), std::string::npos)
            << e.Description();
    }
}

TEST_F(MainWindowTest, TheToggleFollowsTheFourListeningStates) {
    Main().VUMeter->SetLevel(1200);
    Main().VUMeter_ToggleListening();  // Listening -> Paused
    EXPECT_FALSE(Listening());
    EXPECT_TRUE(Main().Paused());
    EXPECT_FLOAT_EQ(Main().VUMeter->Level(), 0.0f);
    Main().VUMeter_ToggleListening();  // Paused -> Listening
    EXPECT_TRUE(Listening());
    EXPECT_FALSE(Main().Paused());

    Configure();  // Listening -> stopped for configuration, not paused
    EXPECT_FALSE(Listening());
    EXPECT_TRUE(Main().App().PBClickState());
    Main().VUMeter_ToggleListening();  // the first toggle afterwards resumes
    EXPECT_TRUE(Listening());
    EXPECT_FALSE(Main().Paused());
    EXPECT_FALSE(Main().App().PBClickState());

    Main().VUMeter_ToggleListening();  // pause, then configure while paused
    Configure();
    EXPECT_FALSE(Listening());
    Main().VUMeter_ToggleListening();  // still resumes
    EXPECT_TRUE(Listening());
    EXPECT_FALSE(Main().Paused());
}

TEST_F(MainWindowTest, TheMeterDrawsTheListeningStateThroughTheToggleAndConfigure) {
    const auto meter = [this] { return Drawn(*Main().VUMeter); };
    // A picture of the whole window in each state, among the test artefacts.
    const auto keep = [this](const std::string& state) {
        std::filesystem::create_directories(VORN_ARTEFACTS);
        Main().grab().save(QString::fromStdString(VORN_ARTEFACTS "/main-window-" + state + ".png"));
    };
    Main().DirectSR1_AudioLevel(1500);  // half the full scale
    EXPECT_EQ(meter().state, "listening");
    EXPECT_NEAR(meter().litPart, 0.5, 0.08);
    keep("listening");

    Main().VUMeter_ToggleListening();
    EXPECT_EQ(meter().state, "paused");
    EXPECT_EQ(meter().litPart, 0.0);
    keep("paused");
    Main().VUMeter_ToggleListening();
    EXPECT_EQ(meter().state, "listening");

    DrawnMeter inside;
    DrawnMeter whileSoundMeter;
    DrawnMeter afterDone;
    QTimer::singleShot(0, [&] {
        inside = meter();
        keep("stopped-for-configuration");
        // The Sound Meter command listens while its dialog is open; Done stops again.
        QTimer::singleShot(0, [&] {
            Main().DirectSR1_AudioLevel(4000);  // above the full scale
            whileSoundMeter = meter();
            keep("sound-meter");
            frmVolSet::Default().cmdDone_Click();
        });
        frmApp::Default().mnuMeter_Click();
        afterDone = meter();
        frmApp::Default().close();
    });
    Main().cmdConfigure_Click();
    EXPECT_EQ(inside.state, "stopped for configuration");
    EXPECT_EQ(whileSoundMeter.state, "listening");
    EXPECT_GT(whileSoundMeter.litPart, 0.9);
    EXPECT_EQ(afterDone.state, "stopped for configuration");
    EXPECT_EQ(meter().state, "stopped for configuration");
    Main().VUMeter_ToggleListening();
    EXPECT_EQ(meter().state, "listening");

    // Paused before Configure: stopped for configuration all the same, and the toggle resumes.
    Main().VUMeter_ToggleListening();
    Configure();
    EXPECT_EQ(meter().state, "stopped for configuration");
    Main().VUMeter_ToggleListening();
    EXPECT_EQ(meter().state, "listening");
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
    // The paints that a change brings, once the event loop has had time to deliver them.
    int PaintsAfter(const std::function<void()>& change) {
        paints_ = 0;
        change();
        QTest::qWait(50);
        return paints_;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints_;
        return false;
    }

private:
    int paints_ = 0;
};

TEST_F(MainWindowTest, TheMeterRedrawsOnlyWhenWhatItDrawsChanges) {
    SoundMeter meter;
    meter.resize(200, 20);
    meter.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&meter));
    PaintCounter counter(meter);
    EXPECT_GT(counter.PaintsAfter([&] { meter.SetLook(SoundMeter::Look::Listening); }), 0);
    // Silence: the levels of a quiet microphone light no lamp.
    EXPECT_EQ(counter.PaintsAfter([&] {
        for (int level = 0; level < 50; ++level) meter.SetLevel(static_cast<float>(level % 3));
    }),
              0);
    EXPECT_GT(counter.PaintsAfter([&] { meter.SetLevel(1500); }), 0);
    EXPECT_EQ(counter.PaintsAfter([&] { meter.SetLevel(1510); }), 0);  // the same lamps lit
    EXPECT_GT(counter.PaintsAfter([&] { meter.SetFullScale(6000); }), 0);
    EXPECT_GT(counter.PaintsAfter([&] { meter.SetLook(SoundMeter::Look::Paused); }), 0);
    EXPECT_EQ(counter.PaintsAfter([&] { meter.SetLevel(6000); }), 0);  // paused: nothing lit
    EXPECT_GT(counter.PaintsAfter([&] { meter.resize(300, 20); }), 0);
}

TEST_F(MainWindowTest, AToggleWhileTheApplicationWindowIsVisibleOnlyInvertsThePause) {
    Main();
    frmApp::Default().show();
    Main().VUMeter_ToggleListening();
    EXPECT_TRUE(Main().Paused());
    EXPECT_TRUE(Listening());
}

TEST_F(MainWindowTest, AltF1TogglesWhateverElseIsHeldAndF1AloneDoesNothing) {
    Main().show();
    QTest::keyClick(Main().cmdConfigure, Qt::Key_F1);
    EXPECT_TRUE(Listening());
    QTest::keyClick(Main().cmdConfigure, Qt::Key_F1, Qt::AltModifier);
    EXPECT_FALSE(Listening());
    QTest::keyClick(Main().cmdConfigure, Qt::Key_F1, Qt::AltModifier | Qt::ControlModifier);
    EXPECT_TRUE(Listening());
    QTest::mouseClick(Main().VUMeter, Qt::LeftButton);  // a click on the meter toggles too
    EXPECT_FALSE(Listening());
}

TEST_F(MainWindowTest, ConfigureRefillsTheApplicationListFromTheSecondTimeOn) {
    WriteApps({kTerm + "*shell~Editing$xterm", kNotes + "*notes~Editing$gedit"});
    Main();
    int shown = -1;
    QTimer::singleShot(0, [&] {
        shown = Lists::Get(ListId::frmApp_lstVAppCmd).ListCount();
        EXPECT_EQ(Lists::Get(ListId::frmApp_lstVAppCmd).ListIndex(), 0);
        frmApp::Default().close();
    });
    Main().cmdConfigure_Click();
    EXPECT_EQ(shown, 2);
    EXPECT_FALSE(frmApp::IsLoaded());  // the close box unloaded it
    QTimer::singleShot(0, [&] {
        shown = Lists::Get(ListId::frmApp_lstVAppCmd).ListCount();
        frmApp::Default().close();
    });
    Main().cmdConfigure_Click();
    EXPECT_EQ(shown, 2);
    EXPECT_FLOAT_EQ(Main().VUMeter->Level(), 0.0f);
}

TEST_F(MainWindowTest, EachVocabularyIsListedOnceHoweverTheConfigurationWasClosed) {
    WriteApps({kTerm + "*shell~Office$xterm"});
    WriteVocabulary("Games", {});
    WriteVocabulary("Office", {});
    Main();
    std::vector<int> listed;
    for (int round = 0; round < 3; ++round) {
        // Closed through the vocabulary window's Close, which leaves the application window
        // loaded.
        QTimer::singleShot(0, [&] {
            listed.push_back(Lists::Get(ListId::frmApp_cmbVocabulary).ListCount());
            QTimer::singleShot(0, [&] {
                listed.push_back(Lists::Get(ListId::frmVocab_lstVocab).ListCount());
                frmVocab::Default().cmdCloseVocab->click();
            });
            frmApp::Default().cmdToggle_Click();
        });
        Main().cmdConfigure_Click();
    }
    EXPECT_EQ(listed, std::vector<int>(6, 2));
    EXPECT_EQ(frmApp::Default().cmbVocabulary->currentText(), "Office");
}

TEST_F(MainWindowTest, APhraseActivatesItsApplicationOrTypesAVocabularyWord) {
    WriteApps({kTerm + "*shell~Editing$xterm", kNotes + "*notes~Editing$gedit"});
    WriteVocabulary("Editing", {"copy:^c", "shell:typed"});
    Main();

    Main().DirectSR1_PhraseRecognized("shell");  // an application phrase that is also a word
    EXPECT_EQ(desktop->GetForegroundWindow(), term);
    EXPECT_TRUE(desktop->keyEvents.empty());
    EXPECT_EQ(Main().stbVCmdPanel1->text(), "shell");

    Main().DirectSR1_PhraseRecognized("copy");  // a word of the window in front
    EXPECT_FALSE(desktop->keyEvents.empty());
    EXPECT_TRUE(desktop->KeysDown().empty());
    EXPECT_EQ(Main().stbVCmdPanel1->text(), "copy");

    // A phrase that matches nothing is still shown, and a window opened since is listed.
    desktop->AddWindow({.className = "Firefox", .title = "news"});
    const std::size_t keys = desktop->keyEvents.size();
    Main().DirectSR1_PhraseRecognized("banana");
    EXPECT_EQ(desktop->keyEvents.size(), keys);
    EXPECT_EQ(Main().stbVCmdPanel1->text(), "banana");
    EXPECT_GE(Lists::Get(ListId::frmApp_lstRunApp).FindStringExact("Firefox \xA6 news"), 0);
}

TEST_F(MainWindowTest, ALongEntryIsTypedWholeUnlessAPauseConfigureOrCloseStopsIt) {
    WriteApps({kNotes + "*notes~Editing$gedit"});
    WriteVocabulary("Editing", {"erase:{BKSP 1000}"});
    const std::size_t wholeEntry = 2000;
    // The phrase is handled before the typing ends; the rest follows while the program answers.
    Main().DirectSR1_PhraseRecognized("erase");
    EXPECT_LT(desktop->keyEvents.size(), wholeEntry);
    EXPECT_TRUE(QTest::qWaitFor([&] { return desktop->keyEvents.size() == wholeEntry; }));

    // Each request reaches the program while the entry is being typed; the close comes last.
    const std::vector<std::pair<const char*, std::function<void()>>> requests = {
        {"a click on the meter", [this] { emit Main().VUMeter->ToggleListening(); }},
        {"Configure", [this] { Configure(); }},
        {"the close box", [] { frmVorn::Default().close(); }},
    };
    for (const auto& [request, send] : requests) {
        desktop->keyEvents.clear();
        QTimer::singleShot(0, send);
        Main().DirectSR1_PhraseRecognized("erase");
        QTest::qWait(20);
        const std::size_t typed = desktop->keyEvents.size();
        EXPECT_GT(typed, 0u) << request;
        EXPECT_LT(typed, wholeEntry) << request;
        QTest::qWait(20);
        EXPECT_EQ(desktop->keyEvents.size(), typed) << request;
        EXPECT_TRUE(desktop->KeysDown().empty()) << request;
    }
    EXPECT_FALSE(frmVorn::IsLoaded());
}

TEST_F(MainWindowTest, APhraseWhoseWindowIsAbsentStartsItsProgram) {
    WriteApps({"Gimp \xA6 image*paint~Editing$gimp --new"});
    Main().DirectSR1_PhraseRecognized("paint");
    ASSERT_FALSE(desktop->startRequests.empty());
    EXPECT_EQ(desktop->startRequests.back().file, "gimp --new");
}

TEST_F(MainWindowTest, TheMeterDialogRescalesStoresAndStopsListeningWhenDone) {
    Main();
    EXPECT_EQ(frmVolSet::Default().Slider1->Position(), 3000);
    frmVolSet::Default().Slider1->setValue(5200);  // as the user moves it
    EXPECT_FLOAT_EQ(Main().VUMeter->FullScale(), 5200.0f);
    EXPECT_EQ(QSettings("RedoDoridade").value("Startup/VUMeter").toString(), "5200");
    frmVolSet::Default().cmdDone_Click();
    EXPECT_FALSE(frmVolSet::IsLoaded());
    EXPECT_FALSE(Listening());
    EXPECT_FLOAT_EQ(Main().VUMeter->Level(), 0.0f);
    EXPECT_EQ(frmVolSet::Default().Slider1->Position(), 5200);  // a fresh dialog shows the scale
}

TEST_F(MainWindowTest, ClosingTheMainWindowSavesPlacementsAndRebuildsTheGrammar) {
    WriteApps({kTerm + "*shell~Editing$xterm"});
    Main().show();
    frmApp::Default().show();  // as a Configure did
    frmApp::Default().hide();
    std::filesystem::remove(folder.File("temp.txt"));
    frmVorn::Unload();
    EXPECT_TRUE(std::filesystem::exists(folder.File("temp.txt")));
    const QSettings placement("Ostrelworks", "Vorn! Voice Control");
    EXPECT_EQ(placement.value("frmVorn/State").toString(), "Normal");
    EXPECT_EQ(placement.value("frmApp/State").toString(), "Normal");
}
