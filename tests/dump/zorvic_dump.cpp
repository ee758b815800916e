// Prints the design state as JSON after the start-up computation, an optional project load and a
// second computation with the overrides of the file named on the command line. Whole-design
// regression tests compare it.
//
//   zorvic_dump [--load PROJECT] [--save PROJECT] [--then-load PROJECT] [overrides.json]
//
// --load reads a project file as the command line of the program does; a refused file is
// reported on standard error with the message the user would see, and the state stays as it
// stands. --save writes the project file of the computed design.
// Exit code 2: bad arguments, or an override file that cannot be read or does not apply.

#include <fstream>
#include <iostream>
#include <string>

#include "ComputeDesign.h"
#include "DesignFields.h"
#include "DesignHost.h"
#include "FileManagement.h"
#include "Variables.h"

namespace {

// Messages go to standard error; every question gets its default answer.
class StderrHost : public zorvic::DesignHost {
public:
    zorvic::MessageAnswer ShowMessage(const std::string& text, zorvic::MessageButtons buttons,
                                      const std::string& title) override {
        std::cerr << title << ": " << text << "\n";
        return zorvic::DesignHost::ShowMessage(text, buttons, title);
    }
};

int Usage() {
    std::cerr << "usage: zorvic_dump [--load PROJECT] [--save PROJECT] [--then-load PROJECT] [overrides.json]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    using zorvic::dump::Json;
    std::string loadPath;
    std::string savePath;
    std::string thenLoadPath;
    std::string overridesPath;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--load" || arg == "--save" || arg == "--then-load") && i + 1 < argc) {
            (arg == "--load" ? loadPath : arg == "--save" ? savePath : thenLoadPath) = argv[++i];
        } else if (!arg.empty() && arg[0] != '-' && overridesPath.empty()) {
            overridesPath = arg;
        } else {
            return Usage();
        }
    }

    StderrHost host;
    zorvic::InstallHost(&host);

    Json overrides = Json::object();
    if (!overridesPath.empty()) {
        std::ifstream file(overridesPath);
        if (!file) {
            std::cerr << "zorvic_dump: cannot open " << overridesPath << "\n";
            return 2;
        }
        overrides = Json::parse(file, nullptr, false);
        if (overrides.is_discarded()) {
            std::cerr << "zorvic_dump: " << overridesPath << " is not valid JSON\n";
            return 2;
        }
    }

    auto load = [&loadPath] {
        if (loadPath.empty()) return;
        if (zorvic::LoadProject(loadPath) == zorvic::FileStatus::NotReadable)
            std::cerr << "zorvic_dump: cannot read " << loadPath << "\n";
    };
    std::string error;
    if (!zorvic::dump::ComputeWithOverrides(overrides, error, load)) {
        std::cerr << "zorvic_dump: " << error << "\n";
        return 2;
    }
    if (!savePath.empty()) {
        zorvic::Settings.DesignFileName = savePath;
        if (zorvic::SaveProject() != zorvic::FileStatus::Done) {
            std::cerr << "zorvic_dump: cannot write " << savePath << "\n";
            return 2;
        }
    }
    if (!thenLoadPath.empty()) {
        if (zorvic::LoadProject(thenLoadPath) != zorvic::FileStatus::Done) {
            std::cerr << "zorvic_dump: cannot read " << thenLoadPath << "\n";
            return 2;
        }
        zorvic::ComputeDesign();
    }
    // The engine keeps its texts in UTF-8; should one not be, it prints with replacement
    // characters rather than ending the dump.
    std::cout << zorvic::dump::DesignToJson().dump(1, ' ', false, Json::error_handler_t::replace) << "\n";
    zorvic::InstallHost(nullptr);
    return 0;
}
