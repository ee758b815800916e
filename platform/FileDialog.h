#pragma once
// The program's open and save file dialogs. Tests script the chosen paths instead of showing a
// dialog: each call then takes the next queued path, or an empty one (a cancelled dialog).

#include <QString>

class QWidget;

namespace platform {

// `filter` is written "Core List (*.zcl);;All Files (*)". An empty result: cancelled.
QString GetOpenFileName(QWidget* parent, const QString& title, const QString& filter);
QString GetSaveFileName(QWidget* parent, const QString& title, const QString& filter);

namespace FileDialogScript {
void Enable();
void Disable();
void PushPath(const QString& path);
}  // namespace FileDialogScript

}  // namespace platform
