#pragma once

#include "common/ListControl.h"

// The lists of the configuration windows as the data classes reach them: touching a list of
// a window that is not loaded loads that window hidden. The grammar builder's scratch list
// stays in memory.
class WindowLists : public IListProvider {
public:
    IListControl& Get(ListId id) override;

private:
    InMemoryList scratch_;
};
