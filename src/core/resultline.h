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

// What a check leaves for one result. An empty label means the line was not produced in this
// run and gets no row anywhere.
struct ResultLine {
    std::string label;
    std::string formula;
    std::string value;
    std::string reference;
    int status = kBlack;

    bool Produced() const { return !label.empty(); }
    // Keeps the storage of the texts for the next run's line.
    void Clear() {
        label.clear();
        formula.clear();
        value.clear();
        reference.clear();
        status = kBlack;
    }
};

// Status of a utilisation factor: equality with the limit passes.
inline int StatusOf(double factor) {
    return factor > 1.0 ? kRed : kGreen;
}

}  // namespace kelvor
