#include "base/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace scenario {
namespace {

namespace fs = std::filesystem;

class DiskFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/disk_file_system_test.XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Path(const std::string& name) { return folder_ + "/" + name; }
  // Names in the folder, to show that nothing temporary is left behind.
  std::vector<std::string> Listing() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string folder_;
  DiskFileSystem disk_;
};

TEST_F(DiskFileSystemTest, ReplaceReadRemove) {
  const std::string path = Path("a.dat");
  EXPECT_FALSE(disk_.Exists(path));
  ASSERT_TRUE(disk_.Replace(path, std::string(1000, 'x')).ok());
  ASSERT_TRUE(disk_.Replace(path, std::string("a\0b", 3)).ok());
  std::string contents;
  ASSERT_TRUE(disk_.Read(path, &contents).ok());
  EXPECT_EQ(contents, std::string("a\0b", 3));
  EXPECT_EQ(Listing(), std::vector<std::string>{"a.dat"});
  ASSERT_TRUE(disk_.Remove(path).ok());
  EXPECT_FALSE(disk_.Exists(path));
}

TEST_F(DiskFileSystemTest, AFolderIsNoFile) {
  fs::create_directory(Path("d"));
  EXPECT_FALSE(disk_.Exists(Path("d")));
  Status status = disk_.Replace(Path("d"), "x");
  EXPECT_FALSE(status.ok());
  EXPECT_EQ(status.path(), Path("d"));
  EXPECT_EQ(Listing(), std::vector<std::string>{"d"});
}

TEST_F(DiskFileSystemTest, FailuresNameTheFileAndTheirCause) {
  Status status = disk_.Replace(Path("missing/a.txt"), "x");
  EXPECT_EQ(status.kind(), Status::Kind::kFile);
  EXPECT_EQ(status.number(), ENOENT);
  EXPECT_EQ(status.path(), Path("missing/a.txt"));
  EXPECT_EQ(status.operation(), Status::Operation::kWrite);
  EXPECT_EQ(disk_.Remove(Path("none")).operation(), Status::Operation::kDelete);
  std::string contents;
  EXPECT_EQ(disk_.Read(Path("none"), &contents).operation(),
            Status::Operation::kRead);
}

}  // namespace
}  // namespace scenario
