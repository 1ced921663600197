// The definition dialog on the edit side, against the grid building with a
// registered slope: what it loads, the checks of 変更 and what it writes,
// the mesh file chosen through 参照, and failures that must change nothing.

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "DefinitionFixture.h"
#include "RecordLayouts.h"
#include "model/ModelEditMessages.h"
#include "model/SlopeMessages.h"
#include "panels/EditSlopePanel.h"
#include "panels/LayerCombo.h"
#include "panels/SlopeDefinitionDialog.h"
#include "toolkit/PushButton.h"

namespace {

using Strings = std::vector<std::string>;

teva::SlopeRecord SlopeRecordOf(int number) {
    unsigned char buffer[teva::SlopeRecord::size] = {};
    teva::putI16(buffer, 0, static_cast<int16_t>(number));
    EXPECT_EQ(DB_get(TEVA_REC_SLOPE, buffer), 0);
    return teva::decodeSlope(buffer);
}

std::string SlopeNameOf(int number) {
    char name[64] = {};
    return DB_Usnam(TEVA_NAME_SLOPE, static_cast<short>(number), name) == 0 ? name : "";
}

std::vector<teva::MeshFileRecord> MeshFiles() {
    std::vector<teva::MeshFileRecord> files;
    for (const auto& r : AllRecords(TEVA_REC_MESH_FILE, TEVA_SIZE_MESH_FILE))
        files.push_back(teva::decodeMeshFile(r.data()));
    return files;
}

bool PutMeshFile(int16_t number, const std::string& path) {
    unsigned char buffer[teva::MeshFileRecord::size] = {};
    return teva::encode(teva::MeshFileRecord{number, path}, buffer) && DB_put(TEVA_REC_MESH_FILE, buffer) == 0;
}

class EditDialog : public DefinitionFixture {
protected:
    void SetUp() override {
        DefinitionFixture::SetUp();
        other = modeldbtest::addSlope(RisingSlope("north"));
        modeldbtest::SlopeSpec spec = RisingSlope("south");
        spec.edges = {"Y2", "X3", "Y3", "X2"};
        spec.bottom = "Y2";
        spec.top = "Y3";
        slope = modeldbtest::addSlope(spec);
        ASSERT_GT(other, 0);
        ASSERT_GT(slope, 0);
        ASSERT_EQ(DB_restruct(0), 0);
    }

    // The dialog on the registered slope `number` (selected as a right-click
    // would select it).
    std::unique_ptr<SlopeDefinitionDialog> Open(int number) {
        shapes.RebuildRegisteredShapes();
        shapes.Select(shapes.FindShapeByNumber(SlopeCode(number)));
        auto dialog = std::make_unique<SlopeDefinitionDialog>(nullptr, shapes, refresh);
        dialog->show();
        return dialog;
    }
    static void Click(toolkit::PushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }
    // Picks a type from the list, as the user does: the panel hears of it.
    static void ChooseType(EditSlopePanel* panel, const QString& text) {
        panel->type->Choose(static_cast<int>(panel->type->Entries().indexOf(text)));
        QApplication::processEvents();
    }

