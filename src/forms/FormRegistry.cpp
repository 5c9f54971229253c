#include "forms/FormRegistry.h"

#include <map>
#include <stdexcept>

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

std::map<std::string, std::function<QWidget*()>>& Loaders() {
    static std::map<std::string, std::function<QWidget*()>> loaders;
    return loaders;
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

void SetLoader(const std::string& name, std::function<QWidget*()> load) {
    Loaders()[name] = std::move(load);
}

QWidget& Touch(const std::string& name) {
    if (QWidget* loaded = Find(name)) return *loaded;
    const auto found = Loaders().find(name);
    if (found == Loaders().end()) throw std::logic_error("no way to load the window " + name);
    return *found->second();
}

}  // namespace FormRegistry
