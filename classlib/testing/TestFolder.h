#pragma once
// A fresh folder of one test's own in the temporary folder, removed with
// everything in it afterwards (read-only files too), and the helpers to put
// files there and read them back. Portable; on Windows the paths use
// backslashes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

class TTestFolder {
public:
    // Named after the running test and Tag, with a number of this run, so that
    // tests of several programs or presets running at once never share one.
    explicit TTestFolder(const std::string& Tag = {}) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "tessaloom-";
        if (info) name += std::string(info->test_suite_name()) + "-" + info->name() + "-";
        if (!Tag.empty()) name += Tag + "-";
        name += std::to_string(RunNumber()) + "-" + std::to_string(counter_++);
        std::replace_if(name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c) && c != '-' && c != '_'; }, '_');
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TTestFolder() {
        std::error_code ec;
        // Read-only files and folders would stop the removal on Windows.
        for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            std::error_code ignored;
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                         ignored);
        }
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TTestFolder(const TTestFolder&) = delete;
    TTestFolder& operator=(const TTestFolder&) = delete;

    // The folder without a separator at the end.
    std::string Path() const { return path_.string(); }
    // The folder with its separator at the end.
    std::string Folder() const { return (path_ / "").string(); }
    std::string File(const std::string& Name) const { return (path_ / Name).string(); }
    // Makes a folder inside (and the ones above it); answers its path.
    std::string MakeFolder(const std::string& Name) const {
        std::filesystem::create_directories(path_ / Name);
        return File(Name);
    }
    // Writes the file Name (bytes as given); answers its path.
    std::string Write(const std::string& Name, const std::string& Bytes) const {
        std::ofstream out(path_ / Name, std::ios::binary | std::ios::trunc);
        out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
        return File(Name);
    }
    // The bytes of a file; empty when it cannot be read.
    static std::string Read(const std::string& FileName) {
        std::ifstream in(FileName, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // The names in the folder, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    static unsigned RunNumber() {
        static const unsigned number = std::random_device{}() % 1000000u;
        return number;
    }
    static inline int counter_ = 0;
    std::filesystem::path path_;
};
