#include "FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <deque>

namespace platform {

namespace {

bool scripted = false;
// A queued answer: a path, or a cancel.
struct ScriptedAnswer {
    bool cancelled = true;
    QString path;
};
std::deque<ScriptedAnswer> answers;
std::vector<ShownFileDialog> shown;

QString QtPatterns(const QString& patterns) {
    QStringList qt;
    for (const QString& pattern : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        qt << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    return qt.join(QLatin1Char(' '));
}

}  // namespace

QString WithFilterExtension(const QString& path, const QString& nameFilter) {
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.(\\w+)[ )]"));
    const QRegularExpressionMatch match = firstPattern.match(nameFilter);
    const QString name = QFileInfo(path).fileName();
    if (!match.hasMatch() || name.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + (name.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral(".")) + match.captured(1);
}

QStringList NameFilters(const QString& programFilter) {
    // Qt reads the patterns from the brackets of the description, so the program's own bracket
    // text gives way to the patterns Qt should use.
    static const QRegularExpression trailingBrackets(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = programFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype k = 0; k + 1 < parts.size(); k += 2) {
        const QString patterns = QtPatterns(parts[k + 1]);
        if (patterns.isEmpty()) continue;
        QString description = parts[k];
        description.remove(trailingBrackets);
        filters << description.trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

std::optional<QString> ShowFileDialog(FileDialogKind kind, const QString& programFilter, const QString& startName,
                                      QWidget* parent) {
    const QStringList filters = NameFilters(programFilter);
    shown.push_back({kind, filters, startName});
    if (scripted) {
        if (answers.empty()) return std::nullopt;
        const ScriptedAnswer answer = answers.front();
        answers.pop_front();
        if (answer.cancelled) return std::nullopt;
        return kind == FileDialogKind::Save ? WithFilterExtension(answer.path, filters.value(0)) : answer.path;
    }
    QFileDialog dialog(parent);
    dialog.setAcceptMode(kind == FileDialogKind::Open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(kind == FileDialogKind::Open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (kind == FileDialogKind::Save) {
        // The dialog asks before it replaces the file the name becomes, extension added.
        auto extension = [](const QString& filter) {
            return QFileInfo(WithFilterExtension(QStringLiteral("x"), filter)).suffix();
        };
        dialog.setDefaultSuffix(extension(filters.value(0)));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, extension](const QString& filter) { dialog.setDefaultSuffix(extension(filter)); });
    }
    if (!startName.isEmpty()) {
        const QFileInfo start(startName);
        if (start.isAbsolute()) dialog.setDirectory(start.absolutePath());
        dialog.selectFile(start.fileName());
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return kind == FileDialogKind::Save ? WithFilterExtension(chosen.front(), dialog.selectedNameFilter())
                                        : chosen.front();
}

namespace FileDialogScript {
void Enable() { scripted = true; }
void Disable() {
    scripted = false;
    answers.clear();
}
bool Enabled() { return scripted; }
void PushPath(const QString& path) { answers.push_back({false, path}); }
void PushCancel() { answers.push_back({}); }
const std::vector<ShownFileDialog>& Shown() { return shown; }
void Clear() {
    shown.clear();
    answers.clear();
}
}  // namespace FileDialogScript

}  // namespace platform
