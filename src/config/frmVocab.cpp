#include "config/frmVocab.h"

#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>
#include <vector>

#include "common/AppErrors.h"
#include "common/ErrorRecord.h"
#include "common/ListControl.h"
#include "common/MessageBox.h"
#include "common/PlatformErrors.h"
#include "common/ResumeNext.h"
#include "config/ConfigGlobals.h"
#include "config/SaveFailure.h"
#include "config/StorableText.h"
#include "config/frmApp.h"
#include "desktop/CHelp.h"
#include "engine/CApp.h"
#include "engine/RunningApps.h"
#include "forms/AccessKeys.h"
#include "forms/AnsiQt.h"
#include "forms/LabelDrag.h"
#include "forms/MenuBarKeys.h"
#include "forms/RunHandler.h"
#include "forms/Twips.h"
#include "platform/Keyboard.h"
#include "platform/Platform.h"
#include "store/AppRecord.h"
#include "store/CFile.h"
#include "store/CVocab.h"
#include "store/FileSlots.h"
#include "store/ListOutOfDate.h"
#include "store/RecordPaths.h"
#include "store/VocabularyFolder.h"

namespace {

constexpr double kClientWidth = 9390;
constexpr double kClientHeight = 4845;

constexpr int kMaxVocabularies = 30;

// Virtual-key codes of the keys the window reacts to, and the shift-state bits.
constexpr int kVkEscape = 27;
constexpr int kVkUp = 38;
constexpr int kVkDown = 40;
constexpr int kVkD = 68;
constexpr int kVkE = 69;
constexpr int kVkV = 86;
constexpr int kShiftMaskShift = 1;
constexpr int kShiftMaskCtrl = 2;
constexpr int kShiftMaskAlt = 4;

// The drop rows of the vocabulary list by the pointer's height over it (twips): row 0 up to
// 180, then 180 twips a row, and a last band of 20 twips for row 11.
constexpr double kBandHeight = 180;
constexpr int kBandedRows = 11;
constexpr double kLastBandBottom = 2000;

int VirtualKeyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Escape:
            return kVkEscape;
        case Qt::Key_Up:
            return kVkUp;
        case Qt::Key_Down:
            return kVkDown;
        default:
            break;
    }
    // Letters and digits share their codes with the characters.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;
    }
    return 0;
}

int ShiftStateOf(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers & Qt::ShiftModifier) shift |= kShiftMaskShift;
    if (modifiers & Qt::ControlModifier) shift |= kShiftMaskCtrl;
    if (modifiers & Qt::AltModifier) shift |= kShiftMaskAlt;
    return shift;
}

bool KeyIsDown(int vk) {
    return (Platform::Keyboard().GetKeyState(vk) & 0x8000) != 0;
}

// A name that would make a file outside the vocabulary folder, a file the listing shows under
// another name (it lists a file by its name up to the first "."), or an application record
// that reads back wrong (its fields are separated by "*", "~" and "$").
bool IsUsableVocabularyName(const std::string& name) {
    return name.find_first_of(std::string("/.\0", 3)) == std::string::npos &&
           !AppRecord::HoldsSeparator(name);
}

// Says that a save failed, when the failure's own words do not say why.
void ShowNoVocabularySelected() {
    Dialogs::MsgBox("Please select a vocabulary!", MsgButtons::OK, MsgIcon::Critical,
                    "No Vocabulary Selected");
}

// Why a change to the vocabulary on screen stores nothing once it is no longer listed.
std::string NoLongerListed(const std::string& vocabulary, const std::string& nothingWas) {
    return "The vocabulary \"" + vocabulary + "\" is no longer listed, so nothing was " +
           nothingWas + ".";
}

// The row of the vocabulary list that a drag at height y selects; -1 for none.
int DropRowAt(double y) {
    if (y >= 0 && y <= kBandHeight) return 0;
    for (int row = 1; row < kBandedRows; ++row) {
        if (y >= row * kBandHeight + 1 && y <= (row + 1) * kBandHeight) return row;
    }
    if (y >= kBandedRows * kBandHeight + 1 && y <= kLastBandBottom) return kBandedRows;
    return -1;
}

}  // namespace

