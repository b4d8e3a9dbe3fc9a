#pragma once

// The result texts of the checks, written from their results: formula texts in the run's
// numbers, labels and clauses. Only a run whose texts are shown (a view, the report, calc, a
// file) writes them; a line the result marks unshown is left empty. Each writes its lines in
// place, keeping their storage.

#include "checks/checks.h"

namespace kelvor {

struct Project;
struct ResultLine;

void DescribePlateBuckling(Project& p, const PlateBucklingResult& r);
void DescribeStiffenerBuckling(Project& p, const StiffenerBucklingResult& r);
void DescribeOverallBuckling(const Project& p, const OverallBucklingResult& r, ResultLine& line);
void DescribePlateYield(Project& p, const PlateYieldResult& r);
void DescribeStiffenerYield(Project& p, const StiffenerYieldResult& r);
void DescribeStiffenerStiffness(const Project& p, const StiffnessResult& r, ResultLine& line);
void DescribePlateScantling(Project& p, const PlateScantlingResult& r);
void DescribeStiffenerModulus(Project& p, const StiffenerModulusResult& r);
void DescribeGirderScantling(Project& p, const GirderScantlingResult& r);
// The c-factor label of the end-attachment page, from the c and cg in the record.
void DescribeCFactor(Project& p);

}  // namespace kelvor
