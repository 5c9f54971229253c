#include "config/WindowLists.h"

#include "config/frmApp.h"
#include "config/frmVocab.h"

IListControl& WindowLists::Get(ListId id) {
    switch (id) {
        case ListId::frmApp_lstVAppCmd:
            return frmApp::Default().VAppCmdList();
        case ListId::frmApp_lstRunApp:
            return frmApp::Default().RunAppList();
        case ListId::frmApp_cmbVocabulary:
            return frmApp::Default().VocabularyBox();
        case ListId::frmVocab_lstVocab:
            return frmVocab::Default().VocabList();
        case ListId::frmVocab_lstDictionary:
            return frmVocab::Default().DictionaryList();
        case ListId::frmTemp_lstTemp:
            break;
    }
    return scratch_;
}
