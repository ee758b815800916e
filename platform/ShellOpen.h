#pragma once
// The shell's open-document call: opens a file or an address with the desktop's default handler.

#include <string>

namespace platform {

// Answers as the desktop shell did: 2 = file not found, 31 = no handler, 42 = opened.
int ShellOpenDocument(const std::string& fileName);

}  // namespace platform