frmVocab::frmVocab() {
    setWindowTitle("Vocabulary/Dictionary Configuration");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    menuBar = new QMenuBar(this);
    layout->setMenuBar(menuBar);
    mnuFile = menuBar->addMenu("&File");
    mnuNewVocab = mnuFile->addAction("&New Vocabulary");
    mnuNewVocab->setShortcut(QKeySequence("Ctrl+N"));
    mnuDeleteVocab = mnuFile->addAction("&Delete Vocabulary");
    mnuDeleteVocab->setShortcut(QKeySequence("Ctrl+L"));
    mnuSaveChanges = mnuFile->addAction("&Save Changes");
    mnuExit = mnuFile->addAction("E&xit");
    mnuExit->setShortcut(QKeySequence("Ctrl+X"));
    mnuEdit = menuBar->addMenu("&Edit Dictionary");
    mnuPopNew = mnuEdit->addAction("&New Word");
    mnuPopNew->setShortcut(QKeySequence("Ctrl+W"));
    mnuDelete = mnuEdit->addAction("&Delete Word");
    mnuDelete->setShortcut(QKeySequence("Ctrl+D"));
    mnuHelp = menuBar->addMenu("&Help");
    mnuVornHelp = mnuHelp->addAction("Vorn! &Help Contents");
    UseMenuBarByItsKeys(menuBar);

    auto* client = new QWidget(this);
    client->setFixedSize(Twips::ToPixels(kClientWidth), Twips::ToPixels(kClientHeight));
    // A window larger than its layout keeps the controls at its top left.
    layout->addWidget(client, 0, Qt::AlignTop | Qt::AlignLeft);

    tbrVocab = new QToolBar(client);
    lblVocab = new QLabel("lblVocab", client);
    lblVocabList = new QLabel("&Vocabularies:", client);
    lstVocab = new ListBox(client);
    lblDictionary = new QLabel("&Dictionary:", client);
    lstDictionary = new ListBox(client);
    lblEditVocab = new QLabel("&Edit Command / New Word:", client);
    txtCommand = new QLineEdit(client);
    cmdSaveChanges = new QPushButton("&Save Changes", client);
    cmdToggle = new QPushButton("&Application / Vocabulary", client);
    cmdCloseVocab = new QPushButton("&Close", client);
    tmrExtend = new QTimer(this);
    tmrExtend->setInterval(1000);

    const std::pair<QObject*, const char*> names[] = {
        {tbrVocab, "tbrVocab"},
        {lblVocab, "lblVocab"},
        {lblVocabList, "lblVocabList"},
        {lstVocab, "lstVocab"},
        {lblDictionary, "lblDictionary"},
        {lstDictionary, "lstDictionary"},
        {lblEditVocab, "lblEditVocab"},
        {txtCommand, "txtCommand"},
        {cmdSaveChanges, "cmdSaveChanges"},
        {cmdToggle, "cmdToggle"},
        {cmdCloseVocab, "cmdCloseVocab"},
        {tmrExtend, "tmrExtend"},
    };
    for (const auto& [object, name] : names) object->setObjectName(name);

    Twips::Place(tbrVocab, 0, 0, kClientWidth, 630);
    Twips::Place(lblVocab, 3360, 600, 735, 255);
    Twips::Place(lblVocabList, 120, 720, 2655, 255);
    Twips::Place(lstVocab, 120, 960, 4455, 2400);
    Twips::Place(lblDictionary, 4800, 720, 2655, 255);
    Twips::Place(lstDictionary, 4800, 960, 4455, 2400);
    Twips::Place(lblEditVocab, 120, 3480, 2655, 255);
    Twips::Place(txtCommand, 120, 3720, 4455, 285);
    Twips::Place(cmdSaveChanges, 4800, 3480, 2175, 495);
    Twips::Place(cmdToggle, 7200, 3480, 2055, 495);
    Twips::Place(cmdCloseVocab, 7200, 4080, 2055, 615);

    lblVocab->setVisible(false);
    lstVocab->setSelectionMode(QAbstractItemView::SingleSelection);
    lstDictionary->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstVocab->AcceptDrops(true);
    for (QPushButton* b : {cmdSaveChanges, cmdToggle, cmdCloseVocab}) b->setAutoDefault(false);

    // The toolbar's buttons, keyed as their commands are dispatched.
    struct ToolButton {
        const char* key;
        const char* tip;
        QStyle::StandardPixmap image;
    };
    const ToolButton buttons[] = {
        {"NewVocab", "New Vocabulary", QStyle::SP_FileDialogNewFolder},
        {"DelVocab", "Delete Dictionary", QStyle::SP_TrashIcon},
        {"SvCh", "Save Word", QStyle::SP_DialogSaveButton},
        {"Switch", "Application/Vocabulary", QStyle::SP_BrowserReload},
        {"NewDict", "New Word", QStyle::SP_FileIcon},
        {"DelDict", "Delete Word", QStyle::SP_DialogDiscardButton},
    };
    tbrVocab->setIconSize(QSize(32, 32));
    for (const ToolButton& button : buttons) {
        QAction* action = tbrVocab->addAction(style()->standardIcon(button.image), button.tip);
        action->setObjectName(button.key);
        action->setToolTip(button.tip);
    }

    // Tab order: cmdToggle, lstDictionary, lstVocab, txtCommand, cmdSaveChanges, cmdCloseVocab.
    // The labels' access keys move the focus to the control each one names.
    QWidget* tabOrder[] = {cmdToggle,  lstDictionary,  lstVocab,
                           txtCommand, cmdSaveChanges, cmdCloseVocab};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
    lblVocabList->setBuddy(lstVocab);
    lblDictionary->setBuddy(lstDictionary);
    lblEditVocab->setBuddy(txtCommand);
    // "&Edit Dictionary" claims Alt+E too; the edit box keeps it.
    GiveAccessKeyPrecedenceOverMenuBar(lblEditVocab, menuBar);

    vocabList_ = std::make_unique<QtListControl>(
        lstVocab, [this] { RunHandler([this] { lstVocab_Click(); }); });
    // The entry list's click follows its mouse-down handler, which the press raises first.
    dictionaryList_ = std::make_unique<QtListControl>(
        lstDictionary, [this] { lstDictionary_Click(); }, QtListControl::ClickSource::CodeOnly);

    connect(cmdToggle, &QPushButton::clicked, this,
            [this] { RunHandler([this] { cmdToggle_Click(); }); });
    connect(cmdSaveChanges, &QPushButton::clicked, this,
            [this] { RunHandler([this] { cmdSaveChanges_Click(); }); });
    connect(cmdCloseVocab, &QPushButton::clicked, this, [this] { cmdCloseVocab_Click(); });
    connect(mnuNewVocab, &QAction::triggered, this,
            [this] { RunHandler([this] { NewVocabulary(); }); });
    connect(mnuDeleteVocab, &QAction::triggered, this,
            [this] { RunHandler([this] { VocabularyDelete(); }); });
    connect(mnuSaveChanges, &QAction::triggered, this,
            [this] { RunHandler([this] { mnuSaveChanges_Click(); }); });
    connect(mnuExit, &QAction::triggered, this, [this] { cmdCloseVocab_Click(); });
    connect(mnuPopNew, &QAction::triggered, this,
            [this] { RunHandler([this] { NewDictionaryWord(); }); });
    connect(mnuDelete, &QAction::triggered, this,
            [this] { RunHandler([this] { mnuDelete_Click(); }); });
    connect(mnuVornHelp, &QAction::triggered, this,
            [this] { RunHandler([this] { mnuVornHelp_Click(); }); });
    connect(tbrVocab, &QToolBar::actionTriggered, this, [this](QAction* action) {
        RunHandler([&] { tbrVocab_ButtonDispatch(action->objectName().toStdString()); });
    });
    connect(txtCommand, &QLineEdit::textChanged, this, [this] { txtCommand_Change(); });
    connect(tmrExtend, &QTimer::timeout, this,
            [this] { RunHandler([this] { tmrExtend_Timer(); }); });

    connect(lstVocab, &ListBox::MouseDown, this,
            [this](Qt::MouseButton button) { RunHandler([&] { lstVocab_MouseDown(button); }); });
    connect(lstVocab, &ListBox::MouseUp, this,
            [this](Qt::MouseButton button) { RunHandler([&] { lstVocab_MouseUp(button); }); });
    connect(lstDictionary, &ListBox::MouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint point) {
                RunHandler([&] {
                    lstDictionary_MouseDown(button, shift, Twips::FromPixels(point.y()));
                    // A left press on an entry clicks the list, after its mouse-down handler.
                    if (button == Qt::LeftButton && lstDictionary->itemAt(point) != nullptr) {
                        lstDictionary_Click();
                    }
                });
            });
    connect(lstVocab, &ListBox::DragOver, this, [this](QPoint point) {
        const int y = lstVocab->viewport()->mapToParent(point).y();
        RunHandler([&] { lstVocab_DragOver(Twips::FromPixels(y)); });
    });
    connect(lstVocab, &ListBox::DragDrop, this,
            [this] { RunHandler([this] { lstVocab_DragDrop(); }); });

    // The double-clicks of the labels, the edit box getting the focus, and the window's
    // preview of every key released in it.
    qApp->installEventFilter(this);
}

