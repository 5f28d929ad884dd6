#pragma once
// A fresh folder in the temporary folder for one test, removed afterwards,
// and the helpers to put files there and read them back.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class TTestFolder {
public:
    TTestFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("tessaloom-builder-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
                 std::to_string(counter_++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TTestFolder() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TTestFolder(const TTestFolder&) = delete;
    TTestFolder& operator=(const TTestFolder&) = delete;

    // The folder with its trailing separator, as the builder keeps its own.
    std::string Folder() const { return (path_ / "").string(); }
    std::string File(const std::string& Name) const { return (path_ / Name).string(); }

    std::string Write(const std::string& Name, const std::string& Bytes) const {
        std::ofstream out(path_ / Name, std::ios::binary | std::ios::trunc);
        out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
        return File(Name);
    }

    static std::string Read(const std::string& FileName) {
        std::ifstream in(FileName, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Names in the folder, to see that no helper file was left behind.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    static inline int counter_ = 0;
    std::filesystem::path path_;
};
