#include "model/ModelSteps.h"

#include "model/ModelDbLibrary.h"

namespace {

std::optional<std::string> Take(int (*step)(), const char* (*label)()) {
    if (!UndoSupported()) return std::nullopt;
    // The label names the step before it is taken.
    const char* text = label();
    std::string name = text ? text : "";
    if (step() != 0) return std::nullopt;
    Db().DB_restruct(0);
    return name;
}

}  // namespace

bool UndoSupported() {
    if (!ModelBound()) return false;
    const ModelDbEntries& db = Db();
    return db.teva_step_begin && db.teva_step_end && db.teva_undo && db.teva_redo && db.teva_undo_label &&
           db.teva_redo_label;
}

ModelStep::ModelStep(const std::string& label) {
    open_ = UndoSupported() && Db().teva_step_begin(label.c_str()) == 0;
}

ModelStep::~ModelStep() {
    if (open_ && ModelBound() && Db().teva_step_end) Db().teva_step_end();
}

std::optional<std::string> UndoModelStep() {
    return Take(Db().teva_undo, Db().teva_undo_label);
}

std::optional<std::string> RedoModelStep() {
    return Take(Db().teva_redo, Db().teva_redo_label);
}
