// The rules these functions share with the platform's own are checked against Wine's in
// tests/win32/core/KoIni_differential_test.cpp; here: robustness, and what only the portable side does.
#include "core/PrivateProfile.h"

#include <gtest/gtest.h>

#include "tests/unit/TempFileTest.h"

using namespace std::string_view_literals;
namespace fs = std::filesystem;

namespace {

class PrivateProfileTest : public TTempFileTest {
  protected:
    // The value as returned, or "<n>" when the return value disagrees with the text copied.
    std::string Get(const char* section, const char* key, uint32_t size = 16384) {
        std::string buffer(size + 1, '#');
        const uint32_t n = profile_.GetString(section, key, "d", buffer.data(), size, file_.c_str());
        if (buffer[n] != '\0' || buffer.find('\0') != n)
            return "<" + std::to_string(n) + ">";
        return buffer.substr(0, n);
    }
    bool Write(const char* section, const char* key, const char* value) {
        return profile_.WriteString(section, key, value, file_.c_str());
    }

    TPortableProfile profile_;
};

TEST_F(PrivateProfileTest, ZeroBytesEndANameOrValueAndEveryOtherByteIsKeptAsItIs) {
    Put("\xEF\xBB\xBF[a]\nk=1\0x\nj\0=2\n[b\0c]\nm=3\nv=\x80\x81\x9D\xFF\x1A\n"sv);
    EXPECT_EQ(Get("a", "k") + Get("a", "j") + Get("b", "m"), "123");
    EXPECT_TRUE(Write("a", "k", "5"));
    // The UTF-8 mark stays in front of the first line; the platform would transcode such a file.
    EXPECT_EQ(Bytes(), "\xEF\xBB\xBF[a]\r\nk=5\r\nj=2\r\n[b]\r\nm=3\r\nv=\x80\x81\x9D\xFF\r\n");
}

TEST_F(PrivateProfileTest, LinesAndValuesHaveNoLengthLimitButTheBuffer) {
    const std::string longValue(70000, 'c');
    Put("[a]\r\n" + std::string(70000, 'k') + "=1\r\nz=2\r\n");
    EXPECT_TRUE(Write("a", "w", longValue.c_str()));
    EXPECT_EQ(Get("a", "z"), "2");
    EXPECT_EQ(Get("a", std::string(70000, 'K').c_str()), "1");
    EXPECT_EQ(Get("a", "w"), longValue.substr(0, 16383));
    EXPECT_EQ(Get("a", "w", 80000), longValue);
}

TEST_F(PrivateProfileTest, WritesThatCannotBeDoneFailAndLeaveTheFileAsItWas) {
    // A flush, which reports false as on the platform, and writes without a section.
    EXPECT_FALSE(Write(nullptr, nullptr, nullptr) || Write(nullptr, "k", "v") ||
                 profile_.WriteSection(nullptr, "k=1\0", file_.c_str()) || fs::exists(file_));
    file_ = (dir_ / "missing" / "t.ini").string();
    EXPECT_FALSE(Write("a", "k", "v"));
}

}  // namespace
