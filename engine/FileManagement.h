#pragma once
// The project file (the design, one value per line under a key line, in a fixed order) and the
// custom core list file. Reading is all or nothing: a file is parsed and checked whole before any
// value reaches the design, and a refused file leaves the design exactly as it was. Writing
// replaces a file only once the new one is complete.

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace zorvic {

enum class [[nodiscard]] FileStatus {
    Done,
    NotReadable,    // the file could not be opened or read; nothing was shown to the user
    NotWritable,    // the file could not be created or written; the previous file is intact
    WrongFormat,    // refused with its message; nothing changed
    EmptyCoreList,  // nothing to save; the user was told, no file was written
};

// Values of a complete project file (the last "value" is the closing "End of Record" key).
inline constexpr int16_t ProjectValueCount = 159;

// Writes the design to Settings.DesignFileName. On success output 5 becomes the template of a
// new output, the design counts as saved and the caption shows the file name.
FileStatus SaveProject();

// The design's name as its file gives it: the file name without its folder and its extension
// ("Default" for "Default.zpj"), or "Zorvic" for a design without a file name.
std::string DesignName(const std::string& designFileName);

// The lines SaveProject writes for the design as it stands (without line ends).
std::vector<std::string> ProjectFileLines();

// Reads a project file into the design; anything but a regular file is not read.
// Settings.DesignFileName becomes the name stored in the file. The caller recomputes the design
// afterwards.
FileStatus LoadProject(const std::string& fileName);
FileStatus LoadProject(std::istream& file);

// True for a value count of 121 to 160 with the version line; otherwise tells the user
// "Wrong File Format" and returns false.
bool CheckProjectFormat(int16_t count, bool versionOk);

// The custom core list, seven lines a core.
std::vector<std::string> CustomCoreListLines();
FileStatus SaveCustomCoreList(const std::string& fileName);
FileStatus LoadCustomCoreList(const std::string& fileName);
FileStatus LoadCustomCoreList(std::istream& file);

}  // namespace zorvic
