#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace kelvor {

// The one-line answer to a call the parser could not take (`args` as given): anything not
// understood is named as an option the command does not take, a value that is missing as
// missing after the option before it, and anything else in the parser's own words.
inline std::string ParseFailureText(const CLI::ParseError& e,
                                    const std::vector<std::string>& args) {
    const std::string what = e.what();
    if (dynamic_cast<const CLI::ExtrasError*>(&e) != nullptr) {
        const std::size_t colon = what.rfind(": ");
        return "unknown option " + (colon == std::string::npos ? what : what.substr(colon + 2));
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr && !args.empty()) {
        return "missing value after " + args.back();
    }
    return what;
}

}  // namespace kelvor
