#include "tool/views/report_page.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/memory_file_system.h"
#include "compiler/compile_for_test.h"
#include "tool/common/scenario_input.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;

// The embedded scenario compiled from its texts, one of them changed.
ScenarioInput FromTexts(const std::string& route, const std::string& train) {
  MemoryFileSystem files;
  files.files["R_linea.txt"] = route;
  files.files["R_7-.txt"] = train;
  ViewOptions options;
  options.route = "R_linea.txt";
  options.train = "R_7-.txt";
  ScenarioInput input;
  std::ostringstream err;
  EXPECT_TRUE(LoadScenario(options, files, &input, err, /*diagnose=*/true));
  return input;
}

size_t Count(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos;
       at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

nlohmann::json PageData(const std::string& page) {
  const std::string open =
      "<script type=\"application/json\" id=\"scenario-data\">";
  const size_t start = page.find(open) + open.size();
  return nlohmann::json::parse(
      page.substr(start, page.find("</script>", start) - start));
}

TEST(ReportPageTest,
     ThePageHoldsEveryStationSignalAndItsDataAndFetchesNothing) {
  const ScenarioInput input = FromTexts(EmbeddedRoute(), EmbeddedTrain());
  const std::string page =
      ReportPage(input, "R_linea.txt", "R_7-.txt", Language::kEnglish);
  const nlohmann::json data = PageData(page);
  size_t signals = 0;
  for (const auto& o : data["objects"]) {
    signals += data["kinds"][o[0].get<size_t>()] == "signal";
  }
  EXPECT_EQ(signals, 25u);
  EXPECT_EQ(data["stations"].size(), 11u);
  EXPECT_EQ(data["curves"].size(), 17u);
  // The last three cells hold no profile; the profiles go as their runs.
  EXPECT_EQ(data["cells"], input.s.celle.all().size() - 3);
  const nlohmann::json& line = data["line"];
  EXPECT_EQ(line[0], 0);
  for (size_t k = 2; k < line.size(); k += 2) {
    EXPECT_LT(line[k - 2], line[k]);
    EXPECT_NE(line[k - 1], line[k + 1]);
  }
  // Nothing comes from outside.
  EXPECT_EQ(page.find("src="), std::string::npos);
  EXPECT_EQ(page.find("http://", page.find("<body>")) ==
                page.find("http://www.w3.org/2000/svg", page.find("<body>")),
            true);
  EXPECT_NE(page.find("<html lang=\"en\">"), std::string::npos);
  EXPECT_NE(page.find("no diagnostics"), std::string::npos);
}

TEST(ReportPageTest, EachDiagnosticLeadsToItsMarkedLine) {
  std::string train = EmbeddedTrain();
  train.replace(train.find("stazione,    5450"), 17, "stazione,    5475");
  const ScenarioInput input = FromTexts(EmbeddedRoute(), train);
  const std::string page =
      ReportPage(input, "R_linea.txt", "R_7-.txt", Language::kItalian);
  // The link's anchor, "train-N", and the line that carries it.
  const std::string link = "<a href=\"#";
  const size_t at = page.find(link + "train-");
  ASSERT_NE(at, std::string::npos);
  const size_t from = at + link.size();
  const std::string anchor = page.substr(from, page.find('"', from) - from);
  EXPECT_EQ(page.substr(page.find('>', from) + 1, 8), "R_7-.txt");
  EXPECT_NE(page.find("class=\"lines marked\" id=\"" + anchor + "\""),
            std::string::npos);
  EXPECT_NE(page.find("errore 8"), std::string::npos);
}

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
