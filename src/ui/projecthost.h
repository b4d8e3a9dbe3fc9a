#pragma once

namespace kelvor {

struct Project;
struct Tables;

// What a dialog or the batch window needs of the main window: the one record, the tables, and
// the two things that follow an edit. Dialogs hold no data of their own.
class ProjectHost {
public:
    virtual ~ProjectHost() = default;

    virtual Project& project() = 0;
    virtual const Tables& tables() const = 0;
    // Runs `Calculate`, shows its messages, refreshes the result list, the panel figure and the
    // profile captions.
    virtual void Recalculate() = 0;
    // Rewrites every input field of the main window from the record.
    virtual void RefreshInputFields() = 0;
};

}  // namespace kelvor
