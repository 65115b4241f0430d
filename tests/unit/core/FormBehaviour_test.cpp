#include "core/FormBehaviour.h"

#include <gtest/gtest.h>

namespace {
TEST(Shortcuts, EachRowNeedsExactlyItsModifiers) {
    EXPECT_EQ(ShortcutFor('Q', false, false, true), TShortcut::Close);
    EXPECT_EQ(ShortcutFor('Q', false, true, true), TShortcut::None);
    EXPECT_EQ(ShortcutFor('Q', false, false, false), TShortcut::None);
    EXPECT_EQ(ShortcutFor('W', false, true, false), TShortcut::Close);
    EXPECT_EQ(ShortcutFor('W', true, true, false), TShortcut::None);
    EXPECT_EQ(ShortcutFor(kKeyF1, false, false, false), TShortcut::About);
    EXPECT_EQ(ShortcutFor(kKeyF1, false, true, false), TShortcut::ChangeLog);
    EXPECT_EQ(ShortcutFor(kKeyF1, true, false, false), TShortcut::None);
    EXPECT_EQ(ShortcutFor(kKeyF11, false, false, false), TShortcut::ConfigEditor);
    EXPECT_EQ(ShortcutFor(kKeyF11, true, true, false), TShortcut::ConfigEditor);
    EXPECT_EQ(ShortcutFor(kKeyF11, false, true, false), TShortcut::None);
    EXPECT_EQ(ShortcutFor(kKeyF12, false, false, false), TShortcut::Launcher);
    EXPECT_EQ(ShortcutFor(kKeyF12, false, true, false), TShortcut::NewInstance);
    EXPECT_EQ(ShortcutFor(kKeyReturn, false, false, true), TShortcut::ToggleMaximised);
    EXPECT_EQ(ShortcutFor(kKeyReturn, false, false, false), TShortcut::None);
    EXPECT_EQ(ShortcutFor('A', false, false, true), TShortcut::None);
}

TEST(EdgeSnapping, WindowsWithinTheDistanceLandOnTheEdge) {
    const TWorkArea work{0, 0, 1280, 1000};
    TWindowRect w = SnapToWorkArea({16, 300, 400, 200}, work, 16);
    EXPECT_EQ(w.left, 0);
    EXPECT_EQ(w.top, 300);
    w = SnapToWorkArea({17, -16, 400, 200}, work, 16);
    EXPECT_EQ(w.left, 17);
    EXPECT_EQ(w.top, 0);
    w = SnapToWorkArea({870, 790, 400, 200}, work, 16);  // 10 from the right, 10 from the bottom
    EXPECT_EQ(w.left, 880);
    EXPECT_EQ(w.top, 800);
}

TEST(EdgeSnapping, LaterTestsSeeTheEarlierResultAndZeroSwitchesItOff) {
    // A window as wide as the work area plus a little: the left edge wins first, then the right test moves it.
    TWindowRect w = SnapToWorkArea({5, 100, 1270, 200}, {0, 0, 1280, 1000}, 16);
    EXPECT_EQ(w.left, 10);
    w = SnapToWorkArea({5, 5, 400, 200}, {0, 0, 1280, 1000}, 0);
    EXPECT_EQ(w.left, 5);
    EXPECT_EQ(w.top, 5);
    w = SnapToWorkArea({5, 5, 400, 200}, {0, 0, 1280, 1000}, -3);
    EXPECT_EQ(w.left, 5);
}

TEST(Placement, CentringTruncatesTowardZero) {
    EXPECT_EQ(CenteredPosition(1280, 481), 399);
    EXPECT_EQ(CenteredPosition(800, 1001), -100);
}
}  // namespace

TEST(ErrorBox, AFullStopFollowsMessagesThatEndAboveIt) {
    EXPECT_EQ(ErrorBoxText("Config variable must have an owner"), "Config variable must have an owner.");
    EXPECT_EQ(ErrorBoxText("Done."), "Done.");
    EXPECT_EQ(ErrorBoxText("What?"), "What?.");  // '?' lies above '.'
    EXPECT_EQ(ErrorBoxText("Stop!"), "Stop!");   // '!' lies below it
    EXPECT_EQ(ErrorBoxText("100 %"), "100 %");
    EXPECT_EQ(ErrorBoxText("caf\xE9"), "caf\xE9.");
    EXPECT_EQ(ErrorBoxText(""), "");
}
