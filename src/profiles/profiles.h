#pragma once

// Profile set-up and section properties of the stiffener and the girder.

namespace kelvor {

struct Project;
struct Tables;

// Resolves the stiffener of a family (0..9) from its table row or built-up inputs, computes the
// properties of the profile alone, and re-applies the stiffener material row.
void SetUpStiffenerProfile(Project& p, const Tables& tables, int family);
// Copies the girder inputs of `GirderProfileType` into the girder in use, names it and computes
// its properties with attached plate.
void SetUpGirderProfile(Project& p);
// The same without the name, for a run's numbers; `DescribeGirder` names it (a girder family
// other than 1 and 3 keeps the name it has).
void GirderWithPlate(Project& p);
void DescribeGirder(Project& p);
// Rule effective breadth `be` of the plating for the bending term of the beam-column check.
void RuleEffectiveBreadth(Project& p);
// Stiffener properties with attached plating, and the local slenderness ratios of web and
// flange.
void StiffenerWithPlate(Project& p);
// The texts of the slenderness checks and the outline of the section figure, from the record
// after `StiffenerWithPlate`.
void DescribeStiffenerWithPlate(Project& p);

}  // namespace kelvor
