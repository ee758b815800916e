#include "FileDialog.h"

#include <QFileDialog>
#include <deque>

namespace platform {

namespace {

struct Script {
    bool enabled = false;
    std::deque<QString> paths;
};

Script& TheScript() {
    static Script script;
    return script;
}

QString NextScripted() {
    Script& s = TheScript();
    if (s.paths.empty()) return {};
    QString path = s.paths.front();
    s.paths.pop_front();
    return path;
}

}  // namespace

QString GetOpenFileName(QWidget* parent, const QString& title, const QString& filter) {
    if (TheScript().enabled) return NextScripted();
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QString GetSaveFileName(QWidget* parent, const QString& title, const QString& filter) {
    if (TheScript().enabled) return NextScripted();
    return QFileDialog::getSaveFileName(parent, title, QString(), filter);
}

namespace FileDialogScript {
void Enable() { TheScript().enabled = true; }
void Disable() { TheScript() = Script{}; }
void PushPath(const QString& path) { TheScript().paths.push_back(path); }
}  // namespace FileDialogScript

}  // namespace platform
