#include "FileText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ios>
#include <limits>
#include <random>
#include <system_error>

namespace zorvic {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Checks the invariant decimal form and returns it without a leading "+", ready for
// from_chars, which would otherwise also take "inf", "nan" and hexadecimal digits.
bool DecimalForm(std::string_view line, std::string& form) {
    std::string_view text = Trim(line);
    std::size_t i = 0;
    form.clear();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') form.push_back('-');
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        form.push_back(text[i++]);
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        form.push_back(text[i++]);
        while (i < text.size() && IsDigit(text[i])) {
            form.push_back(text[i++]);
            ++digits;
        }
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        form.push_back('e');
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            if (text[i] == '-') form.push_back('-');
            ++i;
        }
        std::size_t exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i])) {
            form.push_back(text[i++]);
            ++exponentDigits;
        }
        if (exponentDigits == 0) return false;
    }
    return i == text.size();
}

template <typename Float>
bool ParseFloating(std::string_view line, Float& value) {
    std::string form;
    if (!DecimalForm(line, form)) return false;
    const char* const end = form.data() + form.size();
    Float parsed{};
    const auto result = std::from_chars(form.data(), end, parsed);
    if (result.ptr != end) return false;
    if (result.ec == std::errc::result_out_of_range) {
        // Too small for a normal value: it reads as the nearest subnormal or zero, as a value
        // that small was written. Too large is refused.
        double wide = 0;
        const auto widened = std::from_chars(form.data(), end, wide);
        if (widened.ec != std::errc() || !(std::fabs(wide) < 1.0)) return false;
        parsed = static_cast<Float>(wide);
    } else if (result.ec != std::errc()) {
        return false;
    }
    if (!std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

template <typename Integer>
bool ParseInteger(std::string_view line, Integer& value) {
    double parsed = 0;
    if (!ParseFloating(line, parsed)) return false;
    // Rounded half to even, as a whole-number field takes a number with a fraction.
    const double rounded = std::nearbyint(parsed);
    if (rounded < static_cast<double>(std::numeric_limits<Integer>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Integer>::max()))
        return false;
    value = static_cast<Integer>(rounded);
    return true;
}

// True when `text` is well-formed UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        unsigned char low = 0x80;  // bounds of the second byte
        unsigned char high = 0xBF;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (text.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(text[i + k]);
            if (c < (k == 1 ? low : 0x80) || c > (k == 1 ? high : 0xBF)) return false;
        }
        i += length;
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// Windows-1252 in UTF-8. Its bytes 0x80 to 0x9F hold typographic characters; the five it leaves
// free stand for the control characters of the same number, as Windows reads them.
std::string Utf8FromWindows1252(std::string_view text) {
    static constexpr std::array<char16_t, 32> high = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        AppendUtf8(out, byte >= 0x80 && byte <= 0x9F ? high[byte - 0x80] : char32_t{byte});
    }
    return out;
}

// The program keeps its texts in UTF-8; files written by older versions on Windows hold
// Windows-1252, which is rarely valid UTF-8.
std::string TextFromFile(std::string_view text) {
    return IsUtf8(text) ? std::string(text) : Utf8FromWindows1252(text);
}

}  // namespace

std::string TextItem(std::string_view text) {
    // A longer text would make a line the readers refuse, and the file could not be opened
    // again: it is cut, never inside a UTF-8 character.
    constexpr std::size_t longest = MaxFileLineLength - 2;
    if (text.size() > longest) {
        std::size_t cut = longest;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
        text = text.substr(0, cut);
    }
    std::string item = "\"";
    for (char c : text) {
        if (c == '"')
            item.push_back('\'');
        else if (c == '\r' || c == '\n')
            item.push_back(' ');
        else
            item.push_back(c);
    }
    item.push_back('"');
    return item;
}

std::string FlagItem(bool flag) { return flag ? "#TRUE#" : "#FALSE#"; }

std::string NumberItem(int32_t value) { return std::to_string(value); }

std::string NumberItem(float value) {
    // A value that is not finite cannot be read back; it stands for nothing the design uses.
    if (!std::isfinite(value) || value == 0) return "0";
    std::array<char, 48> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value), std::chars_format::scientific);
    const std::string text(buffer.data(), result.ptr);  // shortest round-trip digits, "d.ddde-XX"
    const auto e = text.find('e');
    const int exponent = std::stoi(text.substr(e + 1));
    std::string digits = text.substr(0, 1) + (e > 2 ? text.substr(2, e - 2) : std::string());
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = value < 0 ? "-" : "";
    if (exponent <= -5 || exponent >= 15) {
        out += digits.substr(0, 1);
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += exponent < 0 ? "E-" : "E+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) out += '0';
        return out + std::to_string(magnitude);
    }
    if (exponent < 0) return out + "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) return out + digits + std::string(whole - digits.size(), '0');
    return out + digits.substr(0, whole) + "." + digits.substr(whole);
}

bool ParseTextItem(std::string_view line, std::string& text) {
    std::string_view item = Trim(line);
    if (item.empty() || item.front() != '"') {
        text = TextFromFile(item);
        return true;
    }
    const auto close = item.find('"', 1);
    if (close == std::string_view::npos) return false;
    if (!Trim(item.substr(close + 1)).empty()) return false;
    text = TextFromFile(item.substr(1, close - 1));
    return true;
}

bool ParseFlagItem(std::string_view line, bool& flag) {
    const std::string_view item = Trim(line);
    if (item == "#TRUE#") {
        flag = true;
        return true;
    }
    if (item == "#FALSE#") {
        flag = false;
        return true;
    }
    return false;
}