frmVocab::~frmVocab() = default;

void frmVocab::Form_Load() {
    // Opens where the application window stood after its restored placement.
    move(x(), Twips::ToPixels(gAppTop));
    move(Twips::ToPixels(gAppLeft), y());
    mVocab = std::make_unique<CVocab>();
    mFile = std::make_unique<CFile>();
    mApp = std::make_unique<CApp>();
    mHelp = std::make_unique<CHelp>();
}

bool frmVocab::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // The edit box would take Ctrl+X (cut) and Ctrl+D for itself: the menu items'
            // shortcuts act there too.
            if (watched == txtCommand) {
                const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
                for (const QAction* item :
                     {mnuNewVocab, mnuDeleteVocab, mnuExit, mnuPopNew, mnuDelete}) {
                    if (item->shortcut() == pressed) {
                        event->ignore();
                        return true;
                    }
                }
            }
            break;
        case QEvent::MouseButtonDblClick:
            if (watched == lblVocabList) RunHandler([this] { lblVocabList_DblClick(); });
            if (watched == lblDictionary) RunHandler([this] { lblDictionary_DblClick(); });
            break;
        case QEvent::FocusIn: {
            // The focus coming back with the window's activation (after a message box, from
            // another program), from a popup menu or from the menu bar is no focus change
            // inside the window.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (watched == txtCommand && !mReturningFocus &&
                reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
                reason != Qt::MenuBarFocusReason) {
                RunHandler([this] { txtCommand_GotFocus(); });
            }
            break;
        }
        case QEvent::KeyRelease: {
            // A key travels from the focused control up through its parents; the window
            // previews it once, at the first of them.
            auto* widget = qobject_cast<QWidget*>(watched);
            const auto* key = static_cast<QKeyEvent*>(event);
            QWidget* first = QApplication::focusWidget();
            if (widget == nullptr || widget->window() != this || key->isAutoRepeat() ||
                widget != (first != nullptr ? first : this)) {
                break;
            }
            RunHandler(
                [&] { Form_KeyUp(VirtualKeyOf(key->key()), ShiftStateOf(key->modifiers())); });
            break;
        }
        default:
            break;
    }
    return false;
}

