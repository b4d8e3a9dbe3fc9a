#pragma once

// The kinds of structure of the end-attachment tabs, which select the rule clauses of the
// scantling checks: watertight bulkhead (3-2-2/7), tank bulkhead (3-2-2/9), upper structure
// (3-2-4/3).

namespace kelvor {

// The name the scantling results carry, by page of the tabs (`CFactorTab`).
constexpr const char* kStructureNames[] = {"  Watertight Bulkhead", "  Tank Bulkhead",
                                           "  Upper Structure"};

// The page itself; a page or end attachment outside the tabs stops the run with a CalcError,
// since every rule below would index past its table.
int CheckedStructure(int tab, int option);

}  // namespace kelvor
