#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <memory>

#include "forms/Form.h"
#include "forms/ListBox.h"
#include "forms/QtListControl.h"

class CApp;
class CFile;
class CHelp;
class QVBoxLayout;

// "Application Command Configuration": the voice command applications on the left, the
// running top-level windows on the right; a running window dragged onto the left list becomes
// a new application, whose phrase, vocabulary and path are edited below the lists.
class frmApp : public Form<frmApp> {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmApp";

    frmApp();
    ~frmApp() override;

    QMenuBar* menuBar;
    QMenu* mnuFile;
    QAction* mnuActivate;
    QAction* mnuRun;
    QAction* mnuSaveCmd;
    QAction* mnuDelete;
    QAction* mnuExit;
    QMenu* mnuEdit;
    QAction* mnuAppSwitch;
    QAction* mnuMeter;
    QMenu* mnuWindow;
    QAction* mnuBottomLeft;
    QAction* mnuBottomRight;
    QMenu* mnuHelp;
    QAction* mnuVornHelp;
    QAction* mnuAboutVorn;

    QToolBar* tbrApp;
    QLabel* lblVApp;
    QLabel* lblApp;
    QLabel* lblRunApp;
    ListBox* lstVAppCmd;
    ListBox* lstRunApp;
    QLabel* lblVActivate;
    QLineEdit* txtVActivate;
    QPushButton* cmdSaveVocab;
    QPushButton* cmdToggle;
    QLabel* lblVocabulary;
    QLabel* lblPath;
    QPushButton* cmdCloseApp;
    QComboBox* cmbVocabulary;
    QLineEdit* txtPath;

    // The lists as the data classes see them.
    IListControl& VAppCmdList() { return *vAppCmdList_; }
    IListControl& RunAppList() { return *runAppList_; }
    IListControl& VocabularyBox() { return *vocabularyBox_; }

    CApp& App() { return *mApp; }

    // Sets a list box's horizontal scroll extent to its width times factor.
    void AddListBoxHSB(ListBox* lst, float factor);

    void lstRunApp_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x,
                             double y);
    void lstVAppCmd_DragDrop();
    void lstVAppCmd_Click();
    void cmdSaveVocab_Click();
    void cmdCloseApp_Click();

    // The commands (frmAppCommands.cpp).
    void mnuActivate_Click();
    void mnuRun_Click();
    void mnuSaveCmd_Click();
    void mnuDelete_Click();
    void mnuExit_Click();
    void mnuAppSwitch_Click();
    void mnuMeter_Click();
    void mnuBottomLeft_Click();
    void mnuBottomRight_Click();
    void mnuVornHelp_Click();
    void mnuAboutVorn_Click();
    // A toolbar button was clicked; key is the button's key.
    void tbrApp_ButtonDispatch(const std::string& key);
    void lstVAppCmd_MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, double x,
                            double y);
    void lstVAppCmd_DblClick();
    void cmdToggle_Click();
    // Starts the path of the entry selected last.
    void ShellSub();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    // Lets the menu shortcuts act while a text box has the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SaveCommand();

    // Builds the menu bar, the toolbar and the list's popup, and connects the commands.
    void CreateCommands(QVBoxLayout* layout);
    void Delete();
    // Switches to the vocabulary window and waits until it is hidden or unloaded.
    void AppVocabSwitch();
    // Puts the main window into a lower corner (code 24 or 25) and this window above it.
    void PlaceAboveMainWindow(int code);

    std::unique_ptr<QtListControl> vAppCmdList_;
    std::unique_ptr<QtListControl> runAppList_;
    std::unique_ptr<QtComboControl> vocabularyBox_;
    // Shared with a start under way, which outlives an unload while it waits for the desktop.
    std::shared_ptr<CApp> mApp;
    std::unique_ptr<CFile> mFile;
    std::unique_ptr<CHelp> mHelp;
    // Set by the first switch to the vocabulary window after this window was loaded.
    bool mSwitchedOnce = false;
};
