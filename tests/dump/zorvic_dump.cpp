// Prints the design state as JSON after the start-up computation and a second one with the
// overrides of the file named on the command line. Whole-design regression tests compare it.
//
//   zorvic_dump [overrides.json]
//
// Exit code 2: the file cannot be read or holds an override that does not apply.

#include <fstream>
#include <iostream>

#include "DesignFields.h"

int main(int argc, char** argv) {
    using zorvic::dump::Json;
    if (argc > 2) {
        std::cerr << "usage: zorvic_dump [overrides.json]\n";
        return 2;
    }
    Json overrides = Json::object();
    if (argc == 2) {
        std::ifstream file(argv[1]);
        if (!file) {
            std::cerr << "zorvic_dump: cannot open " << argv[1] << "\n";
            return 2;
        }
        overrides = Json::parse(file, nullptr, false);
        if (overrides.is_discarded()) {
            std::cerr << "zorvic_dump: " << argv[1] << " is not valid JSON\n";
            return 2;
        }
    }
    std::string error;
    if (!zorvic::dump::ComputeWithOverrides(overrides, error)) {
        std::cerr << "zorvic_dump: " << error << "\n";
        return 2;
    }
    std::cout << zorvic::dump::DesignToJson().dump(1) << "\n";
    return 0;
}
