// The view container holds the Control and Camera panes of this folder.

#include <gtest/gtest.h>

#include <QApplication>

#include "panels/ControlPane.h"
#include "panels/PlacementPanel.h"
#include "session/ViewContainer.h"
#include "panels/CameraPane.h"
#include "panels/CameraScroller.h"

namespace {

TEST(ContainerPanes, ControlAndCameraPanesWithTheirContents) {
    ViewContainer container(nullptr);
    container.resize(800, 538);
    container.show();
    QApplication::processEvents();
    auto* control = qobject_cast<ControlPane*>(container.ControlPane());
    auto* camera = qobject_cast<CameraPane*>(container.CameraPane());
    ASSERT_NE(control, nullptr);
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(control->objectName(), "ControlPane");
    EXPECT_EQ(camera->objectName(), "CameraPane");
    EXPECT_EQ(control->Content(), control->Panel());
    EXPECT_EQ(control->Content()->objectName(), "GLPlaceView");
    EXPECT_EQ(camera->Content()->objectName(), "GLCameraView");
    EXPECT_EQ(container.Context().placement, control->Panel());
    EXPECT_EQ(container.Context().view, dynamic_cast<EditorViewAccess*>(container.EditorView()));
    // Control above Camera in a 200-pixel column sharing the height.
    EXPECT_EQ(control->geometry(), QRect(0, 0, 200, 269));
    EXPECT_EQ(camera->geometry(), QRect(0, 269, 200, 269));
    EXPECT_EQ(camera->Scroller()->height(), 242);
    EXPECT_TRUE(camera->Scroller()->ScrollBarShown()) << "242 pixels are fewer than the buttons' 250";
}

}  // namespace
