// The open project: its file, the in-memory copy of its contents and the
// derived model. Writes go to the file first and change the copy only once
// committed.
#pragma once

#include "ModelTopology.h"
#include "ProjectData.h"
#include "ProjectFile.h"

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace teva {

class Project {
public:
    // Opens and checks the file (ProjectFile::open) and derives the model;
    // null with `error` set when refused.
    static std::unique_ptr<Project> open(const std::string& path, std::string& error);

    const ProjectData& data() const { return data_; }
    const ModelTopology& topology() const { return topology_; }
    ProjectFile& file() { return *file_; }

    // Derives the model again from the records.
    void restructure();

    // Record entries; results as DB_get / DB_put / DB_del / DB_getr.
    int getRecord(int kind, void* record) const;
    int putRecord(int kind, const void* record);
    int deleteRecord(int kind, const void* record);
    void rewind(int kind);
    int nextRecord(int kind, void* record);

    // Name entries; results as DB_Usno / DB_Usren / DB_Usdel.
    int registerName(int kind, const std::string& text);
    int renameName(int kind, int number, const std::string& text);
    int deleteName(int kind, int number);

    // Undo history (results as teva_step_begin, teva_step_end, teva_undo,
    // teva_redo). Undo and redo change the copy but not the derived model:
    // the caller restructures, as after any write.
    int beginStep(std::string label);
    int endStep();
    int replay(UndoLog::Side side);
    const std::string& stepLabel(UndoLog::Side side) const { return file_->history().label(side); }
    const std::string& lastWriteError() const { return file_->lastError(); }

    // Appends storey K + 1 named `name` at `height`: its number, or -1 with
    // `error` set.
    int addStorey(const std::string& name, double height, std::string& error);

private:
    Project(std::unique_ptr<ProjectFile> file, ProjectData data);

    std::unique_ptr<ProjectFile> file_;
    ProjectData data_;
    ModelTopology topology_;
    // Per kind: the key of the record DB_getr copied last (none after a rewind).
    std::map<int, std::optional<RecordKey>> cursors_;
};

} // namespace teva
