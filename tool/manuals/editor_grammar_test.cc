#include "tool/manuals/editor_grammar.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace scenario {
namespace {

TEST(EditorGrammarTest, TheCommittedGrammarIsWhatTheTablesGive) {
  std::ifstream in(std::string(SCENARIO_SOURCE_DIR) +
                   "/editors/vscode/syntaxes/scenario.tmLanguage.json");
  std::stringstream committed;
  committed << in.rdbuf();
  EXPECT_TRUE(committed.str() == TextMateGrammar())
      << "editors/vscode/syntaxes/scenario.tmLanguage.json differs from the "
         "compiler's tables; the build writes the current grammar to "
         "build/manuals/scenario.tmLanguage.json";
}

}  // namespace
}  // namespace scenario
