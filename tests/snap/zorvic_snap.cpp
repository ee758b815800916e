// Opens one window of the program offscreen for a design given as overrides or a project file,
// writes a PNG of it and prints JSON of every widget that shows text. Windows are reviewed with
// it, and the pictures of docs/screens are made with it.
//
//   zorvic_snap [--load PROJECT] [overrides.json] --window NAME [--size WxH] [--zoom Z] --png OUT.png
//              [--layout single|dual|dual2|quad|quad2] [--curves T1,T2,...] [--cursor X]
//
// The design is computed as the program does at start-up, then with the overrides (the same
// JSON as zorvic_dump's). --size is the window's size in pixels (1600x1000 unless given);
// --zoom sizes the window so that the main window's schematic is drawn at about that zoom.
// The curve window takes its layout, the curve type of each chart in order and the cursor
// fraction of every chart.
// Messages the computation shows go to standard error. Exit code 2: bad arguments, or a design
// or window that cannot be made.

#include <QApplication>
#include <QPixmap>
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
#include "QtDesignHost.h"
#include "fmCurve.h"
#include "Twips.h"
#include "Variables.h"
#include "WidgetJson.h"

namespace {

struct Options {
    std::string loadPath;
    std::string overridesPath;
    std::string window;
    std::string pngPath;
    int width = 1600;
    int height = 1000;
    std::optional<float> zoom;
    std::string layout = "quad";
    std::vector<int> curves;
    float cursor = 0.5f;
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
    facts["zoom"] = page.LastDrawing().Zoom;
    facts["labelZoomMin"] = zorvic::Settings.LabelZoomMin;
    facts["buttonZoomMin"] = zorvic::Settings.ButtonZoomMin;
    return &page;
}

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
    auto& modes = facts["modes"] = nlohmann::ordered_json::array();
    for (int i = 0; i < 4; ++i) modes.push_back(window->Chart(i).ModeText);
    return window;
}

// Later windows add their entry here.
const SnapWindow Windows[] = {
    {"main", OpenMainPage},
    {"curves", OpenCurves},
};

int Usage() {
    std::cerr << "usage: zorvic_snap [--load PROJECT] [overrides.json] --window NAME [--size WxH] [--zoom Z] "
                 "--png OUT.png [--layout L] [--curves T1,T2,...] [--cursor X]\nwindows:";
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
        else if (arg == "--size" && hasValue) {
            if (std::sscanf(argv[++i], "%dx%d", &options.width, &options.height) != 2 || options.width < 1 ||
                options.height < 1)
                return false;
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

    platform::MessageScript::Enable();
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
    delete &TheMainPage();
    zorvic::InstallHost(nullptr);
    return 0;
}
