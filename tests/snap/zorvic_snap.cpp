// Opens one window of the program offscreen for a design given as overrides or a project file,
// writes a PNG of it and prints JSON of every widget that shows text. Windows are reviewed with
// it, and the pictures of docs/screens are made with it.
//
//   zorvic_snap [--load PROJECT] [overrides.json] --window NAME [--size WxH] [--screen WxH]
//               [--zoom Z] [--do COMMAND]... [--print-to FOLDER] [--layout single|dual|dual2|quad|quad2]
//               [--curves T1,T2,...] [--cursor X] [--index N] --png OUT.png
//
// The design is computed as the program does at start-up, then with the overrides (the same
// JSON as zorvic_dump's). --size is the window's size in pixels (1600x1000 unless given; the
// bill of materials and the about box open at their own size unless it is given); --screen is
// the available screen area the windows fit into (the offscreen screen's unless given);
// --zoom sizes the window so that the main window's schematic is drawn at about that zoom.
// Each --do runs a command on the shown main window, in order (SnapCommands.h), before the
// picture is taken: "--do open=fuzz/corpus/project/six-outputs.zpj" opens a design as File >
// Open does.
// --print-to prints the window into a PDF file in FOLDER, as its print command does (the main
// window through File > Print, the curve window through its Print Curve, the bill of materials
// through its Print), once the window is drawn.
// The curve window takes its layout, the curve type of each chart in order and the cursor
// fraction of every chart. The output editor opens on output N (0, the main output, unless given).
// The window shows the design as the program does after opening it: the tool row, the add
// buttons and the regulation list follow it, and it is computed again.
// Messages the computation shows go to standard error. An editor that the computation opens (the
// over-voltage warnings open the input or chip editor) is closed at once, as a user who cancels,
// and standard error says so. Exit code 2: bad arguments, or a design or window that cannot be
// made.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QWidget>
#include <cmath>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "DesignFields.h"
#include "FileManagement.h"
#include "MainPage.h"
#include "MessageBox.h"
#include "Printing.h"
#include "Screen.h"
#include "fmAboutSoft.h"
#include "fmBOM.h"
#include "fmSummary.h"
#include "QtDesignHost.h"
#include "SnapCommands.h"
#include "fmCurve.h"
#include "Twips.h"
#include "Variables.h"
#include "WidgetJson.h"
#include "fmCore.h"
#include "fmCoreSizeEdit.h"
#include "EditorCalls.h"
#include "fmInput.h"
#include "fmOutput.h"
#include "DesignCommands.h"
#include "fmZorvic.h"
#include "fmTransfo.h"

