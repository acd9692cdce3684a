#include "base/platform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "base/temporary_folder_for_test.h"

namespace scenario {
namespace {

// True once the watch tells of a save of a watched file, within seconds.
bool SeenSoon(SaveWatch& watch) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    if (watch.Saved(100)) return true;
  }
  return false;
}

// Quiet for a while: no save of a watched file is told.
bool Quiet(SaveWatch& watch) {
  for (int i = 0; i < 5; ++i) {
    if (watch.Saved(100)) return false;
  }
  return true;
}

// Editors save either way: in place, or anew under another name renamed
// over the old file. Other files of the folder are not the watch's.
TEST(SaveWatchTest, SavesInPlaceAndByRenameAreSeen) {
  TemporaryFolder folder("save_watch_test");
  std::ofstream(folder / "R_linea.txt") << "route";
  std::ofstream(folder / "R_7-.txt") << "train";
  std::unique_ptr<SaveWatch> watch;
  ASSERT_EQ(WatchSaves({folder / "R_linea.txt", folder / "R_7-.txt"}, &watch),
            0);
  EXPECT_TRUE(Quiet(*watch));
  std::ofstream(folder / "notes.txt") << "not watched";
  EXPECT_TRUE(Quiet(*watch));
  std::ofstream(folder / "R_linea.txt") << "route, saved";
  EXPECT_TRUE(SeenSoon(*watch));
  Quiet(*watch);  // the rest of that save's events
  std::ofstream(folder / "R_7-.txt.new") << "train, saved";
  std::filesystem::rename(folder / "R_7-.txt.new", folder / "R_7-.txt");
  EXPECT_TRUE(SeenSoon(*watch));
}

TEST(SaveWatchTest, AMissingFolderIsAnError) {
  std::unique_ptr<SaveWatch> watch;
  EXPECT_NE(WatchSaves({"no such folder/R_linea.txt"}, &watch), 0);
}

}  // namespace
}  // namespace scenario