void frmVocab::cmdToggle_Click() {
    // Alt with D, E or V (the labels' access keys) moves the focus instead of switching.
    if (Platform::Keyboard().GetKeyState(kVkMenu) != 0) {
        if (KeyIsDown(kVkD)) {
            lstDictionary->setFocus();
            return;
        }
        if (KeyIsDown(kVkE)) {
            txtCommand->setFocus();
            return;
        }
        if (KeyIsDown(kVkV)) {
            lstVocab->setFocus();
            return;
        }
    }
    Default().hide();
    RunningApps::FillRunAppListBox(Lists::Get(ListId::frmApp_lstRunApp));
    Lists::Get(ListId::frmApp_lstVAppCmd).Clear();
    Lists::Get(ListId::frmApp_cmbVocabulary).Clear();
    VocabList().Clear();
    mVocab->FillVocabFile(false);
    {
        CApp app;
        app.FillVACListBox();
    }
    frmApp::Default().ShowModal();
}

void frmVocab::lblVocabList_DblClick() {
    mVocabSortAscending = !mVocabSortAscending;
    const bool hadCurrent = VocabList().ListIndex() != -1;
    const std::string current = VocabList().Text();
    mVocab->Bubble_Sort(VocabList(), mVocabSortAscending);
    // The sort moves the names, not the current row: the vocabulary that was current stays so,
    // with its entries still listed.
    if (hadCurrent) MakeCurrentQuietly(current);
}

void frmVocab::lblDictionary_DblClick() {
    mDictionarySortAscending = !mDictionarySortAscending;
    mVocab->Bubble_Sort(DictionaryList(), mDictionarySortAscending);
}

void frmVocab::lstVocab_Click() {
    if (mDragArmed) return;
    if (VocabList().ListIndex() == -1) {
        // Making item 0 current raises this handler again, which lists it.
        if (VocabList().ListCount() > 0) VocabList().SetListIndex(0);
        return;
    }
    if (!VocabList().Selected(VocabList().ListIndex())) return;
    txtCommand->setText("");
    mEditSource.reset();
    ListEntriesOf(VocabList().Text());
}

void frmVocab::ListEntriesOf(const std::string& vocabulary) {
    DictionaryList().Clear();
    mListedVocabulary = vocabulary;
    mVocab->FillDictionaryListBox(true, vocabulary);
}

void frmVocab::lstVocab_MouseUp(Qt::MouseButton button) {
    if (button == Qt::RightButton) mnuEdit->exec(QCursor::pos());
}

void frmVocab::txtCommand_GotFocus() {
    txtCommand->setText(ToQString(DictionaryList().Text()));
    // A save overwrites the record that holds this entry then, found at the save.
    const int current = DictionaryList().ListIndex();
    if (current == -1) {
        mEditSource.reset();
    } else {
        mEditSource = LoadedEntry::AtRow(ListedVocabulary(), DictionaryList(), current);
    }
    txtCommand->selectAll();
}

void frmVocab::FocusEditBox() {
    // While the window is not active (a box that just closed may not have given the
    // activation back yet) the focus event comes only later, with the activation.
    const bool had = txtCommand->hasFocus();
    txtCommand->setFocus();
    if (!had && !txtCommand->hasFocus()) RunHandler([this] { txtCommand_GotFocus(); });
}