namespace {

struct Options {
    std::string loadPath;
    std::string overridesPath;
    std::string window;
    std::string pngPath;
    std::string printFolder;
    int width = 1600;
    int height = 1000;
    bool sized = false;  // --size given
    std::optional<QSize> screen;
    std::optional<float> zoom;
    std::vector<std::string> commands;
    std::string layout = "quad";
    std::vector<int> curves;
    float cursor = 0.5f;
    int16_t index = 0;
};

// A window the tool can open: it makes and sizes the window for the computed design, and adds
// what the JSON should tell beyond the widgets.
struct SnapWindow {
    const char* name;
    std::function<QWidget*(const Options&, nlohmann::ordered_json&)> open;
};

QWidget* OpenMainPage(const Options& options, nlohmann::ordered_json& facts) {
    MainPage& page = TheMainPage();
    int width = options.width;
    int height = options.height;
    if (options.zoom) {
        // The width rule gives the zoom; the window is made tall enough that it applies.
        const SchematicLayout& layout = page.Layout();
        const double twipsWide = *options.zoom * layout.SchematicWidth;
        const double twipsHigh = *options.zoom * layout.SchematicHeight + 500;
        width = std::max(1, platform::TwipsToPixels(twipsWide));
        height = platform::TwipsToPixels(twipsHigh) + 2;
    }
    page.resize(width, height);
    page.show();
    QApplication::processEvents();
    if (options.zoom) {
        // The zoom follows the drawing area below the tool row.
        page.resize(width, height + page.height() - page.picSchematic->height());
        QApplication::processEvents();
    }
    std::string error;
    if (!RunCommands(page, options.commands, error)) {
        std::cerr << "zorvic_snap: " << error << "\n";
        return nullptr;
    }
    facts["zoom"] = page.LastDrawing().Zoom;
    facts["labelZoomMin"] = zorvic::Settings.LabelZoomMin;
    facts["buttonZoomMin"] = zorvic::Settings.ButtonZoomMin;
    if (!options.printFolder.empty()) {
        platform::SetPrintFolder(QString::fromStdString(options.printFolder));
        if (QAction* print = page.findChild<QAction*>(QStringLiteral("mnuPrint"))) print->trigger();
    }
    return &page;
}

// A window at its own fixed size, drawn once shown.
QWidget* Shown(QWidget* window) {
    window->show();
    QApplication::processEvents();
    return window;
}

// A window of its own beside the main window, at the size asked for.
QWidget* Sized(QWidget* window, const Options& options) {
    window->resize(options.width, options.height);
    return Shown(window);
}

QWidget* OpenSummary(const Options& options, nlohmann::ordered_json&) { return Sized(&fmSummary::ShowSummary(), options); }

// A window that opens at its own size unless a size is asked for.
QWidget* OwnSize(QWidget* window, const Options& options) { return options.sized ? Sized(window, options) : Shown(window); }

QWidget* OpenBOM(const Options& options, nlohmann::ordered_json& facts) {
    auto* window = new fmBOM;
    facts["list"] = window->txtBOMList->toPlainText().toStdString();
    if (!options.printFolder.empty()) {
        platform::SetPrintFolder(QString::fromStdString(options.printFolder));
        facts["printed"] = window->cmdPrint_Click();
    }
    return OwnSize(window, options);
}

QWidget* OpenAbout(const Options& options, nlohmann::ordered_json&) { return OwnSize(new fmAboutSoft, options); }

// The modal editors as the main window's Input and Zorvic buttons fill them, shown without their
// modal loop.
QWidget* OpenInput(const Options&, nlohmann::ordered_json&) {
    auto* editor = new fmInput(&TheMainPage());
    LoadInputEditor(*editor);
    return Shown(editor);
}

QWidget* OpenChip(const Options&, nlohmann::ordered_json&) {
    auto* editor = new fmZorvic(&TheMainPage());
    LoadChipEditor(*editor);
    return Shown(editor);
}

QWidget* OpenOutput(const Options& options, nlohmann::ordered_json&) {
    // An active output, or the one an Add Output would make.
    if (options.index > zorvic::Settings.AdditionalOutputs + 1) return nullptr;
    zorvic::LoadOutputWork(options.index);
    auto* editor = new fmOutput(&TheMainPage());
    LoadOutputEditor(*editor, options.index);
    return Shown(editor);
}

QWidget* OpenTransformer(const Options&, nlohmann::ordered_json&) {
    return Shown(fmTransfo::ShowTransformer(&TheMainPage()));
}

QWidget* OpenMaterial(const Options&, nlohmann::ordered_json&) { return Shown(new fmCore(&TheMainPage())); }

QWidget* OpenCoreSize(const Options&, nlohmann::ordered_json&) { return Shown(new fmCoreSizeEdit(&TheMainPage())); }

QWidget* OpenCurves(const Options& options, nlohmann::ordered_json& facts) {
    fmCurve* window = fmCurve::ShowCurves();
    if (!window) return nullptr;
    window->resize(options.width, options.height);
    QApplication::processEvents();
    const char* const layouts[] = {"single", "dual", "dual2", "quad", "quad2"};
    for (int16_t l = 0; l < 5; ++l) {
        if (options.layout != layouts[l]) continue;
        const int16_t number = l == 0 ? 0 : (l <= 2 ? 1 : 2);
        if (number == 1) window->optDual(l - 1)->setChecked(true);
        if (number == 2) window->optQuad(l - 3)->setChecked(true);
        window->optNumber(number)->setChecked(true);
        window->optNumber_Click(number);
    }
    for (size_t i = 0; i < options.curves.size() && i < 4; ++i) {
        const auto chart = static_cast<int16_t>(i);
        window->picCurve_Click(chart);
        window->mnuCurve_Click(static_cast<int16_t>(options.curves[i]));
        window->ScrollCurve(chart).Invoke("UpdateScroll", options.cursor);
    }
    window->TraceAll();
    QApplication::processEvents();
    if (!options.printFolder.empty()) {
        platform::SetPrintFolder(QString::fromStdString(options.printFolder));
        platform::PrinterDialogScript::PushPdfFolder(QString::fromStdString(options.printFolder));
        window->mnuPrintCurve_Click();
    }
    auto& modes = facts["modes"] = nlohmann::ordered_json::array();
    for (int i = 0; i < 4; ++i) modes.push_back(window->Chart(i).ModeText);
    return window;
}

// Closes every modal editor as it shows, as a user who cancels: nobody is there to close the
// editors that the computation's warnings open, and their modal loops would never end.
class EditorCanceller : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (event->type() == QEvent::Show && dialog && dialog->isModal()) {
            std::cerr << "zorvic_snap: closed " << dialog->objectName().toStdString() << " (\""
                      << dialog->windowTitle().toStdString() << "\") as cancelled\n";
            QTimer::singleShot(0, dialog, &QDialog::reject);
        }
        return false;
    }
};

// Later windows add their entry here.
const SnapWindow Windows[] = {
    {"main", OpenMainPage},
    {"summary", OpenSummary},
    {"bom", OpenBOM},
    {"about", OpenAbout},
    {"input", OpenInput},
    {"chip", OpenChip},
    {"output", OpenOutput},
    {"transformer", OpenTransformer},
    {"material", OpenMaterial},
    {"coresize", OpenCoreSize},
    {"curves", OpenCurves},
};

