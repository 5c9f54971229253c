#pragma once

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QRect>
#include <QTest>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "GuiFixture.h"
#include "config/frmVocab.h"
#include "forms/AnsiQt.h"
#include "forms/LabelDrag.h"
#include "platform/Keyboard.h"
#include "store/CVocab.h"

// A vocabulary window test: the window's lists, its vocabulary files, keys held on the
// simulated keyboard, and every drag the window begins recorded instead of waiting for a mouse.
class VocabWindowFixture : public GuiFixture {
protected:
    VocabWindowFixture() {
        previousDrag_ = LabelDrag::Install([this](QLabel& label) {
            drags.push_back(label.geometry());
            if (duringDrag) duringDrag();
        });
    }
    ~VocabWindowFixture() override { LabelDrag::Install(std::move(previousDrag_)); }

    frmVocab& Window() { return frmVocab::Default(); }
    IListControl& Vocabularies() { return Window().VocabList(); }
    IListControl& Entries() { return Window().DictionaryList(); }

    // Lists the vocabulary folder into the window, as the application window's switch does.
    void ListVocabularies() {
        Vocabularies().Clear();
        Window().Vocab().FillVocabFile(true);
    }
    std::vector<std::string> ReadVocabulary(const std::string& name) {
        return ReadRecords(folder.File("vocab/" + name + ".txt"), 128);
    }

    // Lists the vocabularies, shows the entries of the one named and the window, with the
    // focus in the entry list.
    void Open(const std::string& name) {
        ListVocabularies();
        Vocabularies().SetListIndex(Vocabularies().FindStringExact(name));
        ShowActive();
        Window().lstDictionary->setFocus();
    }
    // A click on a row of one of the window's lists, with the modifiers held.
    static void ClickRow(QListWidget* list, int row,
                         Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                         Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(list->viewport(), button, modifiers,
                          list->visualItemRect(list->item(row)).center());
    }
    // A click on the vocabulary of that name in the vocabulary list.
    void ClickVocabulary(const std::string& name) {
        ClickRow(Window().lstVocab, Vocabularies().FindStringExact(name));
    }
    void ClickSave() { QTest::mouseClick(Window().cmdSaveChanges, Qt::LeftButton); }
    // A vocabulary file's bytes, to compare before and after.
    std::string Bytes(const std::string& vocabulary) {
        return ReadBytes(folder.File("vocab/" + vocabulary + ".txt"));
    }
    std::string BoxText() { return FromQString(Window().txtCommand->text()); }
    // A click on entry i of the entry list.
    void ClickEntry(int i, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                    Qt::MouseButton button = Qt::LeftButton) {
        ClickRow(Window().lstDictionary, i, modifiers, button);
    }

    // Shows the window and waits until it has the focus, so that focus changes are seen.
    void ShowActive() {
        Window().show();
        Window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    }

    void Hold(std::initializer_list<uint8_t> keys) {
        for (uint8_t key : keys) desktop->keybd_event(key, 0, 0);
    }
    void Release(std::initializer_list<uint8_t> keys) {
        for (uint8_t key : keys) desktop->keybd_event(key, 0, kKeyEventKeyUp);
    }

    // The drags begun: where the dragged label stood (pixels, in the window's client area).
    std::vector<QRect> drags;
    // Runs while a drag is under way, as the drag events would.
    std::function<void()> duringDrag;

private:
    LabelDrag::Starter previousDrag_;
};
