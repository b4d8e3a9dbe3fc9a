#include "recordjson.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "core/project.h"
#include "core/recordfields.h"

namespace kelvor {

namespace {

using Json = nlohmann::ordered_json;

double Shortest(float v) {
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::stod(std::string(buf, res.ptr));
}

Json Value(float v) { return std::isfinite(v) ? Json(Shortest(v)) : Json(nullptr); }
Json Value(double v) { return std::isfinite(v) ? Json(v) : Json(nullptr); }
Json Value(int v) { return Json(v); }
Json Value(bool v) { return Json(v); }
Json Value(const std::string& v) { return Json(v); }
Json Value(const OutlinePoints& points) {
    Json a = Json::array();
    for (double v : points) {
        a.push_back(Value(v));
    }
    return a;
}
Json Value(const ResultLine& r) {
    return Json{{"label", r.label},
                {"formula", r.formula},
                {"value", r.value},
                {"reference", r.reference},
                {"status", r.status}};
}

}  // namespace

Json RecordJson(const Project& p) {
    Json j;
    for (const RecordField& f : RecordFields()) {
        if (f.inJson) {
            std::visit([&](auto member) { j[f.name] = Value(p.*member); }, f.member);
        }
    }
    j["CalcFailure"] = p.CalcFailure ? Json(p.CalcFailure->Text()) : Json(nullptr);
    Json messages = Json::array();
    for (const auto& m : p.SpacingMessages) {
        messages.push_back(m.text);
    }
    j["SpacingMessages"] = messages;
    return j;
}

nlohmann::ordered_json SingleJson(float v) { return Value(v); }

}  // namespace kelvor
