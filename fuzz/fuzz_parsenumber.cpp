// ParseNumber on any text, in both decimal settings: a value within single precision or
// TypeMismatch, nothing else; and a text the comma setting takes as a clean number reads the
// same in the point setting.
#include <cmath>
#include <cstdint>
#include <optional>

#include "core/numparse.h"
#include "fuzzsupport.h"

namespace {

std::optional<float> Parsed(std::string_view text, int decimalMode) {
    try {
        const float value = kelvor::ParseNumber(text, decimalMode);
        kelvor::fuzz::Require(std::isfinite(value), "a finite value");
        return value;
    } catch (const kelvor::TypeMismatch&) {
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = kelvor::fuzz::Bytes(data, size);
    const std::optional<float> point = Parsed(text, 0);
    const std::optional<float> comma = Parsed(text, 1);
    if (comma) {
        kelvor::fuzz::Require(point && *point == *comma,
                              "a clean number reads the same in both settings");
    }
    return 0;
}
