#pragma once

#include <nlohmann/json.hpp>

namespace kelvor {

struct Project;

// The record as one JSON object: every input, derived value and result under its field name.
// Single-precision fields are written as their shortest single-precision text (1.43, not
// 1.4299999475479126), so the numbers read as the user typed them.
nlohmann::ordered_json RecordJson(const Project& p);

// A single-precision number as the record writes it (null when not finite).
nlohmann::ordered_json SingleJson(float v);

}  // namespace kelvor
