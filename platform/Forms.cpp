#include "Forms.h"

#include <QPointer>
#include <algorithm>

namespace platform::Forms {

namespace {
std::vector<QPointer<QWidget>>& Collection() {
    static std::vector<QPointer<QWidget>> forms;
    return forms;
}

void Prune() {
    auto& forms = Collection();
    forms.erase(std::remove_if(forms.begin(), forms.end(), [](const QPointer<QWidget>& f) { return f.isNull(); }),
                forms.end());
}
}  // namespace

void Register(QWidget* form) {
    Prune();
    auto& forms = Collection();
    if (std::find(forms.begin(), forms.end(), form) == forms.end()) forms.emplace_back(form);
}

std::vector<QWidget*> Loaded() {
    Prune();
    std::vector<QWidget*> result;
    for (const auto& f : Collection()) result.push_back(f.data());
    return result;
}

QWidget* Find(const QString& name) {
    for (QWidget* f : Loaded())
        if (f->objectName() == name) return f;
    return nullptr;
}

}  // namespace platform::Forms
