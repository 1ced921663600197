#pragma once
// Undo and redo of the editor's changes to the model, where the bound
// library keeps a history: each command's writes form one step under a
// label, and a step is taken back or forth whole. With a library without
// the undo entries every call here does nothing.

#include <optional>
#include <string>

// Whether the bound library keeps a history.
bool UndoSupported();

// The writes from construction to destruction form one step named `label`
// (a step without writes leaves no trace).
class ModelStep {
public:
    explicit ModelStep(const std::string& label);
    ~ModelStep();
    ModelStep(const ModelStep&) = delete;
    ModelStep& operator=(const ModelStep&) = delete;

private:
    bool open_ = false;
};

// Takes the last step back (forth) and restructures the model: the step's
// label, or nothing when there is none (or no history).
std::optional<std::string> UndoModelStep();
std::optional<std::string> RedoModelStep();
