#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QInputDialog>
#include <QListWidget>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "common/DebugLog.h"
#include "common/ErrorRecord.h"
#include "common/MessageBox.h"
#include "common/ResumeNext.h"
#include "forms/Form.h"
#include "forms/FormRegistry.h"
#include "forms/ListBox.h"
#include "forms/ModalLoops.h"
#include "forms/QtDialogs.h"
#include "forms/QtListControl.h"
#include "forms/RunHandler.h"
#include "forms/Twips.h"
#include "forms/VornLogging.h"

namespace {

// A window that counts its loads and unloads.
class frmProbe : public Form<frmProbe> {
public:
    static constexpr const char* kName = "frmProbe";
    static inline int loads = 0;
    static inline int unloads = 0;

    frmProbe() : list(new QListWidget(this)) {}
    QListWidget* list;

protected:
    void Form_Load() override { ++loads; }
    void Form_Unload() override { ++unloads; }
};

void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

TEST(Form, TouchLoadsHiddenOnceAndUnloadGivesAFreshInstanceNextTime) {
    frmProbe::loads = frmProbe::unloads = 0;
    EXPECT_FALSE(frmProbe::IsLoaded());
    frmProbe* first = &frmProbe::Default();
    EXPECT_EQ(&frmProbe::Default(), first);
    EXPECT_EQ(frmProbe::loads, 1);
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(FormRegistry::Find("frmProbe"), first);

    frmProbe::Unload();
    EXPECT_EQ(frmProbe::unloads, 1);
    EXPECT_FALSE(frmProbe::IsLoaded());
    EXPECT_EQ(FormRegistry::Find("frmProbe"), nullptr);
    frmProbe::Unload();  // not loaded: nothing happens
    EXPECT_EQ(frmProbe::unloads, 1);
    FlushDeletes();

    frmProbe::Default();
    EXPECT_EQ(frmProbe::loads, 2);
    FormRegistry::Unload("frmProbe");
    EXPECT_EQ(frmProbe::unloads, 2);
    FlushDeletes();
}

namespace {

// A second window, so that two windows can switch to each other.
class frmOther : public Form<frmOther> {
public:
    static constexpr const char* kName = "frmOther";
};

}  // namespace

TEST(Form, WindowsThatSwitchModallyNestTheirLoopsAndAnUnloadEndsThemInTurn) {
    // probe (loop 1) hides itself and shows other (loop 2), which hides itself and shows probe
    // again (loop 3), as the two configuration windows switch; then probe is closed.
    std::vector<std::string> returned;
    QPointer<frmProbe> firstProbe;
    QTimer::singleShot(0, [&] {
        firstProbe = &frmProbe::Default();
        frmProbe::Default().hide();
        QTimer::singleShot(0, [&] {
            frmOther::Default().hide();
            QTimer::singleShot(0, [] { frmProbe::Unload(); });
            frmProbe::Default().ShowModal();
            returned.push_back("probe again");
            // The unloaded window is kept while handlers further down may still use it.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            EXPECT_NE(firstProbe, nullptr);
        });
        frmOther::Default().ShowModal();
        returned.push_back("other");
    });
    frmProbe::Default().ShowModal();
    returned.push_back("probe");
    EXPECT_EQ(returned, (std::vector<std::string>{"probe again", "other", "probe"}));
    EXPECT_FALSE(frmProbe::IsLoaded());
    EXPECT_TRUE(frmOther::IsLoaded());
    EXPECT_FALSE(ModalLoops::Running());
    FlushDeletes();
    EXPECT_EQ(firstProbe, nullptr);  // deleted once every loop had ended
    frmOther::Unload();
    FlushDeletes();
}

TEST(Form, TheCloseBoxUnloads) {
    frmProbe::unloads = 0;
    frmProbe::Default().show();
    frmProbe::Default().close();
    EXPECT_EQ(frmProbe::unloads, 1);
    EXPECT_FALSE(frmProbe::IsLoaded());
    FlushDeletes();
}

TEST(QtListControl, SelectingFromCodeRaisesTheClickHandlerAsAUserSelectionDoes) {
    QListWidget widget;
    int clicks = 0;
    QtListControl list(&widget, [&] { ++clicks; });
    list.AddItem("b");
    list.AddItem("a", 0);
    list.SetItemData(1, 42);
    list.SetListIndex(1);
    EXPECT_EQ(clicks, 1);
    list.SetListIndex(1);  // the same item again still raises it
    EXPECT_EQ(clicks, 2);
    widget.setCurrentRow(0);  // as a user's selection
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(list.Text(), "a");
    EXPECT_EQ(list.ItemData(1), 42);
    EXPECT_EQ(list.FindStringExact("B"), 1);

    // Texts are ANSI: the broken bar survives the round trip through the widget.
    list.AddItem("gedit \xA6 notes");
    EXPECT_EQ(widget.item(2)->text(), QString::fromUtf8("gedit \u00A6 notes"));
    EXPECT_EQ(list.List(2), "gedit \xA6 notes");
    try {
        list.RemoveItem(7);
        FAIL();
    } catch (const ErrorRecord& e) {
        EXPECT_EQ(e.Number(), 381);
    }
    list.Clear();
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(clicks, 3);  // clearing is no selection
}

TEST(Twips, LayoutsConvertWithTheScreensResolution) {
    EXPECT_GT(Twips::PerPixel(), 0.0);
    EXPECT_EQ(Twips::ToPixels(1440), static_cast<int>(std::lround(1440 / Twips::PerPixel())));
    QWidget parent;
    QWidget child(&parent);
    Twips::Place(&child, 120, 960, 4455, 2400);
    EXPECT_EQ(child.x(), Twips::ToPixels(120));
    EXPECT_EQ(child.height(), Twips::ToPixels(2400));
}

TEST(RunHandler, AFailureShowsItsMessageAndReturns) {
    auto recording = std::make_unique<RecordingDialogs>();
    RecordingDialogs* dialogs = recording.get();
    auto previous = Dialogs::Install(std::move(recording));
    RunHandler([] { throw ErrorRecord(13011, "vorn.CFile", "File Corrupt"); });
    RunHandler([] {});
    // A programming error that a step of the handler did not drop is shown too.
    RunHandler([] { ResumeNext([] { throw std::logic_error("no backend"); }); });
    ASSERT_EQ(dialogs->boxes.size(), 2u);
    EXPECT_EQ(dialogs->boxes[0].text, "Error 13011: File Corrupt");
    EXPECT_EQ(dialogs->boxes[1].text, "Error: no backend");
    Dialogs::Install(std::move(previous));
}

TEST(VornLogging, TheDebugLogGoesToTheVornCategoryShownOnlyWhenItsRulesAskForIt) {
    static std::vector<std::pair<QString, QString>> messages;
    messages.clear();
    RouteDebugLogToVornCategory();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
            if (type == QtDebugMsg) messages.emplace_back(context.category, text);
        });
    const auto passOverAFailedStep = [] {
        ResumeNext([] { throw ErrorRecord(53, "vorn", "File not found: caf\xE9.txt"); });
    };
    QLoggingCategory::setFilterRules({});
    passOverAFailedStep();
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(lcVorn().isWarningEnabled());

    QLoggingCategory::setFilterRules("vorn.debug=true");
    passOverAFailedStep();
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules({});
    DebugLog::InstallSink(nullptr);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].first, "vorn");
    EXPECT_EQ(messages[0].second,
              QString::fromUtf8("passed over a failed step: error 53: File not found: café.txt"));
}

