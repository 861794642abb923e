#pragma once

namespace corv {

// "corvutil confronta": the comparison of the sources run without windows, for
// unattended (nightly) runs. It prints the report's path and returns the exit
// code: 0 the sources agree, 1 differences found, 2 it could not run.
int runCompareCommand(int argc, char* argv[]);

} // namespace corv
