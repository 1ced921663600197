#include "Project.h"

#include "tevalib.h"

#include <cmath>
#include <cstring>

namespace teva {

namespace {

constexpr int kWriteFailed = TEVA_WRITE_FAILED;

bool isNameKind(int kind)
{
    return kind >= 1 && kind <= kNameKinds;
}

} // namespace

std::unique_ptr<Project> Project::open(const std::string& path, std::string& error)
{
    ProjectData data;
    auto file = ProjectFile::open(path, data, error);
    if (!file)
        return nullptr;
    return std::unique_ptr<Project>(new Project(std::move(file), std::move(data)));
}

Project::Project(std::unique_ptr<ProjectFile> file, ProjectData data)
    : file_(std::move(file)), data_(std::move(data))
{
    restructure();
}

void Project::restructure()
{
    topology_ = ModelTopology::build(data_);
}

int Project::getRecord(int kind, void* record) const
{
    const std::size_t size = recordSize(kind);
    if (!record || size == 0)
        return TEVA_BAD_ARGUMENT;
    auto* bytes = static_cast<unsigned char*>(record);
    if (kind == TEVA_REC_PROJECT) {
        std::memcpy(bytes, data_.header.data(), size);
        return TEVA_OK;
    }
    const auto key = recordKey(kind, bytes);
    if (!key)
        return TEVA_BAD_ARGUMENT;
    const RecordBytes* stored = data_.find(kind, *key);
    if (!stored)
        return TEVA_NOT_FOUND;
    std::memcpy(bytes, stored->data(), size);
    return TEVA_OK;
}

int Project::putRecord(int kind, const void* record)
{
    const std::size_t size = recordSize(kind);
    if (!record || size == 0)
        return TEVA_BAD_ARGUMENT;
    const auto* bytes = static_cast<const unsigned char*>(record);
    RecordBytes copy(bytes, bytes + size);
    if (kind == TEVA_REC_PROJECT) {
        // The title is read up to its terminator: a header without one is refused.
        if (!std::memchr(copy.data(), '\0', copy.size()))
            return TEVA_BAD_ARGUMENT;
        if (!file_->putHeader(copy))
            return kWriteFailed;
        data_.header = std::move(copy);
        return TEVA_OK;
    }
    const auto key = recordKey(kind, bytes);
    if (!key || !coordinatesInRange(kind, bytes))
        return TEVA_BAD_ARGUMENT;
    if (!file_->putRecord(kind, *key, copy))
        return kWriteFailed;
    data_.records[kind][*key] = std::move(copy);
    return TEVA_OK;
}

int Project::deleteRecord(int kind, const void* record)
{
    const std::size_t size = recordSize(kind);
    if (!record || size == 0 || kind == TEVA_REC_PROJECT)
        return TEVA_BAD_ARGUMENT;
    const auto key = recordKey(kind, static_cast<const unsigned char*>(record));
    if (!key)
        return TEVA_BAD_ARGUMENT;
    if (!data_.find(kind, *key))
        return TEVA_NOT_FOUND;
    if (!file_->deleteRecord(kind, *key))
        return kWriteFailed;
    data_.records[kind].erase(*key);
    return TEVA_OK;
}

void Project::rewind(int kind)
{
    cursors_[kind].reset();
}

int Project::nextRecord(int kind, void* record)
{
    const std::size_t size = recordSize(kind);
    if (!record || size == 0)
        return TEVA_BAD_ARGUMENT;
    auto& cursor = cursors_[kind];
    if (kind == TEVA_REC_PROJECT) {
        if (cursor)
            return TEVA_END;
        std::memcpy(record, data_.header.data(), size);
        cursor = RecordKey{0, 0};
        return TEVA_OK;
    }
    // Continuing after the last key copied keeps the enumeration right when
    // records are written or deleted between calls.
    const auto table = data_.records.find(kind);
    if (table == data_.records.end())
        return TEVA_END;
    const auto it = cursor ? table->second.upper_bound(*cursor) : table->second.begin();
    if (it == table->second.end())
        return TEVA_END;
    std::memcpy(record, it->second.data(), size);
    cursor = it->first;
    return TEVA_OK;
}

int Project::registerName(int kind, const std::string& text)
{
    if (!isNameKind(kind))
        return -1;
    NameTable& names = data_.names[kind];
    const auto existing = names.byText.find(text);
    if (existing != names.byText.end())
        return existing->second;
    // Storey names are made with their storeys only: a storey k has name k.
    if (kind == TEVA_NAME_STOREY)
        return -1;
    const int number = names.smallestFree();
    if (number < 1 || !file_->insertName(kind, number, text))
        return -1;
    names.insert(number, text);
    return number;
}

int Project::renameName(int kind, int number, const std::string& text)
{
    if (!isNameKind(kind))
        return -1;
    NameTable& names = data_.names[kind];
    if (!names.byNumber.count(number))
        return -1;
    const auto taken = names.byText.find(text);
    if (taken != names.byText.end())
        return taken->second == number ? 0 : -1;
    if (!file_->renameName(kind, number, text))
        return -1;
    names.insert(number, text);
    return 0;
}

int Project::deleteName(int kind, int number)
{
    if (!isNameKind(kind))
        return -1;
    NameTable& names = data_.names[kind];
    if (!names.byNumber.count(number))
        return -1;
    // A storey keeps its name as long as it exists.
    if (kind == TEVA_NAME_STOREY && number <= static_cast<int>(data_.storeyHeights.size()))
        return -1;
    if (!file_->deleteName(kind, number))
        return -1;
    names.erase(number);
    return 0;
}

int Project::beginStep(std::string label)
{
    UndoLog& history = file_->history();
    if (history.stepOpen())
        return TEVA_BAD_ARGUMENT;
    history.openStep(std::move(label));
    return TEVA_OK;
}

int Project::endStep()
{
    UndoLog& history = file_->history();
    if (!history.stepOpen())
        return TEVA_BAD_ARGUMENT;
    history.closeStep();
    return TEVA_OK;
}

int Project::replay(UndoLog::Side side)
{
    UndoLog& history = file_->history();
    // A step is taken back whole: not while one is being made.
    if (history.stepOpen())
        return TEVA_BAD_ARGUMENT;
    if (history.empty(side))
        return TEVA_NOT_FOUND;
    ProjectData replayed;
    if (!file_->replay(side, replayed))
        return kWriteFailed;
    data_ = std::move(replayed);
    return TEVA_OK;
}

int Project::addStorey(const std::string& name, double height, std::string& error)
{
    if (!std::isfinite(height)) {
        error = "the storey height is not a number";
        return -1;
    }
    if (!data_.storeyHeights.empty() && height <= data_.storeyHeights.back()) {
        error = "the storey height must lie above the last storey's";
        return -1;
    }
    const int number = static_cast<int>(data_.storeyHeights.size()) + 1;
    if (number > 32767) {
        error = "too many storeys";
        return -1;
    }
    NameTable& names = data_.names[TEVA_NAME_STOREY];
    if (names.byText.count(name)) {
        error = "a storey named \"" + name + "\" exists already";
        return -1;
    }
    if (names.byNumber.count(number)) {
        error = "the storey name number is taken";
        return -1;
    }
    if (!file_->addStorey(number, name, height)) {
        error = file_->lastError();
        return -1;
    }
    data_.storeyHeights.push_back(height);
    names.insert(number, name);
    restructure();
    return number;
}

} // namespace teva
