#pragma once

#include <string>

namespace kelvor {

// Palette indices of the status word: the 16-colour basic palette the result list and the
// report colour their values with.
enum StatusColour : int {
    kBlack = 0,
    kGreen = 2,  // RGB(0,128,0): factor at or below 1.0
    kRed = 4,    // RGB(128,0,0): factor above 1.0
};

// Whether a check's line has a row in this run and the colour of its value: settled with the
// numbers, so that a verdict read without the texts agrees with the list the texts make.
struct LineMark {
    bool shown = false;
    int status = kBlack;
};

// What a check leaves for one result. An empty label means the line was not produced in this
// run and gets no row anywhere (unless its formula alone is shown, as a check that did not
// apply writes it).
struct ResultLine {
    std::string label;
    std::string formula;
    std::string value;
    std::string reference;
    int status = kBlack;
    // The line was written in this run: its mark's `shown`, set with the numbers.
    bool shown = false;

    bool Produced() const { return !label.empty(); }
    // Keeps the storage of the texts for the next run's line.
    void Clear() {
        label.clear();
        formula.clear();
        value.clear();
        reference.clear();
        status = kBlack;
        shown = false;
    }
    void Mark(LineMark mark) {
        shown = mark.shown;
        status = mark.status;
    }
};

// Status of a utilisation factor: equality with the limit passes.
inline int StatusOf(double factor) {
    return factor > 1.0 ? kRed : kGreen;
}

// The mark of a factor's line: shown with the factor's colour.
inline LineMark FactorMark(double factor) {
    return {true, StatusOf(factor)};
}
// The mark of a factor's line that is written only for a factor other than 0.
inline LineMark NonZeroFactorMark(double factor) {
    return factor != 0 ? FactorMark(factor) : LineMark{};
}

}  // namespace kelvor
