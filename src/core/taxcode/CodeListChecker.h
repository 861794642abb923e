#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace corv::taxcode {

// The line the command-line checker prints for one code, fixed-width fields
// each followed by "|": the code (16), its kind (20), the results of
// CheckFiscalCode and CheckVatNumber, the check character or digit the code
// calls for, and for a personal code the birth date (dd/mm/yyyy), sex (M/F)
// and town code it holds. Appends to `out`, without a line end.
void appendCodeLine(std::string_view code, int currentYear, std::string& out);

struct CodeStreamResult {
    long codes = 0;
    bool readFailed = false;  // the input could not be read (a folder, a device error)
    bool writeFailed = false; // the output could not be written (a full disk, a closed pipe)
};

// Checks one code per line of `in` (lines end at LF, CR LF or CR; blank lines
// skipped, blanks around a code ignored, a leading UTF-8 byte-order mark too)
// and writes one line per code to `out`. Streams in large blocks, so a file
// of a million codes takes well under a second.
CodeStreamResult checkCodeStream(std::FILE* in, std::FILE* out, int currentYear);

} // namespace corv::taxcode
