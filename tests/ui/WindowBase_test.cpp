#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/AppSession.h"

namespace {
RECT WorkArea() {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

bool Contains(const std::vector<std::string>& keys, const char* key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

TEST(WindowBase, AWindowDroppedNearTheLeftEdgeSnapsOntoItAndRemembersWhereItIs) {
    TDistCopy dist("base-snap");
    const RECT work = WorkArea();
    {
        TAppSession app(dist, "Pinger");
        ASSERT_NE(app.WaitForWindow(), nullptr);
        app.DragTo(work.left + 12, work.top + 150);
        EXPECT_EQ(app.Rect().left, work.left);
        EXPECT_EQ(app.Rect().top, work.top + 150);
        app.PressKey('Q', true);
        ASSERT_TRUE(app.WaitForExit());
    }
    EXPECT_EQ(dist.ReadIni("pinger", "window_left"), std::to_string(work.left));
    EXPECT_EQ(dist.ReadIni("pinger", "window_width"), "680");
    {
        TAppSession app(dist, "Pinger");
        ASSERT_NE(app.WaitForWindow(), nullptr);
        EXPECT_EQ(app.Rect().left, work.left);
        EXPECT_EQ(app.Rect().top, work.top + 150);
    }
}

TEST(WindowBase, WithSnappingSwitchedOffAWindowStaysWhereDropped) {
    TDistCopy dist("base-nosnap");
    dist.WriteIni("core", "edge_snap_size", "0");
    const RECT work = WorkArea();
    TAppSession app(dist, "Pinger");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    app.DragTo(work.left + 12, work.top + 150);
    EXPECT_EQ(app.Rect().left, work.left + 12);
}

TEST(WindowBase, AltEnterMaximisesASizeableToolAndIsSwallowedByAFixedOne) {
    TDistCopy dist("base-maximise");
    {
        TAppSession app(dist, "Pinger");
        ASSERT_NE(app.WaitForWindow(), nullptr);
        app.PressKey(VK_RETURN, true);
        EXPECT_TRUE(WaitUntil([&] { return app.Maximized(); }));
        app.PressKey('W', false, true);
        ASSERT_TRUE(app.WaitForExit()) << "Ctrl+W did not close the window";
    }
    EXPECT_EQ(dist.ReadIni("pinger", "window_maxed"), "true");
    {
        TAppSession app(dist, "Pinger");
        ASSERT_NE(app.WaitForWindow(), nullptr);
        EXPECT_TRUE(WaitUntil([&] { return app.Maximized(); }));
    }
    TAppSession fixed(dist, "7");
    ASSERT_NE(fixed.WaitForWindow(), nullptr);
    const RECT before = fixed.Rect();
    fixed.PressKey(VK_RETURN, true);
    EXPECT_FALSE(fixed.Maximized());
    EXPECT_EQ(fixed.Rect().right - fixed.Rect().left, before.right - before.left);
    EXPECT_TRUE(fixed.Running());
}

TEST(WindowBase, StayOnTopComesBackAfterARestart) {
    TDistCopy dist("base-topmost");
    dist.WriteIni("stopwatch", "stay_on_top", "true");
    TAppSession app(dist, "\"Stop Watch\"");
    ASSERT_NE(app.WaitForWindow(), nullptr);
    EXPECT_TRUE(app.ExStyle() & WS_EX_TOPMOST);
}

TEST(WindowBase, FixedToolsStoreNoSizeAndTheEditorHasNoStayOnTop) {
    TDistCopy dist("base-keys");
    const RECT work = WorkArea();
    for (const char* tool : {"7", "-2"}) {
        TAppSession app(dist, tool);
        ASSERT_NE(app.WaitForWindow(), nullptr);
        app.DragTo(work.left + 200, work.top + 200);
        app.PressKey('Q', true);
        ASSERT_TRUE(app.WaitForExit());
    }
    const std::vector<std::string> dateKeys = dist.IniKeys("datecalc");
    EXPECT_TRUE(Contains(dateKeys, "window_left"));
    EXPECT_FALSE(Contains(dateKeys, "window_width"));
    EXPECT_FALSE(Contains(dateKeys, "window_height"));
    EXPECT_FALSE(Contains(dateKeys, "window_maxed"));
    const std::vector<std::string> editorKeys = dist.IniKeys("configeditor");
    EXPECT_TRUE(Contains(editorKeys, "window_top"));
    EXPECT_FALSE(Contains(editorKeys, "stay_on_top"));
    EXPECT_EQ(dist.ReadIni("configeditor", "TotalRunCount"), "1");
}
}  // namespace
