#pragma once
// The program's collection of loaded windows, in the order they were loaded. A window joins it
// when it is created and leaves it when it is destroyed.

#include <QWidget>
#include <vector>

namespace platform::Forms {

void Register(QWidget* form);
std::vector<QWidget*> Loaded();
QWidget* Find(const QString& name);

// The first loaded window of class T, or null.
template <class T>
T* FindLoaded() {
    for (QWidget* form : Loaded())
        if (auto* window = qobject_cast<T*>(form)) return window;
    return nullptr;
}

}  // namespace platform::Forms
