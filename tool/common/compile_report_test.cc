#include "tool/common/compile_report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

Diagnostic At(const char* file, int line, int column, Long code) {
  Diagnostic d;
  d.severity = Diagnostic::Severity::kWarning;
  d.code = code;
  d.site = {file, line, column};
  d.cause = Diagnostic::Cause::kNoSuggestion;
  return d;
}

// What a terminal shows: the line as it stands with control characters
// made visible, a caret under the item's column (tabs kept, so that it
// lines up), a long line cut to a window around the column, the counts of
// what was left out, and the summary.
TEST(CompileReportTest, PrintsEachDiagnosticWithItsLineAndCaret) {
  const std::string long_line = "pendenza, " + std::string(300, '1') + ", x";
  CompileReport report;
  report.command = "check";
  report.route = "r_linea.txt";
  report.train = "r_1-.txt";
  report.route_text =
      "[generale]\r\n\tsfondo\x01uno, 1\r\n" + long_line + "\r\n";
  report.diagnostics = {At("r_linea.txt", 2, 9, kUnknownKeyword),
                        At("r_linea.txt", 3, 300, kUnknownKeyword)};
  report.omitted_errors = {{"r_1-.txt", 4}};
  report.omitted_warnings = 2;
  report.omitted_notes = 1;
  std::ostringstream it, en;
  PrintText(report, Language::kItalian, /*color=*/false, it);
  PrintText(report, Language::kEnglish, /*color=*/false, en);
  // The column's window: from 80 characters before it to the line's end.
  const std::string window = "..." + long_line.substr(299 - 80);
  EXPECT_EQ(
      it.str(),
      "r_linea.txt:2:9: avviso 201: parola chiave sconosciuta, riga "
      "ignorata\n"
      "  \tsfondo^Auno, 1\n"
      "  \t        ^\n"
      "r_linea.txt:3:300: avviso 201: parola chiave sconosciuta, riga "
      "ignorata\n"
      "  " +
          window +
          "\n"
          "  " +
          std::string(3 + 80, ' ') +
          "^\n"
          "r_1-.txt: altri errori non mostrati: 4\n"
          "non mostrati: 2 avvisi e 1 nota\n"
          "controllato: 4 errori, 4 avvisi, 1 nota; nessun file scritto\n");
  EXPECT_NE(en.str().find("r_1-.txt: further errors not shown: 4\n"
                          "not shown: 2 warnings and 1 note\n"
                          "checked: 4 errors, 4 warnings, 1 note; no file "
                          "written\n"),
            std::string::npos)
      << en.str();
}

}  // namespace
}  // namespace scenario
