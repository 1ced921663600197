#include "QtDialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>

namespace platform {
namespace {

constexpr const char* kHeadlessProperty = "tormelHeadless";

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

void FillMenu(QMenu& menu, const std::vector<MenuItem>& items) {
    for (const auto& item : items) {
        if (item.separator) {
            menu.addSeparator();
        } else if (!item.children.empty()) {
            QMenu* sub = menu.addMenu(Q(item.text));
            sub->setEnabled(item.enabled);
            FillMenu(*sub, item.children);
        } else {
            QAction* action = menu.addAction(Q(item.text));
            action->setData(item.id);
            action->setEnabled(item.enabled);
            action->setCheckable(item.checked);
            action->setChecked(item.checked);
        }
    }
}

}  // namespace

MessageResult QtDialogs::ShowMessage(const std::string& text, MessageButtons buttons,
                                     const std::string& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title.empty() ? QString(" ") : Q(title));
    box.setText(Q(text));
    switch (buttons) {
        case MessageButtons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case MessageButtons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            break;
        case MessageButtons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes: return MessageResult::Yes;
        case QMessageBox::No: return MessageResult::No;
        case QMessageBox::Cancel: return MessageResult::Cancel;
        default: break;
    }
    // The close box of a question answers its negative button.
    if (buttons == MessageButtons::YesNo && box.clickedButton() == nullptr) return MessageResult::No;
    return MessageResult::Ok;
}

int QtDialogs::PopupMenu(const std::vector<MenuItem>& items, int screenX, int screenY) {
    QMenu menu(QApplication::activeWindow());
    FillMenu(menu, items);
    QAction* chosen = menu.exec(QPoint(screenX, screenY));
    return chosen ? chosen->data().toInt() : 0;
}

std::optional<std::string> QtDialogs::OpenFileName(const std::string& title,
                                                   const std::string& initialPath,
                                                   const std::string& filter) {
    QString path = QFileDialog::getOpenFileName(QApplication::activeWindow(), Q(title),
                                                Q(initialPath), Q(filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<std::string> QtDialogs::SaveFileName(const std::string& title,
                                                   const std::string& initialPath,
                                                   const std::string& filter) {
    QString path = QFileDialog::getSaveFileName(QApplication::activeWindow(), Q(title),
                                                Q(initialPath), Q(filter));
    if (path.isEmpty()) return std::nullopt;
    return path.toStdString();
}

std::optional<uint32_t> QtDialogs::ChooseColour(uint32_t initial) {
    QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    QColor colour = QColorDialog::getColor(start, QApplication::activeWindow());
    if (!colour.isValid()) return std::nullopt;
    return static_cast<uint32_t>(colour.red()) | (static_cast<uint32_t>(colour.green()) << 8) |
           (static_cast<uint32_t>(colour.blue()) << 16);
}

void MarkApplicationHeadless() {
    if (qApp) qApp->setProperty(kHeadlessProperty, true);
}

bool IsApplicationHeadless() { return qApp && qApp->property(kHeadlessProperty).toBool(); }

Dialogs& SessionDialogs() {
    static QtDialogs qtDialogs;
    static HeadlessDialogs headless;
    if (IsApplicationHeadless()) return headless;
    return qtDialogs;
}

}  // namespace platform
