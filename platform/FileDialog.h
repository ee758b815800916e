#pragma once
// The open and save dialogs for the program's files, on Qt's file dialog. The program writes a
// filter as "description|pattern|description|pattern". A cancel gives no path, so the caller
// tells it apart from a chosen file. Tests script the answers as they do the message boxes.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QWidget;

namespace platform {

enum class FileDialogKind { Open, Save };

struct ShownFileDialog {
    FileDialogKind kind;
    QStringList nameFilters;
    QString startName;
};

// Qt's name filters for a program filter. A pattern "*.*" (every file on Windows) becomes "*",
// which on Linux also matches names without an extension; a description keeps its text and
// names the patterns in brackets.
QStringList NameFilters(const QString& programFilter);

// `path` with the extension of the Qt name filter's first pattern ("zpj" of "Zorvic design
// (*.zpj)") added when its file name has none; unchanged for a filter of every file.
QString WithFilterExtension(const QString& path, const QString& nameFilter);

// The dialog opens on `startName` (its folder and name when it has them). Open asks for an
// existing file; Save for any name, to which it adds the extension of the chosen filter when the
// name has none. The chosen path, or nothing when the user cancelled.
std::optional<QString> ShowFileDialog(FileDialogKind kind, const QString& programFilter, const QString& startName,
                                      QWidget* parent = nullptr);

// Scripted mode: no dialog is shown; each call takes the next queued answer, or cancels when the
// queue is empty. Every call is recorded.
namespace FileDialogScript {
void Enable();
void Disable();
bool Enabled();
void PushPath(const QString& path);
void PushCancel();
const std::vector<ShownFileDialog>& Shown();
void Clear();
}  // namespace FileDialogScript

}  // namespace platform
