#pragma once

// The two blocks of the result list. Each appends its rows after the last one and keeps
// `ResultRow` equal to the row count.

namespace kelvor {

struct Project;

void WriteBucklingResults(Project& p);
void WriteScantlingYieldResults(Project& p);

}  // namespace kelvor
