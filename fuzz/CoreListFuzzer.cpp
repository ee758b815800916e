// Feeds arbitrary bytes to the custom core list reader. It must accept or refuse without
// crashing, hanging or leaking; a refusal keeps the list, and an accepted list is plausible and
// saves to a file that loads back the same.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "CustomCores.h"
#include "FileManagement.h"
#include "FuzzDesign.h"
#include "SampleDesigns.h"

namespace {

fuzzing::DesignCopy start;

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
    const std::vector<std::string> before = CustomCoreListLines();

    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    const FileStatus status = LoadCustomCoreList(file);
    if (status != FileStatus::Done) {
        fuzzing::Require(status == FileStatus::WrongFormat, "a refusal is a wrong format");
        fuzzing::Require(CustomCoreListLines() == before, "a refused file keeps the list");
        return 0;
    }
    fuzzing::Require(CustomCoreCount >= 1 && CustomCoreCount <= MaxCustomCores, "the list holds 1 to 300 cores");
    for (int i = 0; i < CustomCoreCount; ++i) {
        const CoreGeometry& core = CustomCoreList[static_cast<std::size_t>(i)];
        fuzzing::Require(core.Series == "Custom", "every core is a custom one");
        fuzzing::Require(core.Lm > 0 && core.Le > 0 && core.Ae > 0 && core.W > 0 && core.Ve > 0,
                         "every dimension is positive");
    }

    const std::vector<std::string> saved = CustomCoreListLines();
    std::string text;
    for (const auto& line : saved) text += line + "\r\n";
    std::istringstream again(text);
    fuzzing::Require(LoadCustomCoreList(again) == FileStatus::Done, "a saved list loads");
    fuzzing::Require(CustomCoreListLines() == saved, "a saved list loads back the same");
    return 0;
}
