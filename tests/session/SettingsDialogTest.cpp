// The environment settings dialog: what its edits show, what 適用 writes
// and what ｷｬﾝｾﾙ leaves alone.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "ProfileFile.h"
#include "ScriptedDialogs.h"
#include "TempDir.h"
#include "panels/EditorViewLink.h"
#include "settings/DisplaySettingsFile.h"
#include "panels/EnvironmentSettingsDialog.h"
#include "panels/EnvironmentSettingsPanel.h"
#include "toolkit/DropDownBox.h"
#include "toolkit/NumericEdit.h"
#include "toolkit/PushButton.h"

namespace {

using testing_support::TempDir;

// A stand-in for the editor view: records reloads.
class FakeView : public EditorViewLink {
public:
    InteractionMode Mode() const override { return InteractionMode::Slope; }
    bool HasSelectedSlope() const override { return false; }
    void EnterMeshMode() override {}
    void LeaveMeshMode() override {}
    ViewPreferences Preferences() const override { return preferences; }
    const DisplaySettings& Settings() const override { return settings; }
    void ReloadDisplaySettings() override { ++reloads; }
    ViewPreferences preferences;
    DisplaySettings settings;
    int reloads = 0;
};

struct Fixture {
    Fixture() : path(dir.File("Vorna3D.ini")), dialog(nullptr, &view, path) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QApplication::processEvents();
    }
    EnvironmentSettingsPanel* Panel() { return dialog.Panel(); }
    void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        QApplication::processEvents();
        edit->setText(text);
        Panel()->nodeSize->setFocus();  // the focus moves on
        if (edit == Panel()->nodeSize) Panel()->ridgeWidth->setFocus();
        QApplication::processEvents();
    }
    void Press(toolkit::PushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
        QApplication::processEvents();
    }
    TempDir dir;
    std::string path;
    FakeView view;
    EnvironmentSettingsDialog dialog;
};

TEST(SettingsDialog, TitleAndSize) {
    Fixture f;
    EXPECT_EQ(f.dialog.windowTitle(), "環境設定");
    EXPECT_EQ(f.dialog.size(), QSize(510, 380));
    EXPECT_EQ(f.Panel()->buttons[1]->pos(), QPoint(400, 325));
    EXPECT_EQ(f.Panel()->nodeSize->geometry(), QRect(55, 30, 60, 15));
}

struct EditCase {
    const char* name;
    int which;  // 0 perspective, 1 ridge width, 2 grid count x
    const char* typed;
    const char* shown;
};

class SettingsDialogEdits : public ::testing::TestWithParam<EditCase> {};

