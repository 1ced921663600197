#include "panels/QtMeshDialogs.h"

#include "panels/AddNodeDialog.h"
#include "panels/DivisionCountDialog.h"
#include "panels/NodeCoordinatesDialog.h"
#include "panels/NodeOrderDialog.h"

std::optional<MeshVertex> QtMeshDialogs::NodeCoordinates(const MeshVertex& at) {
    NodeCoordinatesDialog dialog(parent_, at);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Coordinates();
}

std::optional<std::pair<int, int>> QtMeshDialogs::DivisionCounts() {
    DivisionCountDialog dialog(parent_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Counts();
}

std::optional<std::vector<std::string>> QtMeshDialogs::NodeOrder(const std::vector<std::string>& items) {
    NodeOrderDialog dialog(parent_, items);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Order();
}

std::optional<int> QtMeshDialogs::AddNodeSpan(const std::vector<int>& spans) {
    AddNodeDialog dialog(parent_, spans);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.ChosenIndex();
}
