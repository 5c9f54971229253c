#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "config/LoadedEntry.h"
#include "forms/Form.h"
#include "forms/ListBox.h"
#include "forms/QtListControl.h"

class CApp;
class CHelp;
class CFile;
class CVocab;

// "Vocabulary/Dictionary Configuration": the vocabularies on the left, the entries of the
// current vocabulary on the right, and an edit box for one entry below them. Entries selected
// on the right are copied by dragging them onto a vocabulary on the left.
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

    // The window's vocabulary manager: its copy buffer and selection counter.
    CVocab& Vocab() { return *mVocab; }
    // A press in the entry list armed a drag copy that no drop or cancel has ended.
    bool DragArmed() const { return mDragArmed; }

    // Shown again after a switch, the window gives the focus back without loading the current
    // entry into the edit box over the text typed there.
    void setVisible(bool visible) override;

    void cmdToggle_Click();
    void lblVocabList_DblClick();
    void lblDictionary_DblClick();
    void lstVocab_Click();
    void lstVocab_MouseUp(Qt::MouseButton button);
    void txtCommand_GotFocus();
    void txtCommand_Change();
    void cmdSaveChanges_Click();
    void mnuSaveChanges_Click();
    void mnuDelete_Click();
    // Deletes the current entry, rewriting the vocabulary from the list.
    void DictionaryDelete();
    // Deletes the current vocabulary's file, after asking.
    void VocabularyDelete();
    void mnuVornHelp_Click();
    void tbrVocab_ButtonDispatch(const std::string& key);
    void cmdCloseVocab_Click();

    // Selection and drag copy. Y is in twips from the top of the list that raised the event.
    void lstVocab_MouseDown(Qt::MouseButton button);
    void lstDictionary_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, double y);
    void lstDictionary_Click();
    // keyCode: the virtual-key code; shift: 1 Shift, 2 Ctrl, 4 Alt.
    void Form_KeyUp(int keyCode, int shift);
    void lstVocab_DragOver(double y);
    void lstVocab_DragDrop();
    void tmrExtend_Timer();
    // Places lblVocab over the entry list, count lines high and centred on height y, and
    // drags it.
    void ListMove(int16_t count, double y);

protected:
    void Form_Load() override;
    void Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Stores the edit box's text and gives the vocabulary it went to; none when nothing was
    // stored, having said why.
    std::optional<std::string> SaveDictionaryChange();
    // The vocabulary a save stores into, or error 5 with the reason nothing can be stored.
    std::string SaveTarget(const std::string& text);
    // The vocabulary whose entries the word list shows; the current one before any listing.
    std::string ListedVocabulary();
    // Lists the entries of the vocabulary, replacing what the entry list showed.
    void ListEntriesOf(const std::string& vocabulary);
    // Fills the entry list again from the file of the vocabulary it shows, so that it shows
    // what the file holds (after a change refused because the list no longer did). Only a
    // change to a current vocabulary gets that far.
    void ListEntriesAsStored();
    void NewDictionaryWord();
    void NewVocabulary();
    // Gives txtCommand the focus; its got-focus handler runs when the box did not have it.
    void FocusEditBox();
    // Gives txtCommand the focus back after a refused save, keeping the text typed in it.
    void ReturnFocusToEditBox();
    // Starts a drag of the collected entries when Shift or Ctrl is down.
    void DragStartTest();
    // Makes the vocabulary current whose entries the word list shows; nothing is listed again.
    void MakeListedVocabularyCurrent();
    // Makes the vocabulary of that name current without listing its entries again.
    void MakeCurrentQuietly(const std::string& vocabulary);
    // The row of the vocabulary list that holds exactly that name; -1 for none.
    int RowNamed(const std::string& vocabulary);
    // True when the vocabulary stores an entry after the given record.
    bool HoldsEntryAfter(const std::string& vocabulary, int16_t record);

    std::unique_ptr<QtListControl> vocabList_;
    std::unique_ptr<QtListControl> dictionaryList_;
    std::unique_ptr<CVocab> mVocab;
    std::unique_ptr<CFile> mFile;
    std::unique_ptr<CApp> mApp;
    std::unique_ptr<CHelp> mHelp;

    bool mNewWordMode = false;
    bool mDragArmed = false;
    bool mTextEdited = false;
    bool mVocabSortAscending = false;
    bool mDictionarySortAscending = false;
    bool mShiftSelect = false;
    double mMouseDownY = 0;
    // The vocabulary whose entries the word list shows; none before the first listing.
    std::optional<std::string> mListedVocabulary;
    // The entry the edit box was loaded from; none while it holds no entry of the list.
    std::optional<LoadedEntry> mEditSource;
    // The edit box gets the focus back (after a refused save, or with the window shown again)
    // with the text it holds.
    bool mReturningFocus = false;
    // The drop row has jumped to row 12 once in this window.
    bool mExtended = false;
};
