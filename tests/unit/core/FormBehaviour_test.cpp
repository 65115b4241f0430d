#include "core/FormBehaviour.h"

#include <gtest/gtest.h>

namespace {
TEST(FormBehaviour, EachShortcutNeedsExactlyItsModifiers) {
    // Per key, the shortcut under each set of modifiers in the order none, Shift, Ctrl, Shift+Ctrl, Alt, Shift+Alt,
    // Ctrl+Alt, all three: X close, A about, L change log, E config editor, U launcher, N new instance, M maximise.
    const std::pair<uint16_t, const char*> keys[] = {
        {'Q', "----X---"},     {'W', "--X-----"},        {kKeyF1, "A-L-----"}, {kKeyF11, "E--E----"},
        {kKeyF12, "U-N-----"}, {kKeyReturn, "----M---"}, {'A', "--------"}};
    for (const auto& [key, expected] : keys) {
        std::string got;
        for (int mods = 0; mods < 8; ++mods)
            got += "-XALEUNM"[static_cast<int>(ShortcutFor(key, mods & 1, mods & 2, mods & 4))];
        EXPECT_EQ(got, expected) << key;
    }
}

// "left,top" of a window snapped to a 1280 x 1000 work area.
std::string Snapped(TWindowRect window, int snap) {
    const TWindowRect w = SnapToWorkArea(window, {0, 0, 1280, 1000}, snap);
    return std::to_string(w.left) + "," + std::to_string(w.top);
}

TEST(FormBehaviour, WindowsSnapToEdgesWithinTheDistanceAndEachEdgeTestSeesTheOneBefore) {
    EXPECT_EQ(Snapped({16, -16, 400, 200}, 16) + " " + Snapped({17, 300, 400, 200}, 16), "0,0 17,300");
    EXPECT_EQ(Snapped({870, 790, 400, 200}, 16), "880,800");  // 10 from the right, 10 from the bottom
    EXPECT_EQ(Snapped({5, 100, 1270, 200}, 16), "10,100");    // the left edge wins first, then the right one
    EXPECT_EQ(Snapped({5, 5, 400, 200}, 0) + " " + Snapped({5, 5, 400, 200}, -3), "5,5 5,5");
    EXPECT_EQ(CenteredPosition(800, 1001), -100);  // truncated toward zero
}
}  // namespace

TEST(FormBehaviour, AFullStopFollowsErrorMessagesWhoseLastCharacterLiesAboveIt) {
    std::string texts;
    for (const char* message : {"Done.", "What?", "100 %", "caf\xE9", ""})
        texts += ErrorBoxText(message) + "|";
    EXPECT_EQ(texts, "Done.|What?.|100 %|caf\xE9.||");
}
