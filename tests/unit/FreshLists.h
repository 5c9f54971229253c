#pragma once

#include <memory>
#include <string>
#include <vector>

#include "common/ListControl.h"

// Empty in-memory lists for the windows' lists during one test; the lists installed before
// come back afterwards.
class FreshLists {
public:
    FreshLists() {
        auto provider = std::make_unique<InMemoryListProvider>();
        provider_ = provider.get();
        previous_ = Lists::Install(std::move(provider));
    }
    ~FreshLists() { Lists::Install(std::move(previous_)); }
    FreshLists(const FreshLists&) = delete;
    FreshLists& operator=(const FreshLists&) = delete;

    InMemoryList& operator[](ListId id) { return provider_->list(id); }
    std::vector<std::string> Items(ListId id) { return provider_->list(id).Items(); }

private:
    InMemoryListProvider* provider_;
    std::unique_ptr<IListProvider> previous_;
};
