#include "DocumentMenus.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>

#include "EntryValidation.h"
#include "MessageBox.h"
#include "fmAboutSoft.h"

namespace DocumentMenus {

namespace {

const char* const WebSite = "https://www.zorvic.com";

struct Document {
    const char* name;
    const char* caption;
    const char* file;
};

const Document Datasheets[] = {
    {"mnuDocDatasheetZorvicA1", "ZorvicA1", "ZorvicA1.pdf"}, {"mnuDocDatasheetZorvicA3", "ZorvicA3", "ZorvicA3.pdf"},
    {"mnuDocDatasheetZorvicC1", "ZorvicC1", "ZorvicC1.pdf"}, {"mnuDocDatasheetZorvicC3", "ZorvicC3", "ZorvicC3.pdf"},
    {"mnuDocDatasheetZorvicD1", "ZorvicD1", "ZorvicD1.pdf"}, {"mnuDocDatasheetZorvicD3", "ZorvicD3", "ZorvicD3.pdf"},
    {"mnuDocDatasheetZorvicE1", "ZorvicE1", "ZorvicE1.pdf"}, {"mnuDocDatasheetZorvicE2", "ZorvicE2", "ZorvicE2.pdf"},
    {"mnuDocDatasheetZorvicE3", "ZorvicE3", "ZorvicE3.pdf"}, {"mnuDocDatasheetZorvicF1", "ZorvicF1", "ZorvicF1.pdf"},
    {"mnuDocDatasheetZorvicF2", "ZorvicF2", "ZorvicF2.pdf"},
};

const Document ApplicationNotes[] = {
    {"mnuDocAppliZorvD1P108W", "ZorvicD1 : 108W Power Supply", "P108ZorvD1.pdf"},
    {"mnuDocAppliZorvD1SMPS", "ZorvicD1 : Off-line SMPS", "SmpsZorvD1.pdf"},
    {"mnuDocAppliZorvC1USB", "ZorvicC1 : USB Self Powered Hub", "USBZorvC1.pdf"},
    {"mnuDocAppliZorvC1Demo", "ZorvicC1 : Demoboard EMI Application", "DemoZorvC1.pdf"},
    {"mnuDocAppliZorvC1Aux", "ZorvicC1 : Auxiliary Bias Power Supply", "BiasZorvC1.pdf"},
    {"mnuDocAppliZorvA1Aux", "ZorvicA1 : Auxiliary Power Supply", "AuxZorvA1.pdf"},
    {"mnuDocAppliZorvA1Demo", "ZorvicA1 : Demoboard Standby Application", "DemoZorvA1.pdf"},
};

QMenu* Menu(QWidget* owner, const char* name, const char* caption) {
    auto* menu = new QMenu(QString::fromUtf8(caption), owner);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* Item(QMenu* menu, const char* name, const QString& caption, std::function<void()> action) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    if (action) QObject::connect(item, &QAction::triggered, menu, std::move(action));
    return item;
}

void Open(const QString& document) { zorvic::OpenDocument(document.toStdString()); }

template <std::size_t N>
void AddDocuments(QMenu* menu, const Document (&documents)[N]) {
    for (const Document& d : documents) {
        const QString path = DocumentPath(QString::fromLatin1(d.file));
        Item(menu, d.name, QString::fromUtf8(d.caption), [path] { Open(path); });
    }
}

}  // namespace

QString DocumentPath(const QString& fileName) { return QDir(QCoreApplication::applicationDirPath()).filePath(fileName); }

void AddMenus(QMenuBar* bar, const std::function<void(bool)>& setTrainingMode, QWidget* parent) {
    QMenu* doc = Menu(bar, "mnuDoc", "Documentation");
    Item(doc, "mnuDocHtml", QStringLiteral("Zorvic web site"), [] { Open(QString::fromLatin1(WebSite)); });
    QMenu* datasheets = Menu(doc, "mnuDocDatasheet", "Datasheet");
    AddDocuments(datasheets, Datasheets);
    doc->addMenu(datasheets);
    QMenu* notes = Menu(doc, "mnuDocAppli", "Application Note");
    AddDocuments(notes, ApplicationNotes);
    doc->addMenu(notes);
    bar->addMenu(doc);

    QMenu* about = Menu(bar, "mnuAbout", "About");
    Item(about, "mnuAboutSoft", QStringLiteral("This Software"), [parent] { fmAboutSoft::ShowAbout(parent); });
    Item(about, "mnuAboutTechno", QStringLiteral("Zorvic Technology"), {});
    bar->addMenu(about);

    QMenu* help = Menu(bar, "mnuHelp", "Help");
    Item(help, "mnuHelpSupport", QString::fromLatin1(SupportContact),
         [] { Open(QStringLiteral("mailto:") + QString::fromLatin1(SupportContact)); });
    QAction* training = Item(help, "mnuHelpTraining", QStringLiteral("Training mode"), {});
    // The check mark turns over on each click and the new state goes to the window.
    training->setCheckable(true);
    QObject::connect(training, &QAction::toggled, help, [setTrainingMode](bool on) {
        if (setTrainingMode) setTrainingMode(on);
    });
    bar->addMenu(help);
}

void ZenerLabelClick(const QString& tag, int trainingMode, QWidget* parent) {
    const QString title = QStringLiteral("Limiting Zener Diode");
    if (tag == QLatin1String("Warning"))
        platform::ShowMessage(QStringLiteral(" Dissipation Over 400mW "), platform::Buttons::OK, title, parent);
    else if (trainingMode == 1)
        platform::ShowMessage(
            QStringLiteral("This Diode is sinking the excess of current in order to maintain the nominal output voltage"),
            platform::Buttons::OK, title, parent);
}

}  // namespace DocumentMenus