    int other = 0;
    int slope = 0;
};

TEST_F(EditDialog, LoadsTheSlopesLayersTypeAndNameWithTheControlsInPlace) {
    const auto dialog = Open(slope);
    EXPECT_EQ(dialog->size(), QSize(300, 350));
    EditSlopePanel* panel = dialog->EditPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(dialog->Panel(), nullptr);
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_TRUE(panel->Loaded());
    EXPECT_EQ(panel->SlopeNumber(), slope);
    EXPECT_EQ(panel->upper->Text(), "2F");
    EXPECT_EQ(panel->lower->Text(), "1F");
    EXPECT_EQ(panel->type->Entries(), (QStringList{"平面", "擬似ﾒｯｼｭ"}));
    EXPECT_EQ(panel->type->Text(), "平面");
    EXPECT_EQ(panel->name->text(), "south");
    EXPECT_TRUE(panel->browse->isHidden());
    EXPECT_EQ(panel->type->geometry(), QRect(60, 80, 100, 20));
    EXPECT_EQ(panel->browse->geometry(), QRect(200, 80, 80, 20));
    EXPECT_EQ(panel->buttons[0]->geometry(), QRect(110, 270, 80, 30));
    EXPECT_EQ(panel->buttons[1]->geometry(), QRect(205, 270, 80, 30));

    // Escape closes the edit as キャンセル does, writing nothing.
    const SlopeData before = ReadSlopeData();
    panel->name->setText("other");
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(ReadSlopeData(), before);
}

TEST_F(EditDialog, NamesAreCheckedAgainstTheOtherSlopesOnly) {
    const struct {
        QString typed;
        std::string stored;  // empty: refused
    } cases[] = {
        {"south", "south"},
        {QStringLiteral(" sou　th "), "south"},
        {"west", "west"},
        {"north", ""},
        {QStringLiteral(" 　"), ""},
        {QString(64, 'a'), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        ASSERT_EQ(DB_Usren(TEVA_NAME_SLOPE, static_cast<short>(slope), "south"), 0);
        dialogs.shown.clear();
        const auto dialog = Open(slope);
        const SlopeData before = ReadSlopeData();
        dialog->EditPanel()->name->setText(c.typed);
        Click(dialog->EditPanel()->buttons[0]);
        if (c.stored.empty()) {
            EXPECT_EQ(dialogs.Messages().size(), 1u);
            EXPECT_TRUE(dialog->isVisible()) << "a refused name keeps the edit open";
            EXPECT_EQ(dialog->EditPanel()->name->text(), c.typed);
            EXPECT_EQ(ReadSlopeData(), before);
        } else {
            EXPECT_TRUE(dialogs.Messages().empty());
            EXPECT_FALSE(dialog->isVisible());
            EXPECT_EQ(dialog->result(), EditSlopePanel::kClosed);
            EXPECT_EQ(SlopeNameOf(slope), c.stored);
            EXPECT_EQ(SlopeNameOf(other), "north");
        }
    }
    EXPECT_EQ(dialogs.Messages(), Strings{kNameTooLongMessage});
}

TEST_F(EditDialog, TheUpperLayerMustStandAboveTheLower) {
    const std::pair<const char*, const char*> refused[] = {{"1F", "1F"}, {"1F", "2F"}, {"2F", "3F"}};
    const auto dialog = Open(slope);
    EditSlopePanel* panel = dialog->EditPanel();
    const SlopeData before = ReadSlopeData();
    for (const auto& [upper, lower] : refused) {
        SCOPED_TRACE(std::string(upper) + " over " + lower);
        dialogs.shown.clear();
        panel->upper->SetText(upper);
        panel->lower->SetText(lower);
        Click(panel->buttons[0]);
        EXPECT_EQ(dialogs.Messages(), Strings{kInvalidPositionMessage});
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(ReadSlopeData(), before);
    }
    dialogs.shown.clear();
    panel->upper->SetText("3F");
    panel->lower->SetText("2F");
    Click(panel->buttons[0]);
    EXPECT_TRUE(dialogs.Messages().empty());
    const teva::SlopeRecord written = SlopeRecordOf(slope);
    EXPECT_EQ(written.upperStorey, 3);
    EXPECT_EQ(written.lowerStorey, 2);
    // Only the edited fields change.
    teva::SlopeRecord expected = teva::decodeSlope(before.slopes[1].data());
    expected.upperStorey = 3;
    expected.lowerStorey = 2;
    EXPECT_EQ(written, expected);
    EXPECT_EQ(refresh.refreshes, 1);
    EXPECT_EQ(shapes.Selected(), nullptr);
}

TEST_F(EditDialog, ASlopeOnASubLayerKeepsItsSubLayerAndMovesOntoAnother) {
    const int low = modeldbtest::addLevel(1, "M", 0, 1500);
    const int high = modeldbtest::addLevel(1, "H", 0, 4500);
    modeldbtest::SlopeSpec spec = RisingSlope("mid");
    spec.lowerSub = low;
    const int mid = modeldbtest::addSlope(spec);
    ASSERT_GT(mid, 0);
    ASSERT_EQ(DB_restruct(0), 0);
    {
        const auto dialog = Open(mid);
        EXPECT_EQ(dialog->EditPanel()->lower->Text(), "1F - M") << "preselected as storey + 32768 × sub";
        Click(dialog->EditPanel()->buttons[0]);
        EXPECT_TRUE(dialogs.Messages().empty());
    }
    EXPECT_EQ(SlopeRecordOf(mid).lowerStorey, 1);
    EXPECT_EQ(SlopeRecordOf(mid).lowerSub, low) << "the slope must stay on its sub-layer";
    {
        const auto dialog = Open(mid);
        dialog->EditPanel()->upper->SetText("2F - H");
        Click(dialog->EditPanel()->buttons[0]);
        EXPECT_TRUE(dialogs.Messages().empty());
    }
    EXPECT_EQ(SlopeRecordOf(mid).upperStorey, 2);
    EXPECT_EQ(SlopeRecordOf(mid).upperSub, high);
}

TEST_F(EditDialog, AFailedLoadIsReportedAndDisablesChange) {
    // No registered slope selected at all.
    unsigned char key[teva::SlopeRecord::size] = {};
    teva::putI16(key, 0, static_cast<int16_t>(slope));
    ASSERT_EQ(DB_del(TEVA_REC_SLOPE, key), 0);
    ASSERT_EQ(DB_restruct(0), 0);
    shapes.RebuildRegisteredShapes();
    shapes.Select(nullptr);
    {
        SlopeDefinitionDialog dialog(nullptr, shapes, refresh);
        EXPECT_EQ(dialogs.Messages(), Strings{kShapeUnreadableMessage});
        EXPECT_FALSE(dialog.EditPanel()->Loaded());
        EXPECT_TRUE(dialog.EditPanel()->buttons[0]->IsDisabled());
        EXPECT_TRUE(dialog.EditPanel()->browse->isHidden());
    }
    // The record vanished after the outline was read.
    modeldbtest::SlopeSpec spec = RisingSlope("gone");
    const int gone = modeldbtest::addSlope(spec);
    ASSERT_EQ(DB_restruct(0), 0);
    shapes.RebuildRegisteredShapes();
    shapes.Select(shapes.FindShapeByNumber(SlopeCode(gone)));
    teva::putI16(key, 0, static_cast<int16_t>(gone));
    ASSERT_EQ(DB_del(TEVA_REC_SLOPE, key), 0);
    dialogs.shown.clear();
    SlopeDefinitionDialog dialog(nullptr, shapes, refresh);
    EXPECT_EQ(dialogs.Messages(), Strings{kPlacementUnreadableMessage});
    EXPECT_EQ(dialog.EditPanel()->name->text(), "");
    dialog.EditPanel()->Change();
    EXPECT_EQ(SlopeNameOf(gone), "gone");
}

// Failing entries put in place of the library's, to see that a failed read
// or write leaves the model as it was.
short FailingGet(int, void*) { return -3; }
short FailingPut(int, const void*) { return -4; }

TEST_F(EditDialog, AFailedReadOrWriteChangesNothingAndKeepsTheEditOpen) {
    const ModelDbEntries real = Db();
    for (const bool failPut : {false, true}) {
        SCOPED_TRACE(failPut ? "the record write fails" : "the read-back fails");
        dialogs.shown.clear();
        const auto dialog = Open(slope);
        const SlopeData before = ReadSlopeData();
        dialog->EditPanel()->name->setText("renamed");
        dialog->EditPanel()->upper->SetText("3F");
        ModelDbEntries failing = real;
        if (failPut)
            failing.DB_put = &FailingPut;
        else
            failing.DB_get = &FailingGet;
        ModelDbLibrary::Instance().ReplaceEntries(failing);
        Click(dialog->EditPanel()->buttons[0]);
        ModelDbLibrary::Instance().ReplaceEntries(real);
        EXPECT_EQ(dialogs.Messages(), Strings{failPut ? kWriteFailedMessage : kPlacementUnreadableMessage});
        EXPECT_TRUE(dialog->isVisible()) << "the edit must not claim success";
        EXPECT_EQ(ReadSlopeData(), before) << "the name must not change on its own";
        EXPECT_EQ(refresh.refreshes, 0);
    }
}

TEST_F(EditDialog, TheTypeShowsOrHidesBrowseAndDropsTheMeshFile) {
    ASSERT_TRUE(PutMeshFile(4, "/data/a.tmsh"));
    modeldbtest::SlopeSpec spec = RisingSlope("meshed");
    spec.definitionType = 5;
    spec.meshRecord = 4;
    const int meshed = modeldbtest::addSlope(spec);
    ASSERT_EQ(DB_restruct(0), 0);
    const auto dialog = Open(meshed);
    EditSlopePanel* panel = dialog->EditPanel();
    EXPECT_EQ(panel->type->Text(), "擬似ﾒｯｼｭ");
    EXPECT_FALSE(panel->browse->isHidden());
    EXPECT_EQ(panel->ShownMeshPath(), "/data/a.tmsh");

    ChooseType(panel, "平面");
    EXPECT_TRUE(panel->browse->isHidden());
    EXPECT_EQ(panel->Working().meshRecord, 0);
    ChooseType(panel, "擬似ﾒｯｼｭ");
    EXPECT_FALSE(panel->browse->isHidden());
    EXPECT_EQ(panel->Working().definition, 5);
    EXPECT_EQ(panel->ShownMeshPath(), "") << "no file until one is chosen";

    dialogs.fileAnswers.push_back("/data/a.tmsh");
    Click(panel->browse);
    EXPECT_EQ(panel->Working().meshRecord, 4);
    Click(panel->buttons[0]);
    EXPECT_EQ(SlopeRecordOf(meshed).definition, 5);
    EXPECT_EQ(SlopeRecordOf(meshed).meshRecord, 4);

    // Back to a plane: the record loses its file.
    const auto again = Open(meshed);
    ChooseType(again->EditPanel(), "平面");
    Click(again->EditPanel()->buttons[0]);
    EXPECT_EQ(SlopeRecordOf(meshed).definition, 0);
    EXPECT_EQ(SlopeRecordOf(meshed).meshRecord, 0);
}

TEST_F(EditDialog, BrowsingFindsOrAddsTheMeshFileRecord) {
    const auto dialog = Open(slope);
    EditSlopePanel* panel = dialog->EditPanel();
    ChooseType(panel, "擬似ﾒｯｼｭ");
    const std::string tooLong = "/" + std::string(265, 'p');
    const struct {
        std::optional<std::string> chosen;
        int16_t number;  // the working record's file afterwards
        size_t records;
        const char* message;
    } steps[] = {
        {"/data/a.tmsh", 1, 1, nullptr},  // the first in an empty table
        {"/data/a.tmsh", 1, 1, nullptr},  // the same file again: reused
        {std::nullopt, 1, 1, nullptr},    // cancelled: nothing changes
        {"/data/b.tmsh", 2, 2, nullptr},
        {"/data/A.tmsh", 3, 3, nullptr},  // paths compare exactly
        {tooLong, 3, 3, kMeshPathTooLongMessage},
        {"/data/b.tmsh", 2, 3, nullptr},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.chosen.value_or("(cancelled)").substr(0, 20));
        dialogs.shown.clear();
        dialogs.fileAnswers.push_back(s.chosen);
        Click(panel->browse);
        EXPECT_EQ(panel->Working().meshRecord, s.number);
        EXPECT_EQ(MeshFiles().size(), s.records);
        EXPECT_EQ(dialogs.Messages(), s.message ? Strings{s.message} : Strings{});
    }
    EXPECT_EQ(panel->ShownMeshPath(), "/data/b.tmsh");
    // 265 bytes still fit a record.
    dialogs.fileAnswers.push_back(tooLong.substr(1));
    Click(panel->browse);
    EXPECT_EQ(panel->Working().meshRecord, 4);
}

TEST_F(EditDialog, ANewMeshFileTakesTheLowestFreeNumber) {
    ASSERT_TRUE(PutMeshFile(1, "/one.tmsh"));
    ASSERT_TRUE(PutMeshFile(3, "/three.tmsh"));
    ASSERT_TRUE(PutMeshFile(32767, "/last.tmsh"));
    const auto dialog = Open(slope);
    EditSlopePanel* panel = dialog->EditPanel();
    ChooseType(panel, "擬似ﾒｯｼｭ");
    for (const int16_t expected : {2, 4, 5}) {
        dialogs.fileAnswers.push_back("/new" + std::to_string(expected) + ".tmsh");
        Click(panel->browse);
        EXPECT_EQ(panel->Working().meshRecord, expected);
    }
    EXPECT_TRUE(dialogs.Messages().empty());
}

// A mesh-file table holding every number 1 … 32767, each with its own path.
int fullTableNext = 1;
int FullMeshTable(int kind, void* rec) {
    if (kind != TEVA_REC_MESH_FILE) return -1;
    if (!rec) return fullTableNext = 1, 0;
    if (fullTableNext > 32767) return -1;
    const auto number = static_cast<int16_t>(fullTableNext++);
    return teva::encode(teva::MeshFileRecord{number, "/f" + std::to_string(number)}, static_cast<unsigned char*>(rec))
               ? 0
               : -1;
}

TEST_F(EditDialog, AFullMeshFileTableRefusesANewFileButFindsAKnownOne) {
    const auto dialog = Open(slope);
    EditSlopePanel* panel = dialog->EditPanel();
    ChooseType(panel, "擬似ﾒｯｼｭ");
    const ModelDbEntries real = Db();
    ModelDbEntries full = real;
    full.DB_getr = &FullMeshTable;
    ModelDbLibrary::Instance().ReplaceEntries(full);
    dialogs.fileAnswers = {"/f32767", "/new.tmsh"};
    Click(panel->browse);
    EXPECT_EQ(panel->Working().meshRecord, 32767);
    Click(panel->browse);
    ModelDbLibrary::Instance().ReplaceEntries(real);
    EXPECT_EQ(dialogs.Messages(), Strings{kCapacityExceededMessage});
    EXPECT_EQ(panel->Working().meshRecord, 32767) << "a refused file changes nothing";
    EXPECT_TRUE(MeshFiles().empty());
}

}  // namespace
