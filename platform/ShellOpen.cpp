#include "ShellOpen.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {

int ShellOpenDocument(const std::string& fileName) {
    const QString name = QString::fromStdString(fileName);
    const bool isAddress = name.contains(QStringLiteral("://")) || name.startsWith(QStringLiteral("mailto:"));
    QUrl url;
    if (isAddress) {
        url = QUrl(name);
    } else {
        if (!QFileInfo::exists(name)) return 2;
        url = QUrl::fromLocalFile(QFileInfo(name).absoluteFilePath());
    }
    return QDesktopServices::openUrl(url) ? 42 : 31;
}

}  // namespace platform
