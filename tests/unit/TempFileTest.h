#pragma once
#include <unistd.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

// A fresh folder for each test with the path of one file in it, and the file's bytes.
class TTempFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               ("dd_" + std::to_string(getpid()) + "_" + test->test_suite_name() + "_" + test->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
        file_ = (dir_ / "t.ini").string();
    }
    void TearDown() override {
        std::error_code error;  // a test may have left its file read-only
        std::filesystem::permissions(file_, std::filesystem::perms::owner_all, error);
        std::filesystem::remove_all(dir_, error);
    }
    std::string Write(const std::string& name, std::string_view bytes) const {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    void Put(std::string_view bytes) const { Write("t.ini", bytes); }
    std::string Bytes() const {
        std::ifstream in(file_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path dir_;
    std::string file_;
};
