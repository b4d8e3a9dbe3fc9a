// What a profile dialog chooses, and how Cancel takes it back: a stiffener dialog's family goes
// in use with the first choice made in it or when it is accepted, never by opening it; Cancel
// puts back the family, table row and built-up values the dialog opened on.
#include "core/project.h"
#include "ui/profiledialog.h"
#include "ui/projecthost.h"

namespace kelvor {

void ProfileDialog::ChooseOnAccept() {
    chooseOnAccept_ = true;
    ShowProperties();
}

void ProfileDialog::TakeFamily() {
    if (family_.kind != DialogKind::Girder) {
        project().StiffProfileType = family_.code;
    }
}

void ProfileDialog::Rebase() {
    *before_ = project();
    if (!closing_) {
        ShowInputs();
        ShowProperties();
    }
}

void ProfileDialog::PutBackOpeningState() {
    Project& p = project();
    const Project& b = *before_;
    if (family_.row != nullptr) {
        p.*family_.row = b.*family_.row;
    }
    for (const InputField& f : family_.fields) {
        p.*f.value = b.*f.value;
    }
    p.FigureToScale = b.FigureToScale;
    if (family_.kind != DialogKind::Girder) {
        // Only the family this dialog put in use goes back; another dialog's choice stands. The
        // girder is set up by the run.
        if (p.StiffProfileType == family_.code) {
            p.StiffProfileType = b.StiffProfileType;
        }
        SetUpProfile();
    }
}

void ProfileDialog::reject() {
    if (closing_) {
        return;
    }
    // Fields left but not yet taken are dropped with the rest.
    closing_ = true;
    pending_.assign(pending_.size(), false);
    PutBackOpeningState();
    host_.Recalculate();
    CloseQuietly();
}

}  // namespace kelvor
