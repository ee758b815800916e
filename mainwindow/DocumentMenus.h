#pragma once
// The main window's Documentation, About and Help menus: the chips' datasheets and application
// notes beside the program, the web site, the about box, the support contact and the training
// mode switch; and what a click on an output's Zener label says.

#include <QString>
#include <functional>

class QMenu;
class QMenuBar;
class QWidget;

namespace DocumentMenus {

inline constexpr const char* SupportContact = "support@zorvic.com";

// The path of a document shipped beside the program.
QString DocumentPath(const QString& fileName);

// Adds the three menus to `bar`. `setTrainingMode` receives the training item's new check state
// (the main window's SetTrainingMode); `parent` owns the about box.
void AddMenus(QMenuBar* bar, const std::function<void(bool)>& setTrainingMode, QWidget* parent);

// A click on an output's Zener label: the dissipation warning when the label's tag is "Warning",
// else the explanation in training mode, else nothing.
void ZenerLabelClick(const QString& tag, int trainingMode, QWidget* parent = nullptr);

}  // namespace DocumentMenus