void frmVocab::setVisible(bool visible) {
    // A dialog being shown sends its focus widget a focus event of its own.
    mReturningFocus = visible;
    Form::setVisible(visible);
    mReturningFocus = false;
}

void frmVocab::ReturnFocusToEditBox() {
    mReturningFocus = true;
    txtCommand->setFocus();
    mReturningFocus = false;
}

void frmVocab::txtCommand_Change() {
    mTextEdited = true;
}

std::optional<std::string> frmVocab::SaveDictionaryChange() {
    mVocab->DictionaryInitialize();
    if (VocabList().ListIndex() == -1) {
        Dialogs::MsgBox("You must select a Vocabulary!");
        ReturnFocusToEditBox();
        txtCommand->selectAll();
        return std::nullopt;
    }
    try {
        const std::string text = StorableText(txtCommand->text(), "entry");
        const std::string vocabulary = SaveTarget(text);
        if (mNewWordMode) {
            // From the first record to the first empty one: after the last entry.
            mVocab->InitRecord();
            mVocab->DictionaryRecordCount(vocabulary);
        } else {
            // The record that holds the entry now: one that no longer does is refused.
            mEditSource->Select(*mVocab);
        }
        mVocab->AddDictionaryWord(true, vocabulary, text, "SaveChanges");
        // The record now holds the text: a save that follows stores it there again. Stored it
        // is, even when the file cannot be read back to tell which of equal entries it is.
        mNewWordMode = false;
        mEditSource.reset();
        ResumeNext([&] { mEditSource = LoadedEntry::Stored(*mVocab, vocabulary, text); });
        return vocabulary;
    } catch (const ListOutOfDate& stale) {
        ShowSaveFailureCause(stale, "Save Word");
        ListEntriesAsStored();
    } catch (const ErrorRecord& error) {
        if (!ShowSaveFailureCause(error, "Save Word")) ShowNoVocabularySelected();
    } catch (...) {
        ShowNoVocabularySelected();
    }
    return std::nullopt;
}

std::string frmVocab::SaveTarget(const std::string& text) {
    const auto refuse = [](const std::string& why) {
        PlatformError::Raise(PlatformError::kInvalidProcedureCall, why);
    };
    if (text.empty()) {
        refuse("The edit box is empty, so nothing was saved. To remove an entry, use Delete Word.");
    }
    if (!mNewWordMode && !mEditSource) {
        refuse(
            "No entry of the list was chosen to change, so nothing was saved. Click the entry "
            "to change, or choose New Word to add one.");
    }
    // A new word goes to the vocabulary on screen; an edit to the one its entry came from.
    const std::string vocabulary = mNewWordMode ? ListedVocabulary() : mEditSource->Vocabulary();
    if (VocabList().FindStringExact(vocabulary) == -1) {
        refuse(NoLongerListed(vocabulary, "saved"));
    }
    return vocabulary;
}

std::string frmVocab::ListedVocabulary() {
    return mListedVocabulary.value_or(VocabList().Text());
}

void frmVocab::ListEntriesAsStored() {
    ListEntriesOf(ListedVocabulary());
}

void frmVocab::cmdSaveChanges_Click() {
    // A save refused or failed keeps the text, for the user to mend and save again.
    const std::optional<std::string> stored = SaveDictionaryChange();
    if (!stored) {
        ReturnFocusToEditBox();
        return;
    }
    txtCommand->setText("");
    mEditSource.reset();
    // The list shows the vocabulary the text went to, current again if another was made so
    // while a drag was pending.
    MakeCurrentQuietly(*stored);
    ListEntriesOf(VocabList().Text());
    lstDictionary->setFocus();
}

void frmVocab::mnuSaveChanges_Click() {
    SaveDictionaryChange();
}

void frmVocab::NewDictionaryWord() {
    try {
        if (VocabList().ListIndex() == -1) {
            Dialogs::MsgBox("You must select or create a vocabulary first!", MsgButtons::OK,
                            MsgIcon::Critical, "No Vocabulary Selection");
            NewVocabulary();
        }
        // The focus comes to the edit box from elsewhere, so its handler shows the current
        // entry; the save then stores the new word after the last entry.
        lstVocab->setFocus();
        mNewWordMode = true;
        FocusEditBox();
    } catch (...) {
        txtCommand->setFocus();
    }
}

void frmVocab::mnuDelete_Click() {
    const int remembered = DictionaryList().ListIndex();
    DictionaryDelete();
    const int count = DictionaryList().ListCount();
    if (remembered >= 0 && remembered < count) {
        DictionaryList().SetListIndex(remembered);
    } else if (count > 0) {
        DictionaryList().SetListIndex(count - 1);
    }
}

