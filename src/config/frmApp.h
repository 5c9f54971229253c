#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <memory>

#include "forms/Form.h"
#include "forms/ListBox.h"
#include "forms/QtListControl.h"

class CApp;
class CFile;

// "Application Command Configuration": the voice command applications on the left, the
// running top-level windows on the right; a running window dragged onto the left list becomes
// a new application, whose phrase, vocabulary and path are edited below the lists.
class frmApp : public Form<frmApp> {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmApp";

    frmApp();
    ~frmApp() override;

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

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void SaveCommand();

    std::unique_ptr<QtListControl> vAppCmdList_;
    std::unique_ptr<QtListControl> runAppList_;
    std::unique_ptr<QtComboControl> vocabularyBox_;
    std::unique_ptr<CApp> mApp;
    std::unique_ptr<CFile> mFile;
};
