// Feeds arbitrary bytes to the project file reader. It must accept or refuse without crashing,
// hanging or leaking; a refusal leaves the design as it was, and an accepted design saves to a
// file that loads back to the same file.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "FileManagement.h"
#include "FuzzDesign.h"
#include "SampleDesigns.h"

namespace {

fuzzing::DesignCopy start;

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    sample_designs::DefaultDesign();
    sample_designs::ListOneCustomCore();
    start.Take();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace zorvic;
    start.Restore();
    const std::vector<std::string> before = ProjectFileLines();

    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    const FileStatus status = LoadProject(file);
    if (status != FileStatus::Done) {
        fuzzing::Require(status == FileStatus::WrongFormat, "a refusal is a wrong format");
        fuzzing::Require(ProjectFileLines() == before, "a refused file changes nothing");
        fuzzing::Require(CustomCoreCount == start.customCount, "a refused file leaves the core list");
        return 0;
    }
    fuzzing::Require(Settings.DesignSaved, "a loaded design counts as saved");
    fuzzing::Require(Settings.AdditionalOutputs >= 0 && Settings.AdditionalOutputs < OutputCount,
                     "the output count is in range");
    fuzzing::Require(CustomCoreCount <= 300, "the core list never grows past 300");

    const std::vector<std::string> saved = ProjectFileLines();
    std::istringstream again(Join(saved));
    fuzzing::Require(LoadProject(again) == FileStatus::Done, "a saved design loads");
    fuzzing::Require(ProjectFileLines() == saved, "a saved design loads back the same");
    return 0;
}
