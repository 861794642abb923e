#pragma once

namespace corv {

// The command-line tools for lists of codes. Each returns the process's exit
// code; -1 when the arguments name no such tool.
int runCodeCommand(int argc, char* argv[]);

} // namespace corv
