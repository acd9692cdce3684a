#ifndef TOOL_VIEWS_REPORT_PAGE_FOR_TEST_H_
#define TOOL_VIEWS_REPORT_PAGE_FOR_TEST_H_

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "base/memory_file_system.h"
#include "tool/common/scenario_input.h"

namespace scenario {

// The embedded scenario compiled from its texts, one of them changed.
inline ScenarioInput FromTexts(const std::string& route,
                               const std::string& train) {
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

inline size_t Count(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos;
       at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

inline nlohmann::json PageData(const std::string& page) {
  const std::string open =
      "<script type=\"application/json\" id=\"scenario-data\">";
  const size_t start = page.find(open) + open.size();
  return nlohmann::json::parse(
      page.substr(start, page.find("</script>", start) - start));
}

}  // namespace scenario

#endif  // TOOL_VIEWS_REPORT_PAGE_FOR_TEST_H_