void frmVocab::DictionaryDelete() {
    // Another vocabulary may have become current while the list was not refilled (a pending
    // drag): the deletion rewrites the one on screen.
    if (VocabList().ListIndex() != -1) MakeListedVocabularyCurrent();
    mDragArmed = false;
    mVocab->DictionaryInitialize();
    const int current = DictionaryList().ListIndex();
    if (current == -1) return;  // no current entry: nothing is deleted
    // The entry goes from the vocabulary whose entries are listed, current or not, as a new
    // word goes to it; a vocabulary deleted meanwhile keeps its entries on screen only.
    const std::string vocabulary = ListedVocabulary();
    if (VocabList().FindStringExact(vocabulary) == -1) {
        Dialogs::MsgBox(NoLongerListed(vocabulary, "deleted"), MsgButtons::OK, MsgIcon::Information,
                        "Delete Word");
        return;
    }
    // The entry loaded into the edit box, as it stands once the deletion is stored.
    std::optional<LoadedEntry> editSource = mEditSource;
    if (editSource) editSource->RowDeleted(vocabulary, DictionaryList(), current);
    const std::string removed = DictionaryList().List(current);
    DictionaryList().RemoveItem(current);
    try {
        const int count = DictionaryList().ListCount();
        for (int i = 0; i < count; ++i) mApp->VAppTempStore(DictionaryList().List(i));
        std::vector<std::string> entries;
        for (int i = 1; i <= count; ++i) {
            entries.push_back(mApp->VAppTempRetrieve(static_cast<int16_t>(i)));
        }
        mApp->VAppTempClear();
        // The records the list held lose the entry; the new file replaces the old one only
        // once complete, and keeps the records after them that the list could not hold.
        std::vector<std::string> listed = entries;
        listed.push_back(removed);
        mVocab->ReplaceDictionary(vocabulary, listed, entries);
        mEditSource = editSource;
    } catch (const ListOutOfDate& stale) {
        mApp->VAppTempClear();
        ShowSaveFailureCause(stale, "Delete Word");
        ListEntriesAsStored();
    } catch (const ErrorRecord& error) {
        mApp->VAppTempClear();
        // The file still holds the entry: so does the list again.
        ResumeNext([&] { DictionaryList().AddItem(removed, current); });
        // Says why when the failure's own words do; any other failure ends the deletion
        // silently, as one without a current entry does.
        ShowSaveFailureCause(error, "Delete Word");
    }
}

void frmVocab::NewVocabulary() {
    const TwipsPoint where{Twips::FromPixels(Default().x()) + 600,
                           Twips::FromPixels(Default().y()) - 1700};
    const std::string name =
        Dialogs::InputBox("Enter Name of New Vocabulary: ", "New Vocabulary", "", where);
    if (name.empty()) return;
    // A file in the folder that the list does not show yet (copied there while the window was
    // open) is a vocabulary too: creating it would empty it.
    if (RunningApps::ListItemExists(VocabList(), name) || VocabularyFolder::Holds(name)) {
        Dialogs::MsgBox("You Already Have A Vocabulary With That Name!");
        return;
    }
    if (VocabList().ListCount() + 1 > kMaxVocabularies) {
        Dialogs::MsgBox("You Have Too Many Vocabularies Already!  The Maximum is 30.",
                        MsgButtons::OK, MsgIcon::Information, "Vocabulary Overload");
        return;
    }
    if (!IsUsableVocabularyName(name)) {
        Dialogs::MsgBox("A vocabulary name cannot hold \"/\", \".\", \"*\", \"~\" or \"$\".",
                        MsgButtons::OK, MsgIcon::Information, "New Vocabulary");
        return;
    }
    try {
        // A line break or another control character would split the grammar's lines.
        StorableText(ToQString(name), "vocabulary name");
    } catch (const ErrorRecord& error) {
        ShowSaveFailureCause(error, "New Vocabulary");
        return;
    }
    if (!RecordPaths::VocabFileNameFits(name)) {
        Dialogs::MsgBox(
            "This vocabulary name is too long to name its file. Please choose a "
            "shorter one.",
            MsgButtons::OK, MsgIcon::Information, "New Vocabulary");
        return;
    }
    try {
        mVocab->CreateNewVocab(name);
    } catch (const ErrorRecord& error) {
        Dialogs::MsgBox(error.Description(), MsgButtons::OK, MsgIcon::Critical, "New Vocabulary");
        return;
    }
    VocabList().Clear();
    mVocab->FillVocabFile(true);
}

