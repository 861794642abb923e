#pragma once

#include <array>

namespace corv::demo {

struct Town {
    const char* code; // the cadastral code of the personal fiscal code
    const char* name;
    const char* province;
    const char* cap;
};

// Real towns, the ones the demo's subjects live in first.
constexpr std::array kTowns = {
    Town{"H501", "ROMA", "RM", "00100"},      Town{"F205", "MILANO", "MI", "20100"},   Town{"L219", "TORINO", "TO", "10100"},
    Town{"F839", "NAPOLI", "NA", "80100"},    Town{"A944", "BOLOGNA", "BO", "40100"},  Town{"D612", "FIRENZE", "FI", "50100"},
    Town{"L736", "VENEZIA", "VE", "30100"},   Town{"G273", "PALERMO", "PA", "90100"},  Town{"A662", "BARI", "BA", "70100"},
    Town{"D969", "GENOVA", "GE", "16100"},    Town{"L781", "VERONA", "VR", "37100"},   Town{"G224", "PADOVA", "PD", "35100"},
    Town{"B157", "BRESCIA", "BS", "25100"},   Town{"E506", "LECCE", "LE", "73100"},    Town{"A345", "L'AQUILA", "AQ", "67100"},
    Town{"B418", "CALLIANO", "AT", "14031"},  Town{"B419", "CALLIANO", "TN", "38060"}, Town{"C352", "CATANZARO", "CZ", "88100"},
    Town{"A089", "AGRIGENTO", "AG", "92100"}, Town{"L424", "TRIESTE", "TS", "34100"},
};
// The subjects of the demo live in the first ones.
constexpr std::size_t kSubjectTowns = 14;

// Foreign states: their code in place of a town's, their ISO code.
struct State {
    const char* code;
    const char* name;
    const char* iso;
};
constexpr std::array kStates = {State{"Z110", "FRANCIA", "FR"}, State{"Z112", "GERMANIA", "DE"}, State{"Z131", "SPAGNA", "ES"},
                                State{"Z102", "AUSTRIA", "AT"}, State{"Z133", "SVIZZERA", "CH"}, State{"Z404", "STATI UNITI D'AMERICA", "US"},
                                State{"Z313", "COSTA D'AVORIO", "CI"}};

} // namespace corv::demo
