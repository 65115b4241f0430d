#include <gtest/gtest.h>

#include "tests/ui/AppSession.h"

namespace {
TEST(WindowBase, ASnappedOrMaximisedWindowComesBackAsItWasUnlessSnapIsSwitchedOff) {
    TDistCopy dist("base-snap"), noSnap("base-nosnap");
    noSnap.WriteIni("core", "edge_snap_size", "0");
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    {
        TAppSession app(dist, "Pinger"), unsnapped(noSnap, "Pinger");
        app.DragTo(work.left + 12, work.top + 150);
        unsnapped.DragTo(work.left + 12, work.top + 150);
        EXPECT_EQ(WindowRect(unsnapped.Window()).left, work.left + 12);
        ASSERT_TRUE(app.QuitWithAltQ());
    }
    EXPECT_EQ(dist.ReadIni("pinger", "window_left"), std::to_string(work.left));
    EXPECT_EQ(dist.ReadIni("pinger", "window_width"), "680");
    {
        TAppSession app(dist, "Pinger");
        EXPECT_EQ(WindowRect(app.Window()).left, work.left);
        EXPECT_EQ(WindowRect(app.Window()).top, work.top + 150);
        for (const LONG style : {WS_THICKFRAME, WS_MAXIMIZEBOX})
            EXPECT_TRUE(GetWindowLongA(app.Window(), GWL_STYLE) & style);
        app.PressKey(VK_RETURN, true);
        EXPECT_TRUE(WaitUntil([&] { return IsZoomed(app.Window()); }));
        app.TypeKey('W', VK_CONTROL);
        ASSERT_TRUE(app.WaitForExit()) << "Ctrl+W did not close the window";
    }
    EXPECT_EQ(dist.ReadIni("pinger", "window_maxed"), "true");
    const TAppSession app(dist, "Pinger");
    EXPECT_TRUE(WaitUntil([&] { return IsZoomed(app.Window()); }));
}

// Tools without both default sizes have a fixed border and swallow Alt+Enter.
TEST(WindowBase, FixedToolsStoreNoSizeTheEditorHasNoStayOnTopAndAStoredStayOnTopComesBack) {
    TDistCopy dist("base-keys");
    dist.WriteIni("stopwatch", "stay_on_top", "true");
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    {
        TAppSession fixed(dist, "7");
        for (const LONG style : {WS_THICKFRAME, WS_MAXIMIZEBOX})
            EXPECT_FALSE(GetWindowLongA(fixed.Window(), GWL_STYLE) & style);
        const int width = WindowWidth(fixed.Window());
        fixed.PressKey(VK_RETURN, true);
        EXPECT_FALSE(IsZoomed(fixed.Window()));
        EXPECT_EQ(WindowWidth(fixed.Window()), width);
        fixed.DragTo(work.left + 200, work.top + 200);
        ASSERT_TRUE(fixed.QuitWithAltQ());
    }
    EXPECT_EQ(dist.ReadIni("datecalc", "window_left"), std::to_string(work.left + 200));
    for (const char* key : {"window_width", "window_height", "window_maxed"})
        EXPECT_EQ(dist.ReadIni("datecalc", key, "none"), "none") << key;
    {
        TAppSession editor(dist, "-2");
        editor.DragTo(work.left + 200, work.top + 200);
        ASSERT_TRUE(editor.QuitWithAltQ());
    }
    EXPECT_EQ(dist.ReadIni("configeditor", "window_top"), std::to_string(work.top + 200));
    EXPECT_EQ(dist.ReadIni("configeditor", "stay_on_top", "none"), "none");
    const TAppSession watch(dist, "\"Stop Watch\"");
    EXPECT_TRUE(GetWindowLongA(watch.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}
}  // namespace
