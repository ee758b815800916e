#include "ComboEntries.h"

#include <QComboBox>

void SetEntries(QComboBox* list, const std::vector<std::string>& entries) {
    const int count = static_cast<int>(entries.size());
    for (int i = 0; i < count; ++i) {
        const QString text = QString::fromStdString(entries[static_cast<std::size_t>(i)]);
        if (i < list->count())
            list->setItemText(i, text);
        else
            list->addItem(text);
    }
    while (list->count() > count) list->removeItem(count);
}

void ShowText(QComboBox* list, const QString& text) {
    const int entry = list->findText(text, Qt::MatchExactly);
    list->setPlaceholderText(entry < 0 ? text : QString());
    list->setCurrentIndex(entry);
}