void frmVocab::VocabularyDelete() {
    // The vocabulary current when the command is given is the one deleted, whatever becomes
    // current while the question is open.
    const std::optional<std::string> chosen =
        VocabList().ListIndex() == -1 ? std::nullopt : std::optional(VocabList().Text());
    if (Dialogs::MsgBox("Warning!  You Are About to Remove A File From Your Hard Drive!",
                        MsgButtons::OKCancel, MsgIcon::Critical,
                        "Vocabulary File Deletion") != MsgAnswer::OK) {
        return;
    }
    if (!chosen) {
        Dialogs::MsgBox("You Must Select A Vocabulary First!", MsgButtons::OK, MsgIcon::Information,
                        "Vocabulary Deletion");
        return;
    }
    try {
        mVocab->DeleteVocabFile(*chosen);
    } catch (const ErrorRecord& error) {
        // The file is still there, and so the vocabulary stays listed.
        if (!ShowSaveFailureCause(error, "Vocabulary File Deletion")) throw;
        return;
    }
    const int row = RowNamed(*chosen);
    if (row != -1) VocabList().RemoveItem(row);
}

void frmVocab::mnuVornHelp_Click() {
    std::string file = HelpFilePath();
    mHelp->Show(file, "");
}

void frmVocab::tbrVocab_ButtonDispatch(const std::string& key) {
    if (key == "NewVocab") {
        NewVocabulary();
    } else if (key == "DelVocab") {
        VocabularyDelete();
    } else if (key == "SvCh") {
        cmdSaveChanges_Click();
    } else if (key == "Switch") {
        cmdToggle_Click();
    } else if (key == "NewDict") {
        NewDictionaryWord();
    } else if (key == "DelDict") {
        DictionaryDelete();
    }
}

void frmVocab::cmdCloseVocab_Click() {
    Unload();
}

void frmVocab::Form_Unload() {
    ResumeNext([this] { mFile->TempLoad(); });
    ResumeNext([] { Lists::Get(ListId::frmApp_lstVAppCmd).Clear(); });
    tmrExtend->stop();
    qApp->removeEventFilter(this);
    mFile.reset();
    mVocab.reset();
    mApp.reset();
    mHelp.reset();
}

void frmVocab::lstVocab_MouseDown(Qt::MouseButton button) {
    if (button == Qt::RightButton) mnuFile->exec(QCursor::pos());
}

void frmVocab::lstDictionary_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                       double y) {
    try {
        if (button == Qt::RightButton) {
            if (DictionaryList().ListIndex() == -1) return;
            mnuEdit->exec(QCursor::pos());
        } else if (button == Qt::LeftButton) {
            if (shift & Qt::ShiftModifier) {
                mShiftSelect = true;
                mTextEdited = false;
            } else if (shift & Qt::ControlModifier) {
                mShiftSelect = false;
                mTextEdited = false;
            } else {
                // A plain press starts a new selection.
                mShiftSelect = false;
                mVocab->SelectInitialize();
                mVocab->DictionaryInitialize();
            }
        }
        mMouseDownY = y;
        mDragArmed = true;
    } catch (...) {
        Dialogs::MsgBox("Please Select A Dictionary Word!", MsgButtons::OK, MsgIcon::Information,
                        "Dictionary Error");
    }
}

void frmVocab::lstDictionary_Click() {
    if (!mDragArmed) return;
    // Any failure ends the click where it stands.
    try {
        const int current = DictionaryList().ListIndex();
        if (DictionaryList().Selected(current)) {
            const std::string entry = DictionaryList().List(current);
            txtCommand->setText(ToQString(entry));
            mEditSource = LoadedEntry::AtRow(ListedVocabulary(), DictionaryList(), current);
            mVocab->CopyDictionary(FromQString(txtCommand->text()));
        }
        if (!mShiftSelect) {
            // A plain or Ctrl click drags the one entry at once.
            mVocab->SelectionIncrement();
            ListMove(1, mMouseDownY);
            return;
        }
        // A range: the buffer is rebuilt from every selected entry; the drag starts at the
        // next key release.
        mVocab->SelectInitialize();
        mVocab->DictionaryInitialize();
        for (int i = 0; i < DictionaryList().ListCount(); ++i) {
            if (!DictionaryList().Selected(i)) continue;
            mVocab->CopyDictionary(DictionaryList().List(i));
            mVocab->SelectionIncrement();
        }
    } catch (...) {
    }
}

void frmVocab::ListMove(int16_t count, double y) {
    const double h = count * Twips::FromPixels(QFontMetrics(font()).height());
    Twips::Place(lblVocab, Twips::FromPixels(lstDictionary->x()),
                 Twips::FromPixels(lstDictionary->y()) + y - h / 2,
                 Twips::FromPixels(lstDictionary->width()), h);
    LabelDrag::Begin(*lblVocab);
    // The drop row walks down the list only while the drag lasts. Released anywhere, dropped
    // or cancelled, the walk stops, and the vocabulary on screen is current again, as after a
    // drop: no later command finds current a vocabulary the drag only passed over.
    tmrExtend->stop();
    if (VocabList().ListIndex() != -1) MakeListedVocabularyCurrent();
}

