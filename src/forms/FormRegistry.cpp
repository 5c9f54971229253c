#include "forms/FormRegistry.h"

#include <map>

namespace FormRegistry {
namespace {

struct Entry {
    QWidget* form = nullptr;
    std::function<void()> unload;
};

std::map<std::string, Entry>& Entries() {
    static std::map<std::string, Entry> entries;
    return entries;
}

}  // namespace

void Add(const std::string& name, QWidget* form, std::function<void()> unload) {
    Entries()[name] = Entry{form, std::move(unload)};
}

void Remove(const std::string& name, QWidget* form) {
    const auto found = Entries().find(name);
    if (found != Entries().end() && found->second.form == form) Entries().erase(found);
}

QWidget* Find(const std::string& name) {
    const auto found = Entries().find(name);
    return found == Entries().end() ? nullptr : found->second.form;
}

void Unload(const std::string& name) {
    const auto found = Entries().find(name);
    if (found == Entries().end()) return;
    const auto unload = found->second.unload;
    unload();
}

}  // namespace FormRegistry
