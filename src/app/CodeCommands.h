#pragma once

namespace corv {

// The command-line tools for codes ("verifica-codici", "componi-codice":
// argv[1]); each returns the process's exit code.
int runCheckCodes(int argc, char* argv[]);
int runComposeCode(int argc, char* argv[]);

} // namespace corv
