#pragma once

#include <QString>
#include <vector>

namespace corv {

// The commands of the command line besides the window, in one table: the
// name that follows "corvutil", how it is written, what it does (for
// "corvutil --help"), and its work, which answers "--help" itself and
// returns the process's exit code.
struct Subcommand {
    const char* name;
    const char* synopsis;
    const char* summary;
    int (*run)(int argc, char* argv[]);
};
const std::vector<Subcommand>& subcommands();
// The command named by the first argument; nullptr when it names none.
const Subcommand* findSubcommand(int argc, char* argv[]);
// The commands as "corvutil --help" lists them.
QString subcommandsHelp();

} // namespace corv
