#pragma once

namespace corv {

// "corvutil stampa FILE": a report file printed through the print engine
// without windows, on the current printer profile or to a PDF file
// (--pdf OUT). It prints the PDF's path when one was written; exit code 0
// printed, 1 nothing printed (unreadable or empty file, printer failure),
// 2 wrong arguments.
int runPrintCommand(int argc, char* argv[]);

} // namespace corv