TEST_P(SettingsDialogEdits, ShowNormalisedText) {
    const EditCase& c = GetParam();
    Fixture f;
    QLineEdit* edits[] = {f.Panel()->perspectiveAngle, f.Panel()->ridgeWidth, f.Panel()->gridCount[0]};
    f.Type(edits[c.which], QString::fromUtf8(c.typed));
    EXPECT_EQ(edits[c.which]->text().toStdString(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsDialogEdits,
                         ::testing::Values(EditCase{"Perspective250", 0, "250", "199.9"},
                                           EditCase{"Perspective0", 0, "0", "0.1"},
                                           EditCase{"RidgeWidth", 1, "12.34", "12.3"},
                                           EditCase{"GridCount", 2, "7.9", "7"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsDialog, DefaultsThenCancelWritesNothing) {
    Fixture f;
    f.Press(f.Panel()->buttons[0]);
    EXPECT_EQ(f.Panel()->perspectiveAngle->text(), "40.0");
    f.Press(f.Panel()->buttons[2]);
    EXPECT_EQ(f.dialog.result(), 2);
    EXPECT_FALSE(testing_support::FileExists(f.path));
    EXPECT_EQ(f.view.reloads, 0);
}

TEST(SettingsDialog, DefaultsThenApplyWritesTheDefaultsWithRePos1) {
    Fixture f;
    f.view.preferences.inheritCameraPosition = false;
    f.Panel()->nodeSize->setText("7");
    f.Press(f.Panel()->buttons[0]);
    f.Press(f.Panel()->buttons[1]);
    EXPECT_EQ(f.dialog.result(), 1);
    EXPECT_EQ(f.view.reloads, 1);
    auto read = [&](const char* section, const char* key) {
        return platform::ReadProfileString(f.path, section, key, "NULL");
    };
    EXPECT_EQ(read("init", "NodeWidth"), "100");
    EXPECT_EQ(read("init", "LineWidth"), "1.0");
    EXPECT_EQ(read("init", "LineType"), "0");
    EXPECT_EQ(read("Glid", "GlidSpsWidth"), "1000.0");
    EXPECT_EQ(read("Glid", "GlidSpsX"), "10");
    EXPECT_EQ(read("Color", "NODECOLOR"), "13132880");
    EXPECT_EQ(read("Color", "LINECOLOR"), "13421772");
    EXPECT_EQ(read("Color", "BGACOLOR"), "0");
    EXPECT_EQ(read("Color", "TEXTCOLOR"), "16777215");
    EXPECT_EQ(read("Camera", "RePos"), "1");
    EXPECT_EQ(read("Camera", "PSPTV"), "40.0");
}

// A save that fails says why and keeps the dialog open with the edits; the
// view is not told to reload.
TEST(SettingsDialog, FailedSaveIsReportedAndTheDialogStaysOpen) {
    TempDir dir;
    FakeView view;
    const std::string path = dir.File("no-such-folder/Vorna3D.ini");
    EnvironmentSettingsDialog dialog(nullptr, &view, path);
    platform::ScriptedDialogs dialogs;
    platform::ScopedDialogs scope(dialogs);
    dialog.Panel()->nodeSize->setText("7");
    dialog.Panel()->ApplySettings();
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_NE(dialogs.Messages()[0].find("no-such-folder"), std::string::npos) << dialogs.Messages()[0];
    EXPECT_EQ(dialog.result(), 0) << "still open";
    EXPECT_EQ(dialog.Panel()->nodeSize->text(), "7");
    EXPECT_EQ(view.reloads, 0);
    EXPECT_FALSE(testing_support::FileExists(path));
}

struct KeyCase {
    const char* name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool inEdit;       // pressed with the node size edit focused
    bool stillOpen;
    int result;        // when closed
};

class SettingsDialogKeys : public ::testing::TestWithParam<KeyCase> {};

// Enter outside an edit ends the dialog as its OK (result 1), Escape as its
// cancel (result 2); neither writes nor reloads. Enter in an edit moves on.
TEST_P(SettingsDialogKeys, CloseOrMoveOnWithoutApplying) {
    const KeyCase& c = GetParam();
    Fixture f;
    f.Panel()->nodeSize->setFocus();
    QApplication::processEvents();
    f.Panel()->nodeSize->setText("7");
    if (!c.inEdit) {
        f.Panel()->nodeSize->clearFocus();
        QApplication::processEvents();
    }
    QWidget* target = c.inEdit ? static_cast<QWidget*>(f.Panel()->nodeSize) : &f.dialog;
    QTest::keyClick(target, c.key, c.modifiers);
    QApplication::processEvents();
    EXPECT_EQ(f.dialog.isVisible(), c.stillOpen);
    if (c.stillOpen) {
        EXPECT_EQ(f.Panel()->nodeSize->text(), "7");
        EXPECT_FALSE(f.Panel()->nodeSize->hasFocus()) << "the focus moved on";
    } else {
        EXPECT_EQ(f.dialog.result(), c.result);
    }
    EXPECT_FALSE(testing_support::FileExists(f.path));
    EXPECT_EQ(f.view.reloads, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsDialogKeys,
    ::testing::Values(KeyCase{"Return", Qt::Key_Return, Qt::NoModifier, false, false, 1},
                      KeyCase{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, false, false, 1},
                      KeyCase{"Escape", Qt::Key_Escape, Qt::NoModifier, false, false, 2},
                      KeyCase{"ShiftReturnIsNotEnter", Qt::Key_Return, Qt::ShiftModifier, false, true, 0},
                      KeyCase{"ReturnInAnEdit", Qt::Key_Return, Qt::NoModifier, true, true, 0},
                      KeyCase{"KeypadEnterInAnEdit", Qt::Key_Enter, Qt::KeypadModifier, true, true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsDialog, UnknownLineTypeShowsAnEmptyList) {
    TempDir dir;
    const std::string path = dir.File("Vorna3D.ini");
    ASSERT_TRUE(platform::WriteProfileString(path, "Glid", "GlidType", "5"));
    EnvironmentSettingsDialog dialog(nullptr, nullptr, path);
    EXPECT_EQ(dialog.Panel()->gridType->Text(), "");
    EXPECT_EQ(dialog.Panel()->ridgeType->Text(), "ｿﾘｯﾄﾞ");
    EXPECT_EQ(dialog.Panel()->gridType->Entries().size(), 3);
    // Applying without a choice writes the empty text the list shows.
    dialog.Panel()->ApplySettings();
    EXPECT_EQ(platform::ReadProfileString(path, "Glid", "GlidType", "NULL"), "");
    EXPECT_EQ(platform::ReadProfileString(path, "init", "LineType", "NULL"), "0");
}

}  // namespace
