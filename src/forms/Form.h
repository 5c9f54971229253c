#pragma once

#include <QCloseEvent>
#include <QDialog>
#include <QKeyEvent>

#include "forms/FormRegistry.h"
#include "forms/ModalLoops.h"
#include "forms/WindowFont.h"

// A window of the system with one shared default instance, reached by the window's name
// (Derived::kName, also its object name).
// Touching the default instance loads the window hidden (constructor, then Form_Load); Unload
// runs Form_Unload, hides the window and drops the instance, so the next touch loads a fresh
// one. ShowModal runs a nested event loop of its own that ends when the window is hidden or
// unloaded; the window may be shown modally again from inside that loop (ModalLoops).
template <class Derived, class Base = QDialog>
class Form : public Base {
public:
    static Derived& Default() {
        if (instance_ == nullptr) {
            auto* form = new Derived();
            form->setObjectName(Derived::kName);
            instance_ = form;
            FormRegistry::Add(Derived::kName, form, [] { Unload(); });
            static_cast<Form*>(form)->Form_Load();
        }
        return *instance_;
    }

    static bool IsLoaded() { return instance_ != nullptr; }

    // Unloading a window that is not loaded does nothing.
    static void Unload() {
        Derived* form = instance_;
        if (form == nullptr || form->unloading_) return;
        form->unloading_ = true;
        static_cast<Form*>(form)->Form_Unload();
        form->hide();
        if (instance_ == form) instance_ = nullptr;
        FormRegistry::Remove(Derived::kName, form);
        ModalLoops::DeleteWhenIdle(form);
    }

    // Shows the window modally and returns when it is hidden or unloaded.
    void ShowModal() { ModalLoops::Run(this); }

    // Hiding the window ends every modal showing of it.
    void setVisible(bool visible) override {
        Base::setVisible(visible);
        if (!visible) ModalLoops::End(this);
    }

protected:
    Form() { this->setFont(WindowFont()); }
    virtual void Form_Load() {}
    virtual void Form_Unload() {}

    // The close box unloads the window.
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        Unload();
    }

    // Escape does not close a window of the system.
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Escape) return;
        Base::keyPressEvent(event);
    }

private:
    bool unloading_ = false;
    static inline Derived* instance_ = nullptr;
};
