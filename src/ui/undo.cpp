#include "ui/undo.h"

#include <QAction>
#include <QUndoStack>
#include <variant>

namespace kelvor {

namespace {

using Member = std::variant<std::string Project::*, int Project::*, bool Project::*,
                            float Project::*, double Project::*>;

struct Input {
    const char* what;  // the name of a step that changes it
    Member member;
};

// Every input of the window and the dialogs, the selector before what it sets (the loading
// condition before F.S. and n, the material row before its strengths), so that a step is named
// after what the user touched. The stiffener and girder in use are resolved from the family
// and its table row or built-up values; their dimensions and designations are kept with them.
// clang-format off
const Input kInputs[] = {
    {"project name", &Project::ProjectName},
    {"identification", &Project::Identification},
    {"analysis mode", &Project::AnalysisMode},
    {"loading condition", &Project::LoadingCondition},
    {"kind of structure", &Project::CFactorTab},
    {"end attachment", &Project::CFactorOption},
    {"deformation", &Project::IncludeDeformation},
    {"plate material", &Project::PlateMaterialIndex},
    {"stiffener material", &Project::StiffMaterialIndex},
    {"F.S.", &Project::FS}, {"utilization factor", &Project::UFallow},
    {"Fyp", &Project::Fyp}, {"Fup", &Project::Fup}, {"Fys", &Project::Fys},
    {"Fus", &Project::Fus}, {"E", &Project::E},
    {"L1", &Project::L1}, {"L2", &Project::L2}, {"Lg", &Project::Lg}, {"t", &Project::t},
    {"s1", &Project::s1}, {"s2", &Project::s2}, {"Lgs", &Project::Lgs}, {"Lt", &Project::Lt},
    {"UL", &Project::UnitLength},
    {"SigxA", &Project::SigxA}, {"SigxB", &Project::SigxB}, {"SigyA", &Project::SigyA},
    {"SigyC", &Project::SigyC}, {"Tau", &Project::Tau}, {"p", &Project::p},
    {"ps", &Project::ps},
    {"stiffener profile", &Project::StiffProfileType},
    {"stiffener profile", &Project::BfTableRow}, {"stiffener profile", &Project::LTableRow},
    {"stiffener profile", &Project::TTableRow}, {"stiffener profile", &Project::FbTableRow},
    {"stiffener profile", &Project::LBuiltH}, {"stiffener profile", &Project::LBuiltB},
    {"stiffener profile", &Project::LBuiltTw}, {"stiffener profile", &Project::LBuiltTf},
    {"stiffener profile", &Project::TBuiltH}, {"stiffener profile", &Project::TBuiltB},
    {"stiffener profile", &Project::TBuiltTw}, {"stiffener profile", &Project::TBuiltTf},
    {"stiffener profile", &Project::FbBuiltH}, {"stiffener profile", &Project::FbBuiltTw},
    {"stiffener profile", &Project::RhsBuiltH}, {"stiffener profile", &Project::RhsBuiltB},
    {"stiffener profile", &Project::RhsBuiltTw},
    {"stiffener profile", &Project::TrapBuiltH}, {"stiffener profile", &Project::TrapBuiltB},
    {"stiffener profile", &Project::TrapBuiltTw},
    {"stiffener profile", &Project::TrapBuiltOffset},
    {"stiffener profile", &Project::IBuiltH}, {"stiffener profile", &Project::IBuiltB},
    {"stiffener profile", &Project::IBuiltTw}, {"stiffener profile", &Project::IBuiltTf},
    {"stiffener profile", &Project::StiffH}, {"stiffener profile", &Project::StiffB},
    {"stiffener profile", &Project::StiffTw}, {"stiffener profile", &Project::StiffTf},
    {"stiffener profile", &Project::StiffHw}, {"stiffener profile", &Project::StiffC},
    {"stiffener profile", &Project::StiffR}, {"stiffener profile", &Project::StiffArea},
    {"stiffener profile", &Project::StiffDesignation},
    {"girder profile", &Project::GirderProfileType},
    {"girder profile", &Project::GirderLBuiltH}, {"girder profile", &Project::GirderLBuiltB},
    {"girder profile", &Project::GirderLBuiltTw}, {"girder profile", &Project::GirderLBuiltTf},
    {"girder profile", &Project::GirderTBuiltH}, {"girder profile", &Project::GirderTBuiltB},
    {"girder profile", &Project::GirderTBuiltTw}, {"girder profile", &Project::GirderTBuiltTf},
    {"girder profile", &Project::GirderH}, {"girder profile", &Project::GirderB},
    {"girder profile", &Project::GirderTw}, {"girder profile", &Project::GirderTf},
    {"girder profile", &Project::GirderDesignation},
};
// clang-format on

bool Same(const Input& input, const Project& a, const Project& b) {
    return std::visit([&](auto member) { return a.*member == b.*member; }, input.member);
}

}  // namespace

bool SameInputs(const Project& a, const Project& b) {
    for (const Input& input : kInputs) {
        if (!Same(input, a, b)) {
            return false;
        }
    }
    return true;
}

QString ChangedInput(const Project& before, const Project& after) {
    for (const Input& input : kInputs) {
        if (!Same(input, before, after)) {
            return QString::fromUtf8(input.what);
        }
    }
    return {};
}

Project InputSnapshot(const Project& p) {
    Project s = p;
    static_cast<CheckResults&>(s) = CheckResults{};
    s.SpacingMessages.clear();
    s.CalcFailure.reset();
    s.Result = ResultList{};
    s.ResultRow = 0;
    return s;
}

void PutBackInputs(Project& p, const Project& snapshot) {
    // What belongs to the session or the view rather than the panel stays as it is now: a
    // step taken before a Save As must not take the file's name back with it.
    Project kept = snapshot;
    static_cast<ProjectSession&>(kept) = static_cast<const ProjectSession&>(p);
    p = std::move(kept);
}

// One step: the inputs before and after. Pushed after the change was made, so its first redo
// has nothing to do.
class ProjectStep : public QUndoCommand {
public:
    ProjectStep(UndoHistory& history, Project before, Project after, const QString& what)
        : QUndoCommand(what),
          history_(history),
          before_(std::move(before)),
          after_(std::move(after)) {}
    void undo() override { history_.GoTo(before_); }
    void redo() override {
        if (done_) {
            history_.GoTo(after_);
        }
        done_ = true;
    }

private:
    UndoHistory& history_;
    Project before_;
    Project after_;
    bool done_ = false;
};

UndoHistory::UndoHistory(std::function<void(const Project&)> restore, QObject* parent)
    : QObject(parent),
      stack_(new QUndoStack(this)),
      restore_(std::move(restore)),
      base_(std::make_unique<Project>()) {
    // Each step holds two records of a few kilobytes; far more steps than anyone takes back.
    stack_->setUndoLimit(500);
}

UndoHistory::~UndoHistory() = default;

void UndoHistory::Reset(const Project& p) {
    stack_->clear();
    *base_ = InputSnapshot(p);
}

bool UndoHistory::Record(const Project& p, const QString& what) {
    if (SameInputs(*base_, p)) {
        return false;
    }
    Project after = InputSnapshot(p);
    const QString name = what.isEmpty() ? ChangedInput(*base_, after) : what;
    auto* step = new ProjectStep(*this, std::move(*base_), after, name);
    *base_ = std::move(after);
    stack_->push(step);
    return true;
}

void UndoHistory::Undo() {
    stack_->undo();
}

void UndoHistory::Redo() {
    stack_->redo();
}

void UndoHistory::GoTo(const Project& inputs) {
    *base_ = inputs;
    restore_(inputs);
}

void UndoHistory::Follow(QAction* undo, QAction* redo) {
    const auto follow = [](QAction* action, const QString& verb, bool can, const QString& what) {
        action->setEnabled(can);
        action->setText(what.isEmpty() ? verb : verb + QLatin1Char(' ') + what);
    };
    const QString undoVerb = undo->text(), redoVerb = redo->text();
    const auto update = [=, this] {
        follow(undo, undoVerb, stack_->canUndo(), stack_->undoText());
        follow(redo, redoVerb, stack_->canRedo(), stack_->redoText());
    };
    connect(stack_, &QUndoStack::indexChanged, this, update);
    connect(stack_, &QUndoStack::canUndoChanged, this, update);
    connect(stack_, &QUndoStack::canRedoChanged, this, update);
    update();
}

}  // namespace kelvor
