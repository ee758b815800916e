#pragma once

namespace platform {

// Lets pending window events through, as the program does at its few fixed points.
void DoEvents();

}  // namespace platform
