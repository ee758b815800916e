#pragma once
// The line format shared by the project file and the custom core list file: one item per line,
// texts between double quotes, flags as #TRUE# / #FALSE#, numbers in invariant form with "."
// whatever the locale. Also the bounded line reader and the writer that replaces a file only
// once the new one is complete.

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace zorvic {

// Longest line either file may hold; anything longer is not one of our files.
inline constexpr std::size_t MaxFileLineLength = 4096;

// Items as the files hold them. A text loses what would stop it reading back: a double quote
// becomes an apostrophe, a line break a blank, and what lies past the longest line is cut.
std::string TextItem(std::string_view text);
std::string FlagItem(bool flag);
std::string NumberItem(int32_t value);
// The shortest digits that read back to the same float, with no leading zero before the point
// and an exponent for very small or large magnitudes: ".03", "-.5", "1E-05", "100000".
std::string NumberItem(float value);

// Item readers. Blanks around an item are allowed; anything else that is not the item refuses.
// A text may also stand without quotes (then it is the trimmed line). Texts come back in UTF-8:
// one that is not valid UTF-8 is read as Windows-1252.
bool ParseTextItem(std::string_view line, std::string& text);
bool ParseFlagItem(std::string_view line, bool& flag);
// Plain decimal numbers with an optional sign, point and exponent (".03", "-.5", "1E-05").
// Refused: empty, inf/nan, hexadecimal and out-of-range values.
bool ParseNumberItem(std::string_view line, double& value);
bool ParseNumberItem(std::string_view line, float& value);
// A whole number of the type's range; a fraction rounds half to even first.
bool ParseNumberItem(std::string_view line, int16_t& value);
bool ParseNumberItem(std::string_view line, int32_t& value);

// Reads lines ended by CR LF, LF or CR, never more than MaxFileLineLength characters each.
// Blank lines at the end of the file are not counted as lines.
class LineReader {
public:
    explicit LineReader(std::istream& in) : in_(in) {}
    // The next line; false at the end (or when a line is too long, see LineTooLong).
    bool Next(std::string& line);
    // True when no line is left.
    bool AtEnd();
    bool LineTooLong() const { return tooLong_; }
    // True when the file failed to read (a folder, an I/O error); the lines read so far are
    // not the whole file.
    bool ReadFailed() const { return readFailed_; }

private:
    bool ReadRaw(std::string& line);
    bool ReadRawUnguarded(std::string& line);

    std::istream& in_;
    std::size_t pendingBlankLines_ = 0;  // blank lines read ahead that stand before heldLine_
    std::string heldLine_;
    bool hasHeldLine_ = false;
    bool tooLong_ = false;
    bool readFailed_ = false;
    bool exhausted_ = false;
};

// Writes `lines`, each ended by CR LF, to a new file of its own beside `fileName` and renames it
// over `fileName` only when all was written, so a failed save leaves the previous file as it was
// and removes what it began. Through a symbolic link the file it names is replaced and the link
// stays. A file the user may not write, or that no one may write, is refused and left alone; the
// replaced file's owner, group and permissions carry over to the new one where the system allows.
bool WriteLinesReplacing(const std::string& fileName, const std::vector<std::string>& lines);

// Opens `fileName` for reading when it is a regular file; false for anything else (a named pipe,
// a device, a folder) and for a file that cannot be opened.
bool OpenForReading(const std::string& fileName, std::ifstream& file);

}  // namespace zorvic
