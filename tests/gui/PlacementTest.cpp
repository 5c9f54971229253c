// Window placement on a real display with a window manager that frames the windows (Xvfb with
// openbox), where a window's outer size differs from its client area.
#include <QSettings>
#include <QTest>

#include "GuiFixture.h"
#include "config/frmApp.h"
#include "forms/FormRegistry.h"
#include "listening/frmVorn.h"

namespace {

class PlacementTest : public GuiFixture {
protected:
    static QString Stored(const char* value) {
        return QSettings("Ostrelworks", "Vorn! Voice Control").value(value).toString();
    }
    static void Store(const char* value, const QString& text) {
        QSettings("Ostrelworks", "Vorn! Voice Control").setValue(value, text);
    }

    // Shows the window and waits until the window manager has framed it.
    static void ShowFramed(QWidget& window) {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.frameGeometry() != window.geometry(); }));
        QTest::qWait(100);
    }
};

}  // namespace

TEST_F(PlacementTest, TheApplicationWindowComesBackWhereAndAsLargeAsItWasLeft) {
    Store("frmApp/Location", "1500,900,9600,6000");
    Store("frmApp/State", "Normal");
    for (int run = 0; run < 2; ++run) {
        ShowFramed(frmApp::Default());
        frmApp::Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(Stored("frmApp/Location").toStdString(), "1500,900,9600,6000") << "run " << run;
    }
}

TEST_F(PlacementTest, AWindowRestoredMaximizedComesBackToItsSizeWhenMadeNormal) {
    Store("frmApp/Location", "1500,900,9600,6000");
    Store("frmApp/State", "Maximized");
    ShowFramed(frmApp::Default());
    ASSERT_TRUE(frmApp::Default().isMaximized());
    frmApp::Default().showNormal();
    ASSERT_TRUE(QTest::qWaitFor([] { return !frmApp::Default().isMaximized(); }));
    QTest::qWait(200);
    frmApp::Unload();
    EXPECT_EQ(Stored("frmApp/Location").toStdString(), "1500,900,9600,6000");
    EXPECT_EQ(Stored("frmApp/State").toStdString(), "Normal");
}

TEST_F(PlacementTest, WithNothingSavedTheMainWindowOpensInTheWorkAreasBottomRightCorner) {
    desktop->workArea = {40, 10, 1040, 810};  // panels on every side
    ShowFramed(frmVorn::Default());
    const auto outerCorner = [] { return frmVorn::Default().frameGeometry().bottomRight(); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return outerCorner() == QPoint(1039, 809); }))
        << outerCorner().x() << "," << outerCorner().y();
}

TEST_F(PlacementTest, TheMainWindowComesBackWhereItWasLeft) {
    Store("frmVorn/Location", "3000,1500,100,100");
    ShowFramed(frmVorn::Default());
    EXPECT_EQ(frmVorn::Default().frameGeometry().topLeft(), QPoint(200, 100));
    FormRegistry::Unload("frmVorn");
    const QString first = Stored("frmVorn/Location");
    EXPECT_TRUE(first.startsWith("3000,1500,")) << first.toStdString();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ShowFramed(frmVorn::Default());
    FormRegistry::Unload("frmVorn");
    EXPECT_EQ(Stored("frmVorn/Location"), first);
}

TEST_F(PlacementTest, AWindowNeverShownSavesNothingOverTheStoredPlacement) {
    // Start-up loads the application window hidden; closing the main window unloads it.
    ShowFramed(frmVorn::Default());
    ASSERT_TRUE(frmApp::IsLoaded());
    FormRegistry::Unload("frmVorn");
    EXPECT_EQ(Stored("frmApp/Location"), "");
    EXPECT_EQ(Stored("frmApp/State"), "");
    EXPECT_NE(Stored("frmVorn/Location"), "");
}