bool ParseNumberItem(std::string_view line, double& value) { return ParseFloating(line, value); }
bool ParseNumberItem(std::string_view line, float& value) { return ParseFloating(line, value); }
bool ParseNumberItem(std::string_view line, int16_t& value) { return ParseInteger(line, value); }
bool ParseNumberItem(std::string_view line, int32_t& value) { return ParseInteger(line, value); }

bool LineReader::ReadRaw(std::string& line) {
    // A file stream's buffer throws on a read error (a folder opened as a file, a failing
    // disk); the stream's own state never sees it, since the buffer is read directly.
    try {
        return ReadRawUnguarded(line);
    } catch (const std::ios_base::failure&) {
        readFailed_ = true;
        exhausted_ = true;
        line.clear();
        return false;
    }
}

bool LineReader::ReadRawUnguarded(std::string& line) {
    line.clear();
    if (exhausted_) return false;
    std::streambuf* buffer = in_.rdbuf();
    if (buffer == nullptr) {
        exhausted_ = true;
        return false;
    }
    using Traits = std::streambuf::traits_type;
    auto c = buffer->sbumpc();
    if (Traits::eq_int_type(c, Traits::eof())) {
        exhausted_ = true;
        return false;
    }
    for (;;) {
        if (Traits::eq_int_type(c, Traits::eof())) {
            exhausted_ = true;  // a last line without its line end
            return true;
        }
        const char ch = Traits::to_char_type(c);
        if (ch == '\n') return true;
        if (ch == '\r') {
            if (Traits::eq_int_type(buffer->sgetc(), Traits::to_int_type('\n'))) buffer->sbumpc();
            return true;
        }
        if (line.size() >= MaxFileLineLength) {
            tooLong_ = true;
            exhausted_ = true;
            line.clear();
            return false;
        }
        line.push_back(ch);
        c = buffer->sbumpc();
    }
}

bool LineReader::Next(std::string& line) {
    if (pendingBlankLines_ > 0) {
        --pendingBlankLines_;
        line.clear();
        return true;
    }
    if (hasHeldLine_) {
        hasHeldLine_ = false;
        line = std::move(heldLine_);
        return true;
    }
    if (!ReadRaw(line)) return false;
    if (!line.empty()) return true;
    // A blank line counts only when something follows it.
    std::size_t blanks = 1;
    std::string ahead;
    for (;;) {
        if (!ReadRaw(ahead)) return false;
        if (!ahead.empty()) break;
        ++blanks;
    }
    heldLine_ = std::move(ahead);
    hasHeldLine_ = true;
    pendingBlankLines_ = blanks - 1;
    line.clear();
    return true;
}

bool LineReader::AtEnd() {
    if (pendingBlankLines_ > 0 || hasHeldLine_) return false;
    std::string line;
    if (!Next(line)) return true;
    if (line.empty()) {
        ++pendingBlankLines_;
    } else {
        heldLine_ = std::move(line);
        hasHeldLine_ = true;
    }
    return false;
}

namespace {

// The file a save replaces: a symbolic link is followed to the file it names, so that the link
// stays and its file gets the new content. Empty for a loop of links.
std::filesystem::path SaveTarget(std::filesystem::path path) {
    namespace fs = std::filesystem;
    // As many links as the system itself follows before it calls them a loop.
    constexpr int MaxLinks = 40;
    for (int hops = 0; hops < MaxLinks; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
        const fs::path next = fs::read_symlink(path, error);
        if (error) return {};
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return {};
}

// A name beside the target that nothing else is likely to hold; the exclusive creation below
// makes sure of it.
std::string TemporaryName(const std::filesystem::path& target) {
    static std::mt19937_64 draw{
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())};
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(draw()));
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    return (folder / ("." + target.filename().string() + "." + suffix + ".saving")).string();
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// The rename itself reaches the disk with the folder's entry.
void SyncFolder(const std::filesystem::path& target) {
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

}  // namespace

bool WriteLinesReplacing(const std::string& fileName, const std::vector<std::string>& lines) {
    if (fileName.empty()) return false;
    const std::filesystem::path target = SaveTarget(fileName);
    if (target.empty()) return false;
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    // A rename would replace a file the user may not write; one that no one may write is kept
    // as it is on purpose, even from an administrator.
    if (replacing && (::access(target.c_str(), W_OK) != 0 || (existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0))
        return false;

    std::string text;
    for (const auto& line : lines) text.append(line).append("\r\n");
    std::string temporary;
    int fd = -1;
    // Created exclusively and never through a link: the new content goes nowhere else.
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = TemporaryName(target);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool ok = WriteAll(fd, text);
    if (ok && replacing) {
        // The new file takes the owner, group and permissions of the one it replaces, as far as
        // the system lets the user give them (the owner first: a change of owner clears the
        // set-id bits). None of this is a reason to refuse the save.
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0)
            (void)!::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
        (void)::fchmod(fd, existing.st_mode & 07777);
    }
    // Some file systems report a full disk or quota only when the file is synced or closed.
    ok = ok && (::fsync(fd) == 0 || errno == EINVAL);
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(target);
    return true;
}

bool OpenForReading(const std::string& fileName, std::ifstream& file) {
    // Only a regular file is read: opening a named pipe would wait for a writer, and a device
    // would never end. The check follows links as the open does.
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::filesystem::status(fileName, error))) return false;
    file.open(fileName, std::ios::binary);
    return file.is_open();
}

}  // namespace zorvic
