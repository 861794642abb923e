#pragma once

#include <string>
#include <vector>

namespace corv::bench {

// A deterministic mix of codes as an office's customer list holds them:
// valid personal codes, homocodes, valid VAT numbers and broken codes of
// every sort (wrong check character, cut, stray characters, bad dates).
std::vector<std::string> generateCodes(std::size_t count, unsigned seed = 20261206);

} // namespace corv::bench
