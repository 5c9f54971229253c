#pragma once

#include <functional>
#include <string>

class QWidget;

// The loaded windows by name, so that a window can reach another one that lives in a library
// above its own (the application window hides the meter-scale dialog of the main window).
namespace FormRegistry {

void Add(const std::string& name, QWidget* form, std::function<void()> unload);
void Remove(const std::string& name, QWidget* form);
// The loaded window of that name, or nullptr.
QWidget* Find(const std::string& name);
// Unloads the window of that name; nothing when it is not loaded.
void Unload(const std::string& name);

// How a window of a library above is loaded by name: Touch returns the loaded window of that
// name, loading it hidden first when needed; std::logic_error when no loader was set.
void SetLoader(const std::string& name, std::function<QWidget*()> load);
QWidget& Touch(const std::string& name);

}  // namespace FormRegistry
