#include "tool/manuals/editor_grammar.h"

#include <nlohmann/json.hpp>
#include <set>

#include "compiler/source_lines.h"

namespace scenario {

std::string TextMateGrammar() {
  using nlohmann::json;
  // Every spelling of every line, longest first so that an alternation
  // takes "curvad" before any shorter one it starts with; a curve with its
  // class digit.
  std::set<std::string,
           decltype([](const std::string& a, const std::string& b) {
             return a.size() != b.size() ? a.size() > b.size() : a < b;
           })>
      spellings;
  for (const SourceLine& line : kSourceLines) {
    for (std::string_view spelling : line.spellings) {
      std::string word(spelling);
      if (line.kind == LineKind::kCurve) word += "[1-6]?";
      spellings.insert(word);
    }
  }
  std::string keywords;
  for (const std::string& word : spellings) {
    keywords += (keywords.empty() ? "" : "|") + word;
  }
  const json grammar = {
      {"name", "Scenario"},
      {"scopeName", "source.scenario"},
      {"patterns", json::array({{{"include", "#comment"}},
                                {{"include", "#header"}},
                                {{"include", "#keyword"}},
                                {{"include", "#text"}},
                                {{"include", "#number"}}})},
      {"repository",
       {{"comment",
         {{"name", "comment.line.scenario"},
          // The reading takes a line whose first item holds a "-" as a
          // comment: a "-" before the line's first comma.
          {"match", "^[ \\t]*[^,\\r\\n]*-.*$"}}},
        {"header",
         {{"name", "entity.name.section.scenario"},
          {"match", "^[ \\t]*\\[[^\\]\\r\\n]*\\]"}}},
        {"keyword",
         {{"name", "keyword.control.scenario"},
          {"match", "(?i)^[ \\t]*(?:" + keywords + ")\\b"}}},
        {"text",
         {{"name", "string.quoted.double.scenario"},
          {"match", "\"(?:[^\"]|\"\")*\""}}},
        {"number",
         {{"name", "constant.numeric.scenario"},
          {"match", "(?<![\\w.])-?\\d+\\b"}}}}}};
  return grammar.dump(2) + "\n";
}

}  // namespace scenario
