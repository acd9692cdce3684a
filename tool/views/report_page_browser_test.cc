#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "compiler/compile_for_test.h"
#include "tool/views/report_page.h"
#include "tool/views/report_page_for_test.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

// The page in a real browser, headless: no script error, a row per
// station and a mark per signal once the script has drawn the chart; a
// screenshot is left in the build folder.
TEST(ReportPageTest, ChromiumRendersThePageWithoutAScriptError) {
  const char* browser = "/usr/bin/chromium";
  if (!fs::exists(browser)) GTEST_SKIP() << "Chromium is not installed";
  const ScenarioInput input = FromTexts(EmbeddedRoute(), EmbeddedTrain());
  const fs::path folder =
      fs::temp_directory_path() /
      ("scenario_report_test." + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path page = folder / "report.html";
  std::ofstream(page) << ReportPage(input, "R_linea.txt", "R_7-.txt",
                                    Language::kItalian);
  const std::string common = std::string(browser) +
                             " --headless --no-sandbox --disable-gpu "
                             "--user-data-dir=" +
                             (folder / "profile").string() +
                             " --window-size=1280,2000 ";
  const std::string url = " file://" + page.string();
  const fs::path dom = folder / "dom.html", log = folder / "log.txt";
  const int status =
      std::system((common +
                   "--enable-logging=stderr --v=1 "
                   "--dump-dom" +
                   url + " > " + dom.string() + " 2> " + log.string())
                      .c_str());
  ASSERT_EQ(WEXITSTATUS(status), 0);
  std::ifstream log_in(log);
  for (std::string line; std::getline(log_in, line);) {
    EXPECT_EQ(line.find(":CONSOLE"), std::string::npos) << line;
  }
  std::stringstream rendered;
  rendered << std::ifstream(dom).rdbuf();
  const std::string html = rendered.str();
  const size_t table = html.find("id=\"stations-table\"");
  ASSERT_NE(table, std::string::npos);
  EXPECT_EQ(Count(html.substr(table, html.find("</table>", table) - table),
                  "<tr data-at="),
            11u);
  const size_t chart = html.find("id=\"profile\"");
  EXPECT_EQ(Count(html.substr(chart, html.find("</svg>", chart) - chart),
                  "class=\"mark signal\""),
            25u);
  const fs::path screenshot = fs::path(SCENARIO_BINARY_DIR) / "report.png";
  EXPECT_EQ(
      WEXITSTATUS(std::system((common + "--screenshot=" + screenshot.string() +
                               url + " > /dev/null 2>&1")
                                  .c_str())),
      0);
  EXPECT_TRUE(fs::exists(screenshot));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace scenario
