// The README's author section, run: every command shown after "$ " runs in
// a shell, in one folder holding the examples, with the programs on the
// PATH, and prints what the README shows under it ("..." stands for any
// lines). The README cannot drift from the programs.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Example {
  std::string command;
  std::vector<std::string> shown;  // the output, line by line
};

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The commands of the author section's indented blocks, with their output.
std::vector<Example> Examples(const std::string& readme) {
  const size_t start = readme.find("## For scenario authors");
  const size_t end = readme.find("\n## ", start + 1);
  std::istringstream lines(readme.substr(start, end - start));
  std::vector<Example> examples;
  bool in_output = false;
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("    $ ")) {
      examples.push_back({line.substr(6), {}});
      in_output = true;
    } else if (in_output && line.starts_with("    ")) {
      examples.back().shown.push_back(line.substr(4));
    } else {
      in_output = false;
    }
  }
  return examples;
}

// True when `actual` is `shown`, a "..." line standing for any lines.
bool Matches(const std::vector<std::string>& shown, size_t s,
             const std::vector<std::string>& actual, size_t a) {
  if (s == shown.size()) return a == actual.size();
  if (shown[s] == "...") {
    for (size_t skip = a; skip <= actual.size(); ++skip) {
      if (Matches(shown, s + 1, actual, skip)) return true;
    }
    return false;
  }
  return a < actual.size() && shown[s] == actual[a] &&
         Matches(shown, s + 1, actual, a + 1);
}

TEST(ReadmeExamplesTest, EveryCommandShownPrintsWhatIsShown) {
  const fs::path source = SCENARIO_SOURCE_DIR;
  const std::vector<Example> examples = Examples(Read(source / "README.md"));
  ASSERT_GT(examples.size(), 5u);
  char pattern[] = "/tmp/scenario_readme_test.XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const fs::path folder = pattern;
  for (const auto& entry : fs::directory_iterator(source / "examples")) {
    fs::copy_file(entry.path(), folder / entry.path().filename());
  }
  const std::string path = fs::path(SCENARIO_TOOL_PATH).parent_path().string() +
                           ":" + std::getenv("PATH");
  // The shell keeps each command's status for the next one's "echo $?".
  int status = 0;
  for (const Example& example : examples) {
    const fs::path output = folder / ".output";
    const std::string script = "cd '" + folder.string() + "' && PATH='" + path +
                               "' && (exit " + std::to_string(status) +
                               "); { " + example.command + "\n} > '" +
                               output.string() + "' 2>&1";
    const int raw =
        std::system(("bash -c " + std::string("\"") +
                     [&] {
                       std::string quoted;
                       for (char c : script) {
                         if (c == '"' || c == '\\' || c == '$' || c == '`') {
                           quoted += '\\';
                         }
                         quoted += c;
                       }
                       return quoted;
                     }() +
                     "\"")
                        .c_str());
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::vector<std::string> actual;
    std::istringstream lines(Read(output));
    for (std::string line; std::getline(lines, line);) actual.push_back(line);
    fs::remove(output);
    std::string shown;
    for (const std::string& line : example.shown) shown += line + "\n";
    std::string printed;
    for (const std::string& line : actual) printed += line + "\n";
    EXPECT_TRUE(Matches(example.shown, 0, actual, 0))
        << "$ " << example.command << "\nshown:\n"
        << shown << "printed:\n"
        << printed;
  }
  fs::remove_all(folder);
}

}  // namespace
