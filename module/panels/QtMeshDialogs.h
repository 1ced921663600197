#pragma once
// Mesh mode's four dialogs as Qt dialogs, each run modally over the given
// parent window.

#include "mesh/MeshDialogs.h"

class QWidget;

class QtMeshDialogs : public MeshDialogs {
public:
    // `parent` (may be null) must outlive this object.
    explicit QtMeshDialogs(QWidget* parent) : parent_(parent) {}

    std::optional<MeshVertex> NodeCoordinates(const MeshVertex& at) override;
    std::optional<std::pair<int, int>> DivisionCounts() override;
    std::optional<std::vector<std::string>> NodeOrder(const std::vector<std::string>& items) override;
    std::optional<int> AddNodeSpan(const std::vector<int>& spans) override;

private:
    QWidget* parent_;
};
