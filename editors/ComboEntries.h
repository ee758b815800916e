#pragma once
// Filling the editors' lists without firing their click handlers (those follow the user's
// picks only), and showing a chosen name that the list may not hold.

#include <QString>
#include <string>
#include <vector>

class QComboBox;

// The texts of a combo box become `entries`, each replaced in place; entries left over from a
// longer list go.
void SetEntries(QComboBox* list, const std::vector<std::string>& entries);

// Shows `text` in the box: its entry when the list holds it, else the text alone.
void ShowText(QComboBox* list, const QString& text);
