#pragma once

// Section properties of a stiffener profile alone and of a profile with an attached strip of
// plating. Coordinates: z up from the plate surface (the web foot), y across from the web
// centreline towards the flange outstand. mm, mm2, mm4, mm6.

#include "profiles/catalogue.h"

namespace kelvor {

constexpr double kSteelDensity = 7850;  // kg/m3

// The plating that acts with a stiffener or a girder is limited to this share of its span.
constexpr double kBreadthShareOfSpan = 0.33;

// Mass per metre of a steel section of `area` mm2, kg/m.
double MassPerMetre(double area);

struct SectionAlone {
    double As = 0;
    double mass = 0;  // kg/m
    double zc = 0;
    double Iy = 0;
    // Closed sections (RHS, trapezoid) have no lateral or torsion quantities: the torsional
    // check skips them, and the fields below are neither computed nor stored for them.
    bool open = true;
    double Aw = 0;
    float Af = 0;  // single; one flange
    double yc = 0;
    double Iz = 0;
    double u = 0, m = 0;
    float Iyf = 0;  // single
    double gamma = 0, Io = 0;
    float K = 0;  // single
};

// Throws CalcError where a dimension of zero would divide (area, flange width, height).
SectionAlone ProfileAlone(Shape shape, const StiffenerDimensions& d);

// A section of area As, centroid zc above the plate surface, inertia Iy and height H, with a
// strip of plating of breadth b and thickness t. Distances from the plate's mid-plane.
struct PlatedSection {
    double A = 0;
    double zp = 0;    // neutral axis above the plate mid-plane
    double zTop = 0;  // neutral axis below the top of the section
    double I = 0;
};

PlatedSection WithPlate(double As, double zc, double Iy, double H, double t, double b,
                        const char* what);

}  // namespace kelvor