int Usage() {
    std::cerr << "usage: zorvic_snap [--load PROJECT] [overrides.json] --window NAME [--size WxH] [--screen WxH] "
                 "[--zoom Z] "
                 "[--do COMMAND]... [--print-to FOLDER] [--layout L] [--curves T1,T2,...] [--cursor X] "
                 "[--index N] --png OUT.png\nwindows:";
    for (const SnapWindow& w : Windows) std::cerr << " " << w.name;
    std::cerr << "\n";
    return 2;
}

bool ParseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--load" && hasValue) options.loadPath = argv[++i];
        else if (arg == "--window" && hasValue) options.window = argv[++i];
        else if (arg == "--png" && hasValue) options.pngPath = argv[++i];
        else if (arg == "--do" && hasValue) options.commands.push_back(argv[++i]);
        else if (arg == "--print-to" && hasValue) options.printFolder = argv[++i];
        else if (arg == "--size" && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &options.width, &options.height) != 2 || options.width < 1 ||
                options.height < 1)
                return false;
            options.sized = true;
        } else if (arg == "--screen" && hasValue) {
            int width = 0;
            int height = 0;
            if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2 || width < 100 || height < 100) return false;
            options.screen = QSize(width, height);
        } else if (arg == "--zoom" && hasValue) {
            char* end = nullptr;
            const float zoom = std::strtof(argv[++i], &end);
            if (*end != '\0' || !(zoom > 0) || zoom > 20) return false;
            options.zoom = zoom;
        } else if (arg == "--layout" && hasValue) {
            options.layout = argv[++i];
        } else if (arg == "--curves" && hasValue) {
            std::stringstream list(argv[++i]);
            std::string item;
            while (std::getline(list, item, ',')) {
                const int type = std::atoi(item.c_str());
                if (type < 1 || type > 20) return false;
                options.curves.push_back(type);
            }
        } else if (arg == "--index" && hasValue) {
            char* end = nullptr;
            const long index = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || index < 0 || index > 5) return false;
            options.index = static_cast<int16_t>(index);
        } else if (arg == "--cursor" && hasValue) {
            char* end = nullptr;
            options.cursor = std::strtof(argv[++i], &end);
            if (*end != '\0' || !(options.cursor >= 0) || options.cursor > 1) return false;
        } else if (!arg.empty() && arg[0] != '-' && options.overridesPath.empty()) {
            options.overridesPath = arg;
        } else {
            return false;
        }
    }
    return !options.window.empty() && !options.pngPath.empty();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Options options;
    if (!ParseArguments(argc, argv, options)) return Usage();
    const SnapWindow* entry = nullptr;
    for (const SnapWindow& w : Windows)
        if (options.window == w.name) entry = &w;
    if (!entry) return Usage();

    nlohmann::ordered_json overrides = nlohmann::ordered_json::object();
    if (!options.overridesPath.empty()) {
        std::ifstream file(options.overridesPath);
        if (!file) {
            std::cerr << "zorvic_snap: cannot open " << options.overridesPath << "\n";
            return 2;
        }
        overrides = nlohmann::ordered_json::parse(file, nullptr, false);
        if (overrides.is_discarded()) {
            std::cerr << "zorvic_snap: " << options.overridesPath << " is not valid JSON\n";
            return 2;
        }
    }

    if (options.screen) platform::SetAvailableScreenArea(QRect(QPoint(0, 0), *options.screen));
    platform::MessageScript::Enable();
    // Print Curve shows the printer dialog first: it is answered, never shown.
    platform::PrinterDialogScript::Enable();
    EditorCanceller canceller;
    app.installEventFilter(&canceller);
    QtDesignHost host;
    zorvic::InstallHost(&host);
    // The main window exists from start-up on: the computation marks its labels and pictures.
    TheMainPage();
    auto load = [&options] {
        if (!options.loadPath.empty() && zorvic::LoadProject(options.loadPath) == zorvic::FileStatus::NotReadable)
            std::cerr << "zorvic_snap: cannot read " << options.loadPath << "\n";
    };
    std::string error;
    if (!zorvic::dump::ComputeWithOverrides(overrides, error, load)) {
        std::cerr << "zorvic_snap: " << error << "\n";
        return 2;
    }
    TheMainPage().ShowOpenedDesign();

    nlohmann::ordered_json result;
    result["window"] = entry->name;
    QWidget* window = entry->open(options, result);
    if (!window) {
        for (const platform::ShownMessage& m : platform::MessageScript::Shown())
            std::cerr << m.title.toStdString() << ": " << m.text.toStdString() << "\n";
        return 2;
    }
    result["width"] = window->width();
    result["height"] = window->height();
    if (!window->grab().save(QString::fromStdString(options.pngPath), "PNG")) {
        std::cerr << "zorvic_snap: cannot write " << options.pngPath << "\n";
        return 2;
    }
    result["widgets"] = snap::TextWidgets(window);
    for (const platform::ShownMessage& m : platform::MessageScript::Shown())
        std::cerr << m.title.toStdString() << ": " << m.text.toStdString() << "\n";
    std::cout << result.dump(1) << "\n";
    if (window != &TheMainPage()) delete window;
    delete &TheMainPage();
    zorvic::InstallHost(nullptr);
    return 0;
}