TEST(ListBox, AWideExtentScrollsSidewaysAndTheLayoutComesToRest) {
    ListBox list;
    list.resize(200, 100);
    list.addItem("short");
    list.show();
    list.SetHorizontalExtent(400);
    QApplication::processEvents();
    EXPECT_EQ(list.horizontalScrollBar()->maximum(), 400 - list.viewport()->width());
    // A layout that kept showing and hiding its scroll bar would lay itself out for ever.
    QSignalSpy layouts(list.horizontalScrollBar(), &QScrollBar::rangeChanged);
    QTest::qWait(200);
    EXPECT_LT(layouts.count(), 5);
}

TEST(QtDialogs, AnInputBoxAskedToStandAboveTheScreenIsKeptOnIt) {
    QtDialogs dialogs;
    QRect placed;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (box == nullptr) return;
        placed = box->frameGeometry();
        box->close();
    });
    const std::string answer = dialogs.InputBox("Enter Name of New Vocabulary: ", "New Vocabulary",
                                                "", TwipsPoint{600, -1700});
    EXPECT_EQ(answer, "");  // closed: as cancelled
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_FALSE(placed.isNull());
    EXPECT_TRUE(screen.contains(placed)) << placed.x() << "," << placed.y();
    EXPECT_EQ(placed.x(), Twips::ToPixels(600));
    EXPECT_EQ(placed.y(), screen.top());
}

TEST(QtDialogs, AnInputBoxRefusesATextThatTheDataTextCannotHold) {
    QtDialogs dialogs;
    std::vector<QString> told;
    const auto answer = [&](const char* typedUtf8) {
        QTimer::singleShot(0, [&, typed = QString::fromUtf8(typedUtf8)] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (box == nullptr) return;
            QTimer::singleShot(0, [&] {
                auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (message == nullptr) return;
                told.push_back(message->windowTitle() + ": " + message->text());
                message->accept();
            });
            box->setTextValue(typed);
            box->accept();
        });
        return dialogs.InputBox("Enter Name of New Vocabulary: ", "New Vocabulary", "",
                                std::nullopt);
    };
    for (const char* typed : {"Привет", "日本語", "🎵🎶", "Notes \u2460"}) {
        EXPECT_EQ(answer(typed), "") << typed;
    }
    ASSERT_EQ(told.size(), 4u);
    EXPECT_TRUE(told[0].startsWith("New Vocabulary: This text cannot be kept"))
        << told[0].toStdString();
    // Every character of the code page is kept, "?" among them.
    EXPECT_EQ(answer("Café – 5€?"), "Caf\xE9 \x96 5\x80?");
    EXPECT_EQ(told.size(), 4u);
}
