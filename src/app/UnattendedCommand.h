#pragma once

namespace corv {

// "corvutil esegui": console commands run in order, in one session, without
// a display. Returns the exit code: 0 every command ran to its end, 1 one
// failed or found what it looks for, 2 wrong usage, 3 a change was left
// undone for want of --conferma, 4 stopped.
int runUnattendedCommand(int argc, char* argv[]);

} // namespace corv
