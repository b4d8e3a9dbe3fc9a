#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "core/project.h"

namespace kelvor {

// A field of the record by its name, with its type: the one list that the JSON output, the
// test tables and the property tests walk, so that a field added to the record is added once.
using OutlinePoints = std::array<double, 81>;
using FieldMember =
    std::variant<float Project::*, double Project::*, int Project::*, bool Project::*,
                 std::string Project::*, ResultLine Project::*, OutlinePoints Project::*>;

struct RecordField {
    const char* name;
    FieldMember member;
    bool inJson;  // part of the record as `kelvor-cli calc --json` prints it
};

// Every named field of the record: the JSON record's in its order (inputs first, then profile,
// derived values and results), then the built-up inputs and folders that it leaves out.
std::span<const RecordField> RecordFields();

// The field of that name, or nullptr.
const RecordField* FindRecordField(std::string_view name);

}  // namespace kelvor
