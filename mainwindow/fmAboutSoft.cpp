#include "fmAboutSoft.h"

#include <QLabel>
#include <QVBoxLayout>

#include "Forms.h"

namespace {
const char* const SupportContact = "support@zorvic.com";
}  // namespace

fmAboutSoft::fmAboutSoft(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmAboutSoft"));
    setWindowTitle(QStringLiteral("About Zorvic Software"));
    platform::Forms::Register(this);
    lblZorvic = new QLabel(this);
    lblZorvic->setObjectName(QStringLiteral("lblZorvic"));
    // The version line is read whole, on one line.
    lblZorvic->setWordWrap(false);
    auto* credits = new QLabel(QStringLiteral("Flyback switch mode power supply design"), this);
    credits->setObjectName(QStringLiteral("lblCredits"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblZorvic);
    layout->addWidget(credits);
    Form_Load();
}

QString fmAboutSoft::VersionLine() {
    // Major, a point, then minor and revision run together: version 2.2.1 reads 2.21.
    return QStringLiteral("Zorvic Switch Mode Power Supply Design Software : Version %1.%2%3 %4")
        .arg(ZORVIC_VERSION_MAJOR)
        .arg(ZORVIC_VERSION_MINOR)
        .arg(ZORVIC_VERSION_PATCH)
        .arg(QLatin1String(SupportContact));
}

void fmAboutSoft::Form_Load() { lblZorvic->setText(VersionLine()); }

void fmAboutSoft::ShowAbout(QWidget* parent) {
    fmAboutSoft box(parent);
    box.exec();
}
