#include "panels/NodeCoordinatesDialog.h"

#include <QLineEdit>
#include <QPushButton>

#include <charconv>
#include <cmath>
#include <string>

#include "mesh/MeshMessages.h"
#include "panels/DialogTemplate.h"

namespace {

constexpr double kCoordinateLimit = 1e9;

// 15 significant digits, as the values are shown for editing.
QString CoordinateText(double value) { return QString::asprintf("%.15g", value); }

// The field as a coordinate: the whole text one decimal number, blanks
// around it allowed. Refuses it (with the reason) otherwise.
bool ReadCoordinate(QLineEdit* field, double& value) {
    const std::string text = field->text().trimmed().toStdString();
    const char* begin = text.data();
    const char* end = begin + text.size();
    const bool plus = begin != end && *begin == '+';
    if (plus) ++begin;  // from_chars takes only a minus
    double read = 0.0;
    const auto [stop, error] = std::from_chars(begin, end, read, std::chars_format::general);
    if (begin == end || stop != end || (plus && begin != end && *begin == '-') ||
        (error != std::errc() && error != std::errc::result_out_of_range)) {
        DialogTemplate::Refuse(field, kMeshNotANumber);
        return false;
    }
    if (error == std::errc::result_out_of_range || !std::isfinite(read) || std::fabs(read) > kCoordinateLimit) {
        DialogTemplate::Refuse(field, kMeshCoordinateRange);
        return false;
    }
    value = read;
    return true;
}

}  // namespace

NodeCoordinatesDialog::NodeCoordinatesDialog(QWidget* parent, const MeshVertex& at)
    : QDialog(parent), coordinates_(at) {
    DialogTemplate t(*this, QStringLiteral("11038"), QStringLiteral("節点座標"), 139, 83);
    t.Label(QStringLiteral("X座標"), 7, 10, 40, 8);
    x = t.Edit(11011, 53, 7, 79, 14);
    t.Label(QStringLiteral("Y座標"), 7, 28, 40, 8);
    y = t.Edit(11009, 53, 25, 79, 14);
    t.Label(QStringLiteral("Z座標"), 7, 46, 40, 8);
    z = t.Edit(11010, 53, 43, 79, 14);
    ok = t.Ok(82, 62);
    x->setText(CoordinateText(at.x));
    y->setText(CoordinateText(at.y));
    z->setText(CoordinateText(at.z));
}

void NodeCoordinatesDialog::accept() {
    MeshVertex read;
    if (!ReadCoordinate(x, read.x) || !ReadCoordinate(y, read.y) || !ReadCoordinate(z, read.z)) return;
    coordinates_ = read;
    QDialog::accept();
}
