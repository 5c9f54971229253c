#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <memory>

#include "forms/Form.h"
#include "forms/ListBox.h"
#include "forms/QtListControl.h"

class CApp;
class CFile;
class CVocab;

// "Vocabulary/Dictionary Configuration": the vocabularies on the left, the entries of the
// current vocabulary on the right, and an edit box for one entry below them.
class frmVocab : public Form<frmVocab> {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmVocab";

    frmVocab();
    ~frmVocab() override;

    QMenuBar* menuBar;
    QMenu* mnuFile;
    QAction* mnuNewVocab;
    QAction* mnuDeleteVocab;
    QAction* mnuSaveChanges;
    QAction* mnuExit;
    QMenu* mnuEdit;
    QAction* mnuPopNew;
    QAction* mnuDelete;
    QMenu* mnuHelp;
    QAction* mnuVornHelp;

    QToolBar* tbrVocab;
    QLabel* lblVocab;
    QLabel* lblVocabList;
    ListBox* lstVocab;
    QLabel* lblDictionary;
    ListBox* lstDictionary;
    QLabel* lblEditVocab;
    QLineEdit* txtCommand;
    QPushButton* cmdSaveChanges;
    QPushButton* cmdToggle;
    QPushButton* cmdCloseVocab;
    QTimer* tmrExtend;

    IListControl& VocabList() { return *vocabList_; }
    IListControl& DictionaryList() { return *dictionaryList_; }

    void cmdCloseVocab_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    std::unique_ptr<QtListControl> vocabList_;
    std::unique_ptr<QtListControl> dictionaryList_;
    std::unique_ptr<CVocab> mVocab;
    std::unique_ptr<CFile> mFile;
    std::unique_ptr<CApp> mApp;
};
