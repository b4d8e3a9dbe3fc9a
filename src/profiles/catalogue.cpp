#include "profiles/catalogue.h"

#include <string>

#include "core/calcerror.h"
#include "core/numformat.h"
#include "core/project.h"
#include "core/tables.h"
#include "profiles/single.h"

namespace kelvor {

namespace {

// Web limits after the local buckling clause of the stiffener (ch 9.9): angles, tees and I
// 1.5 k, bulb flats 0.85 k, flat bars 0.4 k.
constexpr double kAngleTeeWeb = 1.5;
constexpr double kBulbWeb = 0.85;
constexpr double kFlatBarWeb = 0.4;

using Src = DimensionSource;

// clang-format off
constexpr Family kFamilies[kFamilyCount] = {
    // code, prefix, batch code, source, shape, web limit, flange check, polygon outline
    {0, "L ",           "LR", Src::LTable,    Shape::Angle,     kAngleTeeWeb, true,  true},
    {1, "Built-up: L ", "LW", Src::LBuilt,    Shape::Angle,     kAngleTeeWeb, true,  false},
    {2, "T ",           "",   Src::TTable,    Shape::Tee,       kAngleTeeWeb, true,  false},
    {3, "Built-up: T ", "TG", Src::TBuilt,    Shape::Tee,       kAngleTeeWeb, true,  false},
    {4, "Fb ",          "",   Src::FbTable,   Shape::FlatBar,   kFlatBarWeb,  false, false},
    {5, "Fb ",          "FB", Src::FbBuilt,   Shape::FlatBar,   kFlatBarWeb,  false, false},
    {6, "BF ",          "BF", Src::BfTable,   Shape::Bulb,      kBulbWeb,     false, true},
    {7, "RHS ",         "",   Src::RhsBuilt,  Shape::Rhs,       0,            false, false},
    {8, "Trapez ",      "",   Src::TrapBuilt, Shape::Trapezoid, 0,            false, true},
    {9, "I ",           "IG", Src::IBuilt,    Shape::I,         kAngleTeeWeb, true,  false},
};
// clang-format on

const GirderFamily kGirderFamilies[] = {
    {1, "L ", "LG"},
    {3, "T ", "TG"},
};

// clang-format off
constexpr BuiltUpFields kBuiltUp[] = {
    // girder, code, H, B, tw, tf, offset
    {false, 1, &Project::LBuiltH, &Project::LBuiltB, &Project::LBuiltTw, &Project::LBuiltTf, nullptr},
    {false, 3, &Project::TBuiltH, &Project::TBuiltB, &Project::TBuiltTw, &Project::TBuiltTf, nullptr},
    {false, 5, &Project::FbBuiltH, nullptr, &Project::FbBuiltTw, nullptr, nullptr},
    {false, 7, &Project::RhsBuiltH, &Project::RhsBuiltB, &Project::RhsBuiltTw, nullptr, nullptr},
    {false, 8, &Project::TrapBuiltH, &Project::TrapBuiltB, &Project::TrapBuiltTw, nullptr,
     &Project::TrapBuiltOffset},
    {false, 9, &Project::IBuiltH, &Project::IBuiltB, &Project::IBuiltTw, &Project::IBuiltTf, nullptr},
    {true, 1, &Project::GirderLBuiltH, &Project::GirderLBuiltB, &Project::GirderLBuiltTw,
     &Project::GirderLBuiltTf, nullptr},
    {true, 3, &Project::GirderTBuiltH, &Project::GirderTBuiltB, &Project::GirderTBuiltTw,
     &Project::GirderTBuiltTf, nullptr},
};
// clang-format on

// Which table a table family reads and which record field holds its chosen row.
struct TableChoice {
    DimensionSource source;
    const char* name;
    const ProfileTable Tables::*table;
    int Project::*row;
};

const TableChoice kTableChoices[] = {
    {Src::LTable, "L", &Tables::LTable, &Project::LTableRow},
    {Src::TTable, "T", &Tables::TTable, &Project::TTableRow},
    {Src::FbTable, "flat-bar", &Tables::FbTable, &Project::FbTableRow},
    {Src::BfTable, "bulb-flat", &Tables::BfTable, &Project::BfTableRow},
};

const ProfileRow* ChosenRow(const Project& p, const Tables& tables, DimensionSource source) {
    for (const TableChoice& choice : kTableChoices) {
        if (choice.source != source) {
            continue;
        }
        const ProfileTable& table = tables.*choice.table;
        const int row = p.*choice.row;
        if (!table.HasRow(row)) {
            throw CalcError(std::string("the ") + choice.name + " table has no row " +
                            std::to_string(row));
        }
        return &table.rows[static_cast<std::size_t>(row)];
    }
    return nullptr;
}

void ReadBuiltUp(const Project& p, const Family& family, StiffenerDimensions& d) {
    const BuiltUpFields* in = BuiltUpFieldsOf(false, family.code);
    if (in == nullptr) {
        return;
    }
    d.H = p.*in->H;
    d.tw = p.*in->tw;
    if (in->B) {
        d.B = p.*in->B;
    }
    if (in->tf) {
        d.tf = p.*in->tf;
    }
    if (in->offset) {
        d.c = p.*in->offset;
    }
}

// Table columns: L and T: H, B, tw, tf; flat bar: H, tw; bulb flat: H, tw, c, r, A.
void ReadRow(const ProfileRow& row, Shape shape, StiffenerDimensions& d) {
    d.H = row[0];
    if (shape == Shape::FlatBar || shape == Shape::Bulb) {
        d.tw = row[1];
        if (shape == Shape::Bulb) {
            d.c = row[2];
            d.r = row[3];
            d.area = row[4];
        }
        return;
    }
    d.B = row[1];
    d.tw = row[2];
    d.tf = row[3];
}

std::string Dim(float value, const char* pattern, char sep) {
    return Format(value, pattern, sep);
}

}  // namespace

const Family& FamilyOf(int code) {
    if (const Family* f = FindFamily(code)) {
        return *f;
    }
    throw CalcError("unknown stiffener family " + std::to_string(code));
}

const Family* FindFamily(int code) {
    return code >= 0 && code < kFamilyCount ? &kFamilies[code] : nullptr;
}

int FamilyOfBatchCode(const std::string& code) {
    for (const Family& f : kFamilies) {
        if (!code.empty() && code == f.batchCode) {
            return f.code;
        }
    }
    return -1;
}

const GirderFamily& GirderFamilyOf(int code) {
    for (const GirderFamily& g : kGirderFamilies) {
        if (g.code == code) {
            return g;
        }
    }
    throw CalcError("unknown girder family " + std::to_string(code));
}

std::span<const BuiltUpFields> BuiltUpFamilies() {
    return kBuiltUp;
}

const BuiltUpFields* BuiltUpFieldsOf(bool girder, int code) {
    for (const BuiltUpFields& f : kBuiltUp) {
        if (f.girder == girder && f.code == code) {
            return &f;
        }
    }
    return nullptr;
}

int GirderFamilyOfBatchCode(const std::string& code) {
    for (const GirderFamily& g : kGirderFamilies) {
        if (code == g.batchCode) {
            return g.code;
        }
    }
    return -1;
}

StiffenerDimensions ResolveStiffener(const Project& p, const Tables& tables, const Family& family) {
    StiffenerDimensions d;
    d.B = p.StiffB;
    d.tf = p.StiffTf;
    d.c = p.StiffC;
    d.r = p.StiffR;
    if (const ProfileRow* row = ChosenRow(p, tables, family.source)) {
        ReadRow(*row, family.shape, d);
    } else {
        ReadBuiltUp(p, family, d);
    }

    const double H = d.H;
    const double tw = d.tw;
    switch (family.shape) {
        case Shape::Angle:
        case Shape::Tee:
            d.hw = ToSingle(H - d.tf, "web height");
            break;
        case Shape::FlatBar:
            d.hw = d.H;
            break;
        case Shape::Bulb: {
            // The bulb is replaced by the angle of equal height, web and area, whose flange
            // keeps the bulb's width less the rounding at its toe.
            d.B = ToSingle(d.c + tw - 0.45 * d.r, "equivalent flange width of the bulb flat");
            const double outstand = static_cast<double>(d.B) - tw;
            d.tf = ToSingle(Div(d.area - H * tw, outstand,
                                "equivalent angle of the bulb flat: flange width equal to the web "
                                "thickness"),
                            "equivalent flange thickness of the bulb flat");
            d.hw = ToSingle(H - d.tf, "web height");
            break;
        }
        case Shape::Rhs:
            d.tf = d.tw;
            d.hw = ToSingle(H - 2 * tw, "web height");
            break;
        case Shape::Trapezoid:
            d.tf = d.tw;
            d.hw = ToSingle(H - tw, "web height");
            break;
        case Shape::I:
            d.hw = ToSingle(H - 2.0 * d.tf, "web height");
            break;
    }
    return d;
}

std::string StiffenerDesignation(const Family& family, const StiffenerDimensions& d, char sep) {
    // The I profile's tf is described with "0.0" and the others' with "#0.0"; both require the
    // units digit, so they write every value alike.
    const std::string H = Dim(d.H, "00", sep);
    const std::string B = Dim(d.B, "00", sep);
    const std::string tw = Dim(d.tw, "0.0", sep);
    const std::string tf = Dim(d.tf, "#0.0", sep);
    std::string text = family.prefix;
    switch (family.shape) {
        case Shape::Angle:
        case Shape::Tee:
        case Shape::I:
            return text + H + "x" + B + "x" + tw + "x" + tf;
        case Shape::FlatBar:
        case Shape::Bulb:
            return text + H + "x" + tw;
        case Shape::Rhs:
            return text + H + "x" + B + "x" + tw;
        case Shape::Trapezoid:
            if (d.c == 0) {
                return text + H + "x" + B + "x" + tw;
            }
            return text + H + "x" + B + "/" + Dim(d.c, "00", sep) + "x" + tw;
    }
    return text;
}

std::string GirderDesignation(const GirderFamily& family, float H, float B, float tw, float tf,
                              char sep) {
    return std::string(family.prefix) + Dim(H, "00", sep) + "x" + Dim(B, "00", sep) + "x" +
           Dim(tw, "0.0", sep) + "x" + Dim(tf, "#0.0", sep);
}

char DecimalSeparatorOf(const Project& p) {
    return p.DecimalMode == 0 ? '.' : ',';
}

}  // namespace kelvor
