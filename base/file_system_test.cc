#include "base/file_system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "base/platform.h"
#include "base/temporary_folder_for_test.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

class DiskFileSystemTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) { return folder_ / name; }
  // Names in the folder, to show that nothing temporary is left behind.
  std::vector<std::string> Listing() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_.path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TemporaryFolder folder_{"disk_file_system_test"};
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

TEST_F(DiskFileSystemTest, ReadingIsBounded) {
  std::string contents;
  // A device, a pipe or a file of any size: never more than the limit.
  Status status = disk_.Read("/dev/zero", &contents, 1 << 20);
  EXPECT_EQ(status.number(), EFBIG);
  EXPECT_TRUE(contents.empty());
  ASSERT_TRUE(disk_.Replace(Path("big"), std::string(100, 'x')).ok());
  EXPECT_EQ(disk_.Read(Path("big"), &contents, 99).number(), EFBIG);
  EXPECT_TRUE(disk_.Read(Path("big"), &contents, 100).ok());
}

// A file written in pieces out of order, each at its place, reads back
// whole and at any place; a device is read as it comes, within the limit.
TEST_F(DiskFileSystemTest, PiecesGoToTheirPlacesAndReadBackAtAny) {
  const std::string path = Path("plan.dat");
  ASSERT_TRUE(disk_
                  .ReplaceAll({{path,
                                {},
                                [](const PlacedSink& sink) {
                                  sink(6, "world");
                                  sink(0, "hello ");
                                }}})
                  .ok());
  std::unique_ptr<RandomAccessFile> file;
  ASSERT_TRUE(disk_.Open(path, &file).ok());
  EXPECT_EQ(file->size(), 11u);
  char bytes[8];
  size_t got = 0;
  ASSERT_TRUE(file->ReadAt(6, bytes, sizeof bytes, &got).ok());
  EXPECT_EQ(std::string(bytes, got), "world");
  ASSERT_TRUE(file->ReadAt(11, bytes, sizeof bytes, &got).ok());
  EXPECT_EQ(got, 0u);
  EXPECT_EQ(disk_.Open(path, &file, 10).number(), EFBIG);
  EXPECT_EQ(disk_.Open("/dev/zero", &file, 1 << 20).number(), EFBIG);
  EXPECT_EQ(Listing(), std::vector<std::string>{"plan.dat"});
}

TEST_F(DiskFileSystemTest, SeveralFilesAreReplacedAsOne) {
  ASSERT_TRUE(disk_.Replace(Path("a"), "old a").ok());
  fs::create_directory(Path("b"));  // in the way of the second file
  const std::string new_a = "new a", new_b = "new b";
  Status status = disk_.ReplaceAll({{Path("a"), new_a}, {Path("b"), new_b}});
  EXPECT_EQ(status.path(), Path("b"));
  std::string a;
  ASSERT_TRUE(disk_.Read(Path("a"), &a).ok());
  EXPECT_EQ(a, "old a");
  EXPECT_EQ(Listing(), (std::vector<std::string>{"a", "b"}));
}

// A long name leaves no room for a suffix: temporary names do not depend
// on the target's.
TEST_F(DiskFileSystemTest, TheLongestNameCanBeReplaced) {
  const std::string longest(255, 'n');
  EXPECT_TRUE(disk_.Replace(Path(longest), "x").ok());
  EXPECT_EQ(Listing(), std::vector<std::string>{longest});
}

TEST_F(DiskFileSystemTest, LockingTheFolderRemovesWhatAKilledRunLeft) {
  // A process that cannot be (past Linux's largest number, and odd, which
  // Windows never gives), and one that lives: this test's.
  const std::string stale = ".scenario-4194305-0.tmp";
  const std::string live = ".scenario-" + std::to_string(::getpid()) + "-9.tmp";
  std::ofstream(Path(stale)) << "half";
  std::ofstream(Path(live)) << "being written";
  std::unique_ptr<FolderLock> lock;
  ASSERT_TRUE(disk_.LockFolder(folder_.path().string(), &lock).ok());
  lock.reset();  // and the lock leaves nothing either
  EXPECT_EQ(Listing(), std::vector<std::string>{live});
}

// What stands where a file goes leaves every old file as it was: a folder
// anywhere, and on Windows also a file marked read-only.
TEST_F(DiskFileSystemTest, WhatStandsInTheWayKeepsTheOldFiles) {
  ASSERT_TRUE(disk_.Replace(Path("a"), "old a").ok());
  ASSERT_TRUE(disk_.Replace(Path("b"), "old b").ok());
  fs::permissions(Path("b"), fs::perms::owner_read);
  Status status =
      disk_.ReplaceAll({{Path("a"), "new a"}, {Path("b"), "new b"}});
  fs::permissions(Path("b"), fs::perms::owner_all);
  std::string a, b;
  ASSERT_TRUE(disk_.Read(Path("a"), &a).ok());
  ASSERT_TRUE(disk_.Read(Path("b"), &b).ok());
  if (kWindowsFileNames) {
    EXPECT_EQ(status.number(), EACCES);
    EXPECT_EQ(status.path(), Path("b"));
    EXPECT_EQ(a + b, "old aold b");
  } else {
    // Replacing is the folder's business, not the file's.
    EXPECT_TRUE(status.ok());
    EXPECT_EQ(a + b, "new anew b");
  }
  EXPECT_EQ(Listing(), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
}  // namespace scenario