void frmVocab::Form_KeyUp(int keyCode, int shift) {
    const bool cancel = keyCode == kVkEscape || keyCode == kVkUp || keyCode == kVkDown ||
                        ((keyCode == kVkD || keyCode == kVkV) && (shift & kShiftMaskAlt) != 0);
    if (cancel) {
        mDragArmed = false;
        tmrExtend->stop();
    }
    if (!cancel || keyCode == kVkEscape) DragStartTest();
}

void frmVocab::DragStartTest() {
    const int16_t n = mVocab->SelectionNumber();
    if (n < 1 || mTextEdited) return;
    // The whole key state counts: a set toggle bit as much as a key held down.
    if (Platform::Keyboard().GetKeyState(kVkShift) != 0 ||
        Platform::Keyboard().GetKeyState(kVkControl) != 0) {
        ListMove(n, mMouseDownY);
    }
}

void frmVocab::lstVocab_DragOver(double y) {
    if (y > kLastBandBottom) {
        tmrExtend->start();
        return;
    }
    const int row = DropRowAt(y);
    // A row beyond the last vocabulary is no row: nothing changes.
    if (row >= 0) ResumeNext([&] { VocabList().SetListIndex(row); });
}

void frmVocab::tmrExtend_Timer() {
    try {
        const int current = VocabList().ListIndex();
        if (current < VocabList().ListCount() - 1) {
            if (!mExtended) {
                VocabList().SetListIndex(12);
                mExtended = true;
            } else {
                VocabList().SetListIndex(current + 1);
            }
        }
    } catch (...) {
        ResumeNext([this] { VocabList().SetListIndex(0); });
    }
}

void frmVocab::lstVocab_DragDrop() {
    tmrExtend->stop();
    try {
        // Without a vocabulary under the pointer there is nothing to drop on.
        if (VocabList().ListIndex() == -1) return;
        const std::string target = VocabList().Text();
        mVocab->InitRecord();
        int16_t count = mVocab->DictionaryRecordCount(target);
        // Entries stored after an empty record are counted too, so that the new ones go
        // after them instead of over them.
        while (HoldsEntryAfter(target, count)) {
            mVocab->PlusRecord();
            count = mVocab->DictionaryRecordCount(target);
        }
        const int16_t n = mVocab->SelectionNumber();
        if (n != 1) {
            mFile->FileOpen(true, target);
            const std::string first = mFile->FileRead(1);
            mFile->FileClose();
            if (first.empty()) ++count;
        }
        for (int16_t i = 1; i <= n; ++i) {
            const std::string entry = mVocab->RetrieveDictionary(i);
            bool held = false;
            for (int j = 1; j <= count - 1 && !held; ++j) {
                held = mVocab->ReadDictionary(static_cast<int16_t>(j), target) == entry;
            }
            if (held) {
                mVocab->MinusRecord();  // gives back the advance of the retrieval
            } else {
                mVocab->AddDictionaryWord(true, target, entry, "MenuCopy");
            }
        }
        mVocab->SelectInitialize();
        // The word list still shows the source: the source becomes current again, so that a
        // new word or a deletion that follows goes to the vocabulary on screen, not to the
        // target.
        MakeListedVocabularyCurrent();
        mDragArmed = false;
        mVocab->DictionaryInitialize();
    } catch (const ErrorRecord& error) {
        if (error.Number() == AppError::kBadDictionaryIndex) {
            Dialogs::MsgBox("You Must Select A Dictionary Word!");
        }
    } catch (...) {
    }
}

void frmVocab::MakeListedVocabularyCurrent() {
    if (mListedVocabulary) MakeCurrentQuietly(*mListedVocabulary);
}

void frmVocab::MakeCurrentQuietly(const std::string& vocabulary) {
    const int row = RowNamed(vocabulary);
    if (row == -1) return;
    const QSignalBlocker quiet(lstVocab);
    lstVocab->setCurrentRow(row);
}

int frmVocab::RowNamed(const std::string& vocabulary) {
    // Compared exactly, not as FindStringExact does: file names may differ only in case.
    for (int row = 0; row < VocabList().ListCount(); ++row) {
        if (VocabList().List(row) == vocabulary) return row;
    }
    return -1;
}

bool frmVocab::HoldsEntryAfter(const std::string& vocabulary, int16_t record) {
    mFile->FileOpen(true, vocabulary);
    bool found = false;
    try {
        for (int r = record + 1; !found && r <= INT16_MAX; ++r) {
            const std::string text = mFile->FileRead(static_cast<int16_t>(r));
            if (DataFileAtEnd()) break;
            found = !text.empty();
        }
    } catch (...) {
        mFile->FileClose();
        throw;
    }
    mFile->FileClose();
    return found;
}
