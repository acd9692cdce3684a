#ifndef BASE_TEMPORARY_FOLDER_FOR_TEST_H_
#define BASE_TEMPORARY_FOLDER_FOR_TEST_H_

#include <filesystem>
#include <random>
#include <string>

namespace scenario {

// A fresh folder of the system's temporary folder, removed with all it
// holds when the test is done.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::string& purpose) {
    std::random_device random;
    do {
      path_ = std::filesystem::temp_directory_path() /
              (purpose + "." + std::to_string(random()));
    } while (!std::filesystem::create_directory(path_));
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of `name` inside, as the programs are given paths.
  std::string operator/(const std::string& name) const {
    return (path_ / name).string();
  }

 private:
  std::filesystem::path path_;
};

}  // namespace scenario

#endif  // BASE_TEMPORARY_FOLDER_FOR_TEST_H_
