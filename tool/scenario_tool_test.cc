#include "tool/scenario_tool.h"

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/run.h"
#include "base/memory_file_system.h"
#include "base/platform.h"
#include "compiler/compile_for_test.h"
#include "compiler/scenario_compiler.h"
#include "compiler/source_lines.h"
#include "model/binary_files.h"
#include "model/diagnostic_codes.h"
#include "tool/common/version.h"

namespace scenario {
namespace {

using nlohmann::json;

constexpr char kRoute[] = "src/Linea_linea.txt";
// A train text with one line: an empty one draws a warning of its own.
constexpr char kSomeTrain[] = "sabbia, 10\r\n";
constexpr char kTrain[] = "src/Linea_42-.txt";

struct ToolRun {
  int status;
  std::string out;
  std::string err;
};

ToolRun Tool(MemoryFileSystem& files, std::vector<std::string> args) {
  args.insert(args.begin(), "scenario-tool");
  std::ostringstream out, err;
  const int status = RunScenarioTool(args, files, out, err);
  return {status, out.str(), err.str()};
}

// The tool on a route and a train text, in memory.
ToolRun Check(std::string_view route, std::string_view train,
              std::vector<std::string> extra = {}) {
  MemoryFileSystem files;
  files.files[kRoute] = std::string(route);
  files.files[kTrain] = std::string(train);
  std::vector<std::string> args = {"check", kRoute, kTrain};
  args.insert(args.end(), extra.begin(), extra.end());
  return Tool(files, args);
}

class NullWindow : public Window {
 public:
  void ShowWaiting() override {}
  void ShowMessage(std::string_view) override {}
};

TEST(ScenarioToolTest, CompilesTheEmbeddedTextsLikeTheProgram) {
  MemoryFileSystem program;
  NullWindow window;
  ASSERT_EQ(scenario::Run(window, program, "w"), kExitSuccess);

  MemoryFileSystem files;
  files.files["a/Valdorsio-Ronsale_linea.txt"] = EmbeddedRoute();
  files.files["a/Valdorsio-Ronsale_37264-.txt"] = EmbeddedTrain();
  ToolRun run = Tool(files, {"compile", "a/Valdorsio-Ronsale_linea.txt",
                             "a/Valdorsio-Ronsale_37264-.txt", "-o", "w"});
  EXPECT_EQ(run.status, kExitSuccess) << run.out << run.err;
  for (const char* name :
       {"w/Valdorsio-Ronsale_linea.dat", "w/Valdorsio-Ronsale_37264.sim",
        "w/Valdorsio-Ronsale_37264.dat"}) {
    ASSERT_TRUE(files.files.count(name)) << name;
    EXPECT_EQ(files.files[name], program.files[name]) << name;
  }
  // The author's texts stay as they were.
  EXPECT_EQ(files.files["a/Valdorsio-Ronsale_linea.txt"], EmbeddedRoute());
  EXPECT_EQ(files.files["a/Valdorsio-Ronsale_37264-.txt"], EmbeddedTrain());
  EXPECT_EQ(run.out,
            "compilato: 0 errori, 0 avvisi, 0 note; file scritti: "
            "w/Valdorsio-Ronsale_linea.dat w/Valdorsio-Ronsale_37264.sim "
            "w/Valdorsio-Ronsale_37264.dat\n");
}

TEST(ScenarioToolTest, NamesComeFromTheFileNamesOrTheOptions) {
  MemoryFileSystem files;
  files.files["route.txt"] = EmbeddedRoute();
  files.files["train.txt"] = EmbeddedTrain();
  ToolRun run = Tool(files, {"compile", "route.txt", "train.txt", "--no-plan"});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("--route-name"), std::string::npos);
  run = Tool(files, {"compile", "route.txt", "train.txt", "--route-name", "R",
                     "--train-number", "9", "--no-plan"});
  EXPECT_EQ(run.status, kExitSuccess) << run.err;
  EXPECT_TRUE(files.files.count("./R_9.sim"));
  EXPECT_TRUE(files.files.count("./R_9.dat"));
  EXPECT_FALSE(files.files.count("./R_linea.dat"));
}

TEST(ScenarioToolTest, CompilingWithoutThePlanFindsTheCurveFaultsCheckFinds) {
  // The curve would carry the plan past a million metres, and a later
  // curve starts behind the plan's cursor.
  const std::string route =
      RouteWithBody("curvad1, 999000, 2000\r\ncurvas2, 500, 10\r\n", "1000000");
  const std::string train = TrainWith(kSomeTrain);
  const ToolRun check = Check(route, train, {"--format", "json"});
  MemoryFileSystem files;
  files.files[kRoute] = route;
  files.files[kTrain] = train;
  const ToolRun compile = Tool(files, {"compile", kRoute, kTrain, "--no-plan",
                                       "-o", "out", "--format", "json"});
  ASSERT_NE(check.out.find("\"code\": " + std::to_string(kBadCurve)),
            std::string::npos)
      << check.out;
  ASSERT_NE(compile.out.find("\"code\": " + std::to_string(kBadCurve)),
            std::string::npos)
      << compile.out;
  EXPECT_EQ(check.status, compile.status);
}

// new: a small scenario by default, every kind of line once, compiling
// without a word; on request the embedded one, compiling to its bytes.
TEST(ScenarioToolTest, NewWritesCommentedTextsThatCompile) {
  MemoryFileSystem files;
  ToolRun run = Tool(files, {"new", "Collina", "7", "-o", "s"});
  ASSERT_EQ(run.status, kExitSuccess) << run.err;
  const std::string starter =
      files.files["s/Collina_linea.txt"] + files.files["s/Collina_7-.txt"];
  for (const SourceLine& line : kSourceLines) {
    EXPECT_NE(starter.find("\n" + std::string(line.spellings.front())),
              std::string::npos)
        << line.spellings.front();
  }
  EXPECT_LT(starter.size(), 3000u);
  ASSERT_EQ(
      Tool(files, {"new", "Collina", "7", "-o", "t", "--embedded"}).status,
      kExitSuccess);
  const std::string& route = files.files["t/Collina_linea.txt"];
  // Each section says what its lines hold, in the language asked, in the
  // texts' code page: "‰" is byte 89, "à" E0.
  EXPECT_NE(route.find("\r\n- curvad: progressiva (m) / lunghezza (m)\r\n"
                       "[curve]\r\n"),
            std::string::npos)
      << route;
  EXPECT_NE(route.find("pendenza (\x89)"), std::string::npos);
  EXPECT_NE(files.files["t/Collina_7-.txt"].find("velocit\xE0 (km/h)"),
            std::string::npos);
  ASSERT_EQ(Tool(files, {"new", "Collina", "7", "-o", "en", "--lang", "en",
                         "--embedded"})
                .status,
            kExitSuccess);
  EXPECT_NE(files.files["en/Collina_7-.txt"].find(
                "\r\n- velocita: progressive (m) / speed (km/h)\r\n"
                "[vel_limite]\r\n"),
            std::string::npos)
      << files.files["en/Collina_7-.txt"];
  files.files["e/Collina_linea.txt"] = EmbeddedRoute();
  files.files["e/Collina_7-.txt"] = EmbeddedTrain();
  for (const char* folder : {"s", "t", "e", "en"}) {
    const std::string f = folder;
    run = Tool(files, {"compile", f + "/Collina_linea.txt",
                       f + "/Collina_7-.txt", "-o", f + "/out"});
    // The comments are passed over without a word.
    EXPECT_TRUE(run.out.starts_with("compilato: 0 errori, 0 avvisi, 0 note"))
        << run.out;
    EXPECT_EQ(run.status, kExitSuccess) << run.out;
  }
  for (const char* name :
       {"/out/Collina_linea.dat", "/out/Collina_7.sim", "/out/Collina_7.dat"}) {
    EXPECT_EQ(files.files[std::string("t") + name],
              files.files[std::string("e") + name])
        << name;
    EXPECT_EQ(files.files[std::string("en") + name],
              files.files[std::string("e") + name])
        << name;
  }
  // What exists is never replaced.
  run = Tool(files, {"new", "Collina", "7", "-o", "t"});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("t/Collina_linea.txt"), std::string::npos);
  EXPECT_EQ(files.files["t/Collina_linea.txt"], route);
}

TEST(ScenarioToolTest, TextDiagnosticShowsTheLineAndTheItem) {
  ToolRun run = Check(RouteWithBody("cartello_indicatore, 100, a\r\n"
                                    "cartello_indicatore,  100, b\r\n"),
                      TrainWith(kSomeTrain));
  EXPECT_EQ(run.status, kExitError);
  EXPECT_EQ(run.out,
            "src/Linea_linea.txt:5:23: errore 6: cartello su una cella già "
            "occupata: la cella 3 ha già un cartello, dalla riga 4 "
            "(progressiva 100)\n"
            "  cartello_indicatore,  100, b\n"
            "                        ^\n"
            "controllato: 1 errore, 0 avvisi, 0 note; nessun file scritto\n");
}

// The JSON report names the code the files reflect, and its progressive
// where it has one: the compile's own, not one found reading on.
TEST(ScenarioToolTest, TheReportNamesTheFilesCode) {
  const std::string station =
      "stazione, 75, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\r\n";
  struct Case {
    std::string route, train;
    Long code;
    json progressive;
  } cases[] = {
      {RouteWithBody(""), TrainWith(kSomeTrain), 0, nullptr},
      {RouteWithBody(""), TrainWith(station + station), 8, 75},
      {RouteWithBody("pendenza, 100, x\r\n"), TrainWith(station), 25, nullptr},
  };
  for (const Case& c : cases) {
    const ToolRun run = Check(c.route, c.train, {"--format", "json"});
    const json report = json::parse(run.out);
    EXPECT_EQ(report["code"], c.code) << run.out;
    EXPECT_EQ(report["progressive"], c.progressive) << run.out;
  }
}

TEST(ScenarioToolTest, CellCodesCarryTheirProgressive) {
  // A signal right before a slow-down start leaves no room in the first
  // window: code 12 at the start cell, which the tool reports too.
  ToolRun run = Check(RouteWithBody(""),
                      TrainWith("segnale, 2750, 1,4,0,0,0,0,0,0,0,0\r\n"
                                "segnale, 2800, 1,4,0,0,0,0,0,0,0,0\r\n"
                                "segnale, 2850, 1,4,0,0,0,0,0,0,0,0\r\n"
                                "rallentamento, 3100, 30, 100, 0, 0, 0\r\n"),
                      {"--format", "json"});
  const json report = json::parse(run.out);
  ASSERT_FALSE(report["diagnostics"].empty()) << run.out;
  const json& d = report["diagnostics"].back();
  EXPECT_EQ(d["code"], 12);
  EXPECT_EQ(d["progressive"], 63 * 50);
  EXPECT_EQ(d["file"], kTrain);
  EXPECT_EQ(d["line"], nullptr);
}

TEST(ScenarioToolTest, WarningsAndWerror) {
  struct Case {
    const char* name;
    std::string route, train;
    Long code;
  } cases[] = {
      {"misspelt keyword", RouteWithBody("pendnza, 1000, 2\r\n"),
       TrainWith(kSomeTrain), 201},
      {"gradient behind its cursor",
       RouteWithBody("pendenza, 1000, 2\r\npendenza, 500, 1\r\n"),
       TrainWith(kSomeTrain), 202},
      {"speed behind its cursor", RouteWithBody(""),
       TrainWith("velocita, 1000, 60\r\nvelocita, 900, 50\r\n"), 202},
      {"curve behind its cursor",
       RouteWithBody("curvad3, 100, 500\r\ncurvas3, 300, 100\r\n"),
       TrainWith(kSomeTrain), 202},
      {"lines after [fine]", RouteWithBody(""),
       "[generale]\r\n[fine]\r\nsabbia, 10\r\n[fine]\r\n", 203},
      {"times not increasing", RouteWithBody(""),
       TrainWith(
           "stazione, 1000, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 7,0,0, A\r\n"
           "stazione, 3000, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 7,0,0, B\r\n"),
       204},
  };
  for (const Case& c : cases) {
    ToolRun plain = Check(c.route, c.train, {"--format", "json"});
    EXPECT_EQ(plain.status, kExitSuccess) << c.name << plain.out;
    const json report = json::parse(plain.out);
    ASSERT_EQ(report["warnings"], 1) << c.name << plain.out;
    EXPECT_EQ(report["diagnostics"][0]["code"], c.code) << c.name;
    EXPECT_EQ(Check(c.route, c.train, {"--Werror"}).status, kExitError)
        << c.name;
  }
  // The closest keyword is named.
  ToolRun run = Check(RouteWithBody("cartelo_indicatore, 100, a\r\n"),
                      TrainWith(kSomeTrain), {"--lang", "en"});
  EXPECT_NE(run.out.find("did you mean \"cartello_indicatore\"?"),
            std::string::npos)
      << run.out;
}

TEST(ScenarioToolTest, ANoteDoesNotFailEvenUnderWerror) {
  ToolRun run = Check(RouteWithBody("cartello_indicatore, 1025, a\r\n"),
                      TrainWith(kSomeTrain), {"--Werror"});
  EXPECT_EQ(run.status, kExitSuccess);
  EXPECT_NE(run.out.find("nota 301"), std::string::npos) << run.out;
}

TEST(ScenarioToolTest, WarningsDoNotChangeTheBytes) {
  MemoryFileSystem files;
  const std::string train = TrainWith("velocita, 1000, 60\r\n");
  files.files["a_linea.txt"] = RouteWithBody("pendenza, 1000, 2\r\n");
  files.files["a_1-.txt"] = train;
  files.files["b_linea.txt"] =
      RouteWithBody("pendenza, 1000, 2\r\n-- a comment\r\npendnza, 500, 9\r\n");
  files.files["b_1-.txt"] = train;
  ASSERT_EQ(Tool(files, {"compile", "a_linea.txt", "a_1-.txt", "-o", "oa",
                         "--route-name", "x", "--train-number", "1"})
                .status,
            kExitSuccess);
  // The second text holds a misspelt keyword: a warning, the same bytes.
  ToolRun warned =
      Tool(files, {"compile", "b_linea.txt", "b_1-.txt", "-o", "ob",
                   "--route-name", "x", "--train-number", "1"});
  ASSERT_EQ(warned.status, kExitSuccess);
  ASSERT_NE(warned.out.find("avviso 201"), std::string::npos) << warned.out;
  for (const char* name : {"x_linea.dat", "x_1.sim", "x_1.dat"}) {
    ASSERT_TRUE(files.files.count(std::string("oa/") + name)) << name;
    EXPECT_EQ(files.files[std::string("oa/") + name],
              files.files[std::string("ob/") + name])
        << name;
  }
}

TEST(ScenarioToolTest, ExitStatuses) {
  MemoryFileSystem files;
  EXPECT_EQ(Tool(files, {}).status, kExitFailure);
  EXPECT_EQ(Tool(files, {"--help"}).status, kExitSuccess);
  ToolRun version = Tool(files, {"--version"});
  EXPECT_EQ(version.status, kExitSuccess);
  EXPECT_EQ(version.out, std::string(kToolVersion) + "\n");
  EXPECT_EQ(Tool(files, {"check", "--help"}).status, kExitSuccess);
  EXPECT_EQ(Tool(files, {"check", kRoute}).status, kExitFailure);
  EXPECT_EQ(Tool(files, {"check", kRoute, kTrain, "--lang", "fr"}).status,
            kExitFailure);
  ToolRun missing = Tool(files, {"check", kRoute, kTrain});
  EXPECT_EQ(missing.status, kExitFailure);
  EXPECT_NE(missing.err.find(kRoute), std::string::npos);
  EXPECT_TRUE(missing.out.empty());
}

// Names given on the command line name files: none may lead out of the
// output folder or past the name limit.
TEST(ScenarioToolTest, HostileNamesAreRefused) {
  for (const std::string& name :
       {std::string("../escaped"), std::string(".."), std::string("a/b"),
        std::string("a\x1b[2Jb"), std::string(250, 'n')}) {
    MemoryFileSystem files;
    files.files["r.txt"] = EmbeddedRoute();
    files.files["t.txt"] = EmbeddedTrain();
    ToolRun run = Tool(files, {"compile", "r.txt", "t.txt", "--route-name",
                               name, "--train-number", "1", "-o", "out"});
    EXPECT_EQ(run.status, kExitFailure) << name;
    EXPECT_NE(run.err.find("il nome della linea"), std::string::npos)
        << run.err;
    EXPECT_EQ(files.files.size(), 2u) << name;  // nothing written
  }
  // A long name that fits: its files are written.
  MemoryFileSystem files;
  files.files["r.txt"] = EmbeddedRoute();
  files.files["t.txt"] = EmbeddedTrain();
  EXPECT_EQ(
      Tool(files, {"compile", "r.txt", "t.txt", "--route-name",
                   std::string(240, 'n'), "--train-number", "1", "-o", "out"})
          .status,
      kExitSuccess);
  EXPECT_EQ(files.files.size(), 5u);
}

// The driver's documents beside the package, or alone; the author's notes
// read from their file; none from texts with an error.
TEST(ScenarioToolTest, DocumentsBesideThePackageOrAlone) {
  const std::string a = "a/Valdorsio-Ronsale_linea.txt";
  const std::string b = "a/Valdorsio-Ronsale_37264-.txt";
  const std::string documents[] = {
      "w/Valdorsio-Ronsale_37264_note.txt",
      "w/Valdorsio-Ronsale_37264_rallentamenti.txt",
      "w/Valdorsio-Ronsale_37264_scheda_treno.txt"};
  auto texts = [&](const std::string& train) {
    MemoryFileSystem files;
    files.files[a] = EmbeddedRoute();
    files.files[b] = train;
    files.files["n.txt"] = "Le mie note\r\n";
    return files;
  };
  MemoryFileSystem both = texts(EmbeddedTrain());
  ToolRun run = Tool(
      both, {"compile", a, b, "-o", "w", "--documents", "--notes", "n.txt"});
  EXPECT_EQ(run.status, kExitSuccess) << run.out << run.err;
  EXPECT_EQ(both.files.size(), 3u + 6u);
  EXPECT_TRUE(both.files[documents[0]].ends_with(
      "***NOTE SULLA LINEA VALDORSIO-RONSALE***\r\nLe mie note\r\n"));

  MemoryFileSystem alone = texts(EmbeddedTrain());
  run = Tool(alone, {"documents", a, b, "-o", "w"});
  EXPECT_EQ(run.status, kExitSuccess) << run.out << run.err;
  EXPECT_EQ(alone.files.size(), 3u + 3u);
  for (const std::string& name : documents) {
    EXPECT_EQ(alone.files[name],
              both.files[name].substr(0, alone.files[name].size()))
        << name;
  }

  MemoryFileSystem missing = texts(EmbeddedTrain());
  run = Tool(missing, {"documents", a, b, "-o", "w", "--notes", "none.txt"});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("none.txt"), std::string::npos);
  EXPECT_EQ(missing.files.size(), 3u);

  std::string faulty = EmbeddedTrain();
  faulty.replace(faulty.find("stazione,    5450"), 17, "stazione,    5475");
  MemoryFileSystem failing = texts(faulty);
  run = Tool(failing, {"documents", a, b, "-o", "w"});
  EXPECT_EQ(run.status, kExitError);
  EXPECT_EQ(failing.files.size(), 3u);
}

// A train number Windows cannot take in a file name: refused on Windows,
// warned of elsewhere; said with the number either way.
TEST(ScenarioToolTest, ANameWindowsForbidsIsNamed) {
  MemoryFileSystem files;
  files.files["r.txt"] = EmbeddedRoute();
  files.files["t.txt"] = EmbeddedTrain();
  ToolRun run = Tool(files, {"compile", "r.txt", "t.txt", "--route-name", "R",
                             "--train-number", "7:30", "-o", "out"});
  EXPECT_EQ(run.status, kWindowsFileNames ? kExitFailure : kExitSuccess);
  EXPECT_NE(run.err.find("il numero del treno \"7:30\" contiene un carattere "
                         "che Windows non ammette"),
            std::string::npos)
      << run.err;
  EXPECT_EQ(files.files.size(), kWindowsFileNames ? 2u : 5u);
}

// A text can hold escape sequences; the terminal that shows its lines
// must not run them.
TEST(ScenarioToolTest, ControlCharactersAreEchoedEscaped) {
  ToolRun run = Check(RouteWithBody("pendenza, \x1b[31mred, 1\r\n"),
                      TrainWith(""), {"--lang", "en"});
  EXPECT_EQ(run.out.find('\x1b'), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("  pendenza, ^[[31mred, 1\n"
                         "            ^\n"),
            std::string::npos)
      << run.out;
}

// The mistakes authors make and the faults of texts, each with the
// diagnostic it must draw: code, severity, file, line, column and the
// message in both languages, read back from the JSON report. A line and a
// column of 0 stand for none.
TEST(ScenarioToolTest, MistakesAndWhatTheySay) {
  const std::string station =
      "stazione, 1000, 8, 400, 0,0,0, 0,0,0, 0,0,0, "
      "0, 7,0,0, A\r\n";
  struct Case {
    std::string route, train;
    Long code;
    const char* severity;
    const char* file;
    int line, column;
    const char* italian;
    const char* english;
  } cases[] = {
      {"[generale]\r\nsfondo uno, 1\r\n[curve]\r\npendenza, 100, 1\r\n[fine]"
       "\r\n",
       TrainWith("segnale, 1000, 1,4,0,0,0,0,0,0,0,0\r\n"), 29, "error", kRoute,
       1, 1,
       "il testo del percorso non ha la riga \"lunghezza percorso\": nessuna "
       "cella, nessun file",
       "the route text has no \"lunghezza percorso\" line: no cells, no file"},
      {RouteWithBody(""),
       TrainWith(station +
                 "stazione, 500, 8, 200, 0,0,0, 0,0,0, 0,0,0, 0, 7,0,0, B\r\n"),
       22, "error", kTrain, 3, 11,
       "stazione prima della precedente, A: le stazioni vanno in ordine di "
       "progressiva",
       "station before the previous one, A: stations go in the order of their "
       "progressives"},
      {"[generale]\r\nlunghezza percorso, 5000\r\nprogressiva chilometrica "
       "uno, 75, 0, 0\r\n[curve]\r\n[fine]\r\n",
       TrainWith(station), 2, "error", kRoute, 3, 31,
       "progressiva chilometrica con inizio o km non multiplo di 50: inizio "
       "75 m",
       "kilometric reference whose start or km value is not a multiple of 50: "
       "start 75 m"},
      // References the compile finds no order among are all lost.
      {"[generale]\r\nlunghezza percorso, 5000\r\nprogressiva chilometrica "
       "uno, 1000, 5000, 0\r\nprogressiva chilometrica due, 1000, 6000, "
       "0\r\n[curve]\r\n[fine]\r\n",
       TrainWith(station), 218, "warning", kRoute, 4, 31,
       "i riferimenti chilometrici restano vuoti: due condividono l'inizio "
       "maggiore, 1000 m, e la compilazione non trova il loro ordine",
       "the kilometric references are left empty: two share the greatest "
       "start, 1000 m, and the compile finds no order among them"},
      {"[generale]\r\nlunghezza percorso, 5000\r\nprogressiva chilometrica "
       "uno, 0, -5000, 0\r\n[curve]\r\n[fine]\r\n",
       TrainWith(station), 218, "warning", kRoute, 3, 34,
       "i riferimenti chilometrici restano vuoti: i loro inizi sommano a 0 e "
       "nessuno ha un km positivo, e la compilazione non trova il loro ordine",
       "the kilometric references are left empty: their starts add up to 0 "
       "and none has a positive km, and the compile finds no order among "
       "them"},
      {RouteWithBody("cartello_indicatore, 1025, a\r\n"), TrainWith(station),
       301, "note", kRoute, 4, 22,
       "non su un confine di cella: va alla cella 22, che sta per la "
       "progressiva 1050",
       "not on a cell boundary: goes to cell 22, which stands for progressive "
       "1050"},
      {RouteWithBody("cartello_indicatore, 1000, (1,000)\r\n"),
       TrainWith(station), 205, "warning", kRoute, 4, 28,
       "il testo finisce alla virgola; il resto della riga è letto come altre "
       "voci: per tenere la virgola scrivi il testo tra virgolette",
       "the text ends at the comma; the rest of the line is read as further "
       "items: to keep the comma, put the text in double quotes"},
      {RouteWithBody("pendenza, 1000, 2, 7\r\n"), TrainWith(station), 206,
       "warning", kRoute, 4, 20,
       "campi oltre i 2 che la riga prende, ignorati: \"7\"; la riga è letta "
       "come progressiva 1000 m, pendenza 2 ‰",
       "fields beyond the 2 the line takes, passed over: \"7\"; the line reads "
       "as progressive 1000 m, gradient 2 ‰"},
      // A thousands separator: what the reading made of the line.
      {RouteWithBody(""), TrainWith("velocita, 16,000, 90\r\n"), 206, "warning",
       kTrain, 2, 19,
       "\"16,000\" è letto come due campi (la virgola separa i campi: scrivi "
       "16000): campi oltre i 2 che la riga prende, ignorati: \"90\"; la riga "
       "è letta come progressiva 16 m, velocità 0 km/h",
       "\"16,000\" reads as two fields (a comma parts fields: write 16000): "
       "fields beyond the 2 the line takes, passed over: \"90\"; the line "
       "reads as progressive 16 m, speed 0 km/h"},
      {RouteWithBody(""), TrainWith("sabbia, 10, 20\r\n"), 206, "warning",
       kTrain, 2, 13,
       "campi oltre l'unico che la riga prende, ignorati: \"20\"; la riga è "
       "letta come sabbia 10",
       "fields beyond the one the line takes, passed over: \"20\"; the line "
       "reads as sand 10"},
      {RouteWithBody(""), "", 207, "warning", kTrain, 1, 1,
       "dal testo del treno non si legge nulla: manca \"[generale]\" o una "
       "riga con una parola chiave; il treno non ha velocità né stazioni",
       "nothing is read from the train text: it has no \"[generale]\" or no "
       "line with a keyword; the train has no speed and no stations"},
      {RouteWithBody(""), TrainWith("aderenza, 0, 300\r\n"), 208, "warning",
       kTrain, 2, 14,
       "aderenza 300 fuori dall'intervallo da 0 a 255: il campo ne tiene i "
       "bit bassi, 44",
       "adhesion 300 outside the range from 0 to 255: the field keeps its low "
       "bits, 44"},
      {RouteWithBody(""), TrainWith("numero vetture, 70000\r\n"), 208,
       "warning", kTrain, 2, 17,
       "vetture 70000 fuori dall'intervallo da 0 a 255",
       "coaches 70000 outside the range from 0 to 255"},
      {"[generale]\r\nlunghezza percorso, 5000\r\nlunghezza percorso, "
       "6000\r\n[curve]\r\n[fine]\r\n",
       TrainWith(station), 209, "warning", kRoute, 3, 1,
       "\"lunghezza percorso\" ripetuta: vale l'ultima",
       "\"lunghezza percorso\" given again: the last one holds"},
      {RouteWithBody(""),
       TrainWith("stazione, 1000, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 7,0,0, "
                 "CITT\xC3\xA0\r\n"),
       210, "warning", kTrain, 2, 56,
       "testo non in Windows-1252 (forse UTF-8): il simulatore legge un byte "
       "per carattere",
       "text not in Windows-1252 (UTF-8?): the simulator reads one byte a "
       "character"},
      {RouteWithBody("xyzzy, 1, 2\r\n"), TrainWith(station), 201, "warning",
       kRoute, 4, 1, "parola chiave sconosciuta, riga ignorata",
       "unknown keyword, line passed over"},
      {RouteWithBody("pendenza, 100, x\r\n"), TrainWith(""), 25, "error",
       kRoute, 4, 16,
       "errore di lettura: il campo pendenza non è un numero: prende un "
       "numero da -100 a 155",
       "reading fault: the field gradient is not a number: it takes a number "
       "from -100 to 155"},
      {RouteWithBody("", "1000001"), TrainWith(""), 1, "error", kRoute, 2, 21,
       "lunghezza del percorso oltre 1000000 m",
       "route length above 1000000 m"},
      {RouteWithBody("curvaz, 0, 10\r\n"), TrainWith(""), 103, "error", kRoute,
       4, 1, "curva senza la cifra della classe (da 1 a 6) nella parola chiave",
       "curve without its class digit (1 to 6) in the keyword"},
      {RouteWithBody("curvad1, 999000, 2000\r\n", "1000000"), TrainWith(""),
       103, "error", kRoute, 4, 1, "il tracciato va oltre 1000000 m",
       "the plan runs past 1000000 m"},
      {RouteWithBody(""),
       TrainWith("stazione, 75, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A\r\n"),
       8, "error", kTrain, 2, 11,
       "progressiva della stazione non multipla di 50",
       "station progressive not a multiple of 50"},
      {RouteWithBody(""), TrainWith("segnale, 0, 1,4,0,0,0,0,0,0,0,0\r\n"),
       1250, "error", kTrain, 0, 0,
       "la cella 1 contiene già un valore dove va la costante di formato: un "
       "oggetto nei primi 25 m ha valori non nulli",
       "cell 1 already holds a value where the format constant goes: an "
       "object in the first 25 m has nonzero values"},
      // A line one field short takes the next line's keyword.
      {RouteWithBody(""), TrainWith("orologio, 5, 55\r\n"), 25, "error", kTrain,
       2, 16,
       "errore di lettura: manca il campo secondi su questa riga: la lettura "
       "lo prende dalla riga 3, dove non è un numero",
       "reading fault: the field seconds is missing from this line: the "
       "reading takes it from line 3, where it is no number"},
      {RouteWithBody(""), "[generale]\r\norologio, 5\r\n", 25, "error", kTrain,
       2, 1,
       "errore di lettura: il testo finisce dentro i campi di una riga: manca "
       "il campo minuti",
       "reading fault: the text ends inside a line's fields: the field "
       "minutes is missing"},
      {RouteWithBody(""), TrainWith("velocita, 1000, 1300\r\n"), 25, "error",
       kTrain, 2, 17, "errore di lettura: velocità 1300 km/h: da 0 a 1277",
       "reading fault: speed 1300 km/h: from 0 to 1277"},
      {RouteWithBody("pendenza, 1000, 180\r\n"), TrainWith(""), 25, "error",
       kRoute, 4, 17, "errore di lettura: pendenza 180 ‰: da -100 a 155",
       "reading fault: gradient 180 ‰: from -100 to 155"},
      // Mistakes that change the files: each said at its own line.
      {RouteWithBody("pendenza; 17000; -6\r\n"), TrainWith(station), 212,
       "warning", kRoute, 4, 1,
       "la riga contiene \"-\" ed è letta come commento, ma comincia con "
       "\"pendenza\": se è una riga, separa i campi con virgole",
       "the line holds a \"-\" and is read as a comment, yet begins with "
       "\"pendenza\": if it is a line, part its fields with commas"},
      {RouteWithBody(""),
       TrainWith("rallentamento, 5000, 30, -550, 0, 0, 0\r\n"), 213, "warning",
       kTrain, 2, 26,
       "lunghezza -550 m negativa: il rallentamento finisce prima di "
       "cominciare",
       "length -550 m is negative: the slow-down ends before it starts"},
      {RouteWithBody(""),
       TrainWith("velocita, 0, 100\r\nvelocita, 5000, 80\r\nvelocita, 0, "
                 "60\r\n"),
       202, "warning", kTrain, 4, 11,
       "riga dietro al suo cursore: non scrive celle, e il suo valore vale "
       "dalla cella 100 in poi",
       "line behind its cursor: it writes no cell, and its value holds from "
       "cell 100 on"},
      // Causes that must be true.
      {"[generle]\r\nlunghezza percorso, 5000\r\n[curve]\r\n[fine]\r\n",
       TrainWith(station), 102, "error", kRoute, 1, 1,
       "\"[generle]\" non è \"[generale]\": senza \"[generale]\" il testo del "
       "percorso non è letto",
       "\"[generle]\" is not \"[generale]\": without \"[generale]\" the route "
       "text is not read"},
      {RouteWithBody(""), "[generle]\r\nsabbia, 10\r\n[fine]\r\n", 207,
       "warning", kTrain, 1, 1,
       "\"[generle]\" non è \"[generale]\": senza \"[generale]\" dal testo del "
       "treno non si legge nulla",
       "\"[generle]\" is not \"[generale]\": without \"[generale]\" nothing is "
       "read from the train text"},
      {"[generale]\r\n[generale]\r\nlunghezza percorso, 5000\r\n[curve]\r\n"
       "[fine]\r\n",
       TrainWith(station), 29, "error", kRoute, 2, 1,
       "\"[generale]\" di nuovo: qui comincia il corpo del percorso, e la riga "
       "\"lunghezza percorso\" che segue è ignorata: nessuna cella, nessun "
       "file",
       "\"[generale]\" again: the route's body begins here, and the "
       "\"lunghezza percorso\" line after it is passed over: no cells, no "
       "file"},
      {"[generale]\r\nlunghezza percorso, 5000\r\n[curve\r\ncurvad3, 700, "
       "850\r\n[pendenze]\r\n[fine]\r\n",
       TrainWith(station), 216, "warning", kRoute, 3, 1,
       "\"[curve\" non è un'intestazione, le manca una parentesi: la parte "
       "generale continua, e le righe del corpo che seguono sono ignorate "
       "fino alla prossima intestazione",
       "\"[curve\" is no header, a bracket is missing: the general part goes "
       "on, and the body lines after it are passed over up to the next "
       "header"},
      {RouteWithBody("sfondo uno, 2\r\n"), TrainWith(station), 201, "warning",
       kRoute, 4, 1,
       "\"sfondo uno\" è una riga della parte generale: nel corpo del "
       "percorso è ignorata",
       "\"sfondo uno\" is a line of the general part: in the route's body it "
       "is passed over"},
      {RouteWithBody("pendenza, 8000\r\npendenza, 9000, 3\r\n"), TrainWith(""),
       25, "error", kRoute, 4, 15,
       "errore di lettura: manca il campo pendenza su questa riga: la lettura "
       "lo prende dalla riga 5, dove non è un numero",
       "reading fault: the field gradient is missing from this line: the "
       "reading takes it from line 5, where it is no number"},
      {RouteWithBody(
           "cartello_indicatore, 4050\r\ncartello_indicatore, 4100, X\r\n"),
       TrainWith(station), 214, "warning", kRoute, 4, 26,
       "manca il campo testo: la lettura lo prende dalla riga 5, e ciò che "
       "segue è letto spostato",
       "the field text is missing: the reading takes it from line 5, and what "
       "follows is misread"},
      {RouteWithBody(""),
       TrainWith("stazione   24000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 7,0,0, "
                 "A\r\n"),
       215, "warning", kTrain, 2, 1,
       "manca la virgola dopo \"stazione\": 24000 è letto come parte della "
       "parola chiave, e ogni campo prende il valore del successivo",
       "no comma after \"stazione\": 24000 is read as part of the keyword, and "
       "each field takes the next one's value"},
      {RouteWithBody(""),
       TrainWith("stazione, 1000, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 25,70,0, "
                 "A\r\n"),
       208, "warning", kTrain, 2, 52,
       "minuti 70 min fuori dall'intervallo da 0 a 59",
       "minutes 70 min outside the range from 0 to 59"},
      {RouteWithBody(""),
       TrainWith(station +
                 "stazione, 5000, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 6,50,0, "
                 "B\r\n"),
       204, "warning", kTrain, 3, 11,
       "orario 6:50:00 non successivo a quello di A, 7:00:00",
       "time 6:50:00 not after that of A, 7:00:00"},
      {RouteWithBody("cartello_indicatore, 1000, X\r\n"),
       TrainWith("segnale, 1000, 1,4,0,0,0,0,0,0,0,0\r\n"), 16, "error", kTrain,
       2, 10,
       "segnale su una cella già occupata: la cella 21 ha già un cartello, "
       "dalla riga 4 di src/Linea_linea.txt",
       "signal on a cell that is already taken: cell 21 holds a signboard, "
       "from line 4 of src/Linea_linea.txt"},
      {RouteWithBody(""), TrainWith("segnale, 80000, 1,4,0,0,0,0,0,0,0,0\r\n"),
       15, "error", kTrain, 2, 10,
       "riga oltre le celle del percorso (la progressiva più alta qui è "
       "73900): il testo finisce qui",
       "line beyond the route's cells (the highest progressive here is "
       "73900): the text ends here"},
  };
  for (const Case& c : cases) {
    for (const char* lang : {"it", "en"}) {
      ToolRun run =
          Check(c.route, c.train, {"--format", "json", "--lang", lang});
      const json report = json::parse(run.out);
      // The first diagnostic of the code, the compile's own.
      const json* found = nullptr;
      for (const json& d : report["diagnostics"]) {
        if (found == nullptr && d["code"] == c.code) found = &d;
      }
      ASSERT_NE(found, nullptr) << c.code << "\n" << run.out;
      const json& d = *found;
      EXPECT_EQ(d["severity"], c.severity) << c.code;
      EXPECT_EQ(d["found_reading_on"], false) << c.code;
      EXPECT_EQ(d["file"], c.file) << c.code;
      EXPECT_EQ(d["line"], c.line ? json(c.line) : json(nullptr)) << c.code;
      EXPECT_EQ(d["column"], c.column ? json(c.column) : json(nullptr))
          << c.code;
      EXPECT_EQ(d["message"], std::string(lang) == "it" ? c.italian : c.english)
          << c.code;
      if (std::string(c.severity) == "error") {
        EXPECT_EQ(run.status, kExitError) << c.code;
      }
    }
  }
}

// A route without its length line: said once, and none of the lines it
// makes fall beyond the cells is reported as a cause of its own.
TEST(ScenarioToolTest, AMissingLengthLineIsReportedOnce) {
  ToolRun run = Check("[generale]\r\n[curve]\r\npendenza, 100, 1\r\n[fine]\r\n",
                      TrainWith("segnale, 1000, 1,4,0,0,0,0,0,0,0,0\r\n"),
                      {"--format", "json"});
  const json report = json::parse(run.out);
  EXPECT_EQ(report["errors"], 1) << run.out;
  EXPECT_EQ(report["outcome"], "no_cells");
  EXPECT_EQ(run.status, kExitError);
}

// However many warnings come first, an error after them is shown and
// counted; the warnings past the limit are counted too.
TEST(ScenarioToolTest, NoCapHidesAnError) {
  std::string body;
  for (int i = 0; i < 1100; ++i) body += "pendnza, 1, 2\r\n";
  body += "cartello_indicatore, 100, a\r\ncartello_indicatore, 100, b\r\n";
  ToolRun run =
      Check(RouteWithBody(body), TrainWith(kSomeTrain), {"--format", "json"});
  const json report = json::parse(run.out);
  EXPECT_EQ(run.status, kExitError);
  EXPECT_EQ(report["errors"], 1);
  EXPECT_EQ(report["warnings"], 1100);
  EXPECT_EQ(report["omitted"]["warnings"], 100);
  EXPECT_EQ(report["diagnostics"].back()["code"], kSignboardCellTaken);
  run = Check(RouteWithBody(body), TrainWith(kSomeTrain), {"--lang", "en"});
  EXPECT_NE(run.out.find("not shown: 100 warnings and 0 notes\n"),
            std::string::npos);
}

// Whatever the diagnostics say, a compile with nothing to write fails.
TEST(ScenarioToolTest, NothingToWriteFails) {
  for (const auto& [route, train] :
       {std::pair<std::string, std::string>{TrainWith(kSomeTrain),
                                            RouteWithBody("")},
        {RouteWithBody(""),
         TrainWith("segnale, 0, 1,4,0,0,0,0,0,0,0,0\r\n")}}) {
    MemoryFileSystem files;
    files.files[kRoute] = route;
    files.files[kTrain] = train;
    ToolRun run = Tool(files, {"compile", kRoute, kTrain, "-o", "o"});
    EXPECT_EQ(run.status, kExitError) << run.out;
    EXPECT_EQ(files.files.size(), 2u);
  }
}

// A compile with a code, or with a warning under --Werror, leaves the last
// good package whole; --write-on-error writes what the simulator's own
// compile writes.
TEST(ScenarioToolTest, AFailedCompileKeepsTheGoodPackage) {
  const std::string signal = "segnale, 2000, 1,4,0,0,0,0,0,0,0,0\r\n";
  const std::string good = TrainWith(signal);
  struct Case {
    std::string train;
    std::vector<std::string> options;
  } cases[] = {
      {TrainWith(signal + signal), {}},  // code 16: the cell is taken
      {TrainWith(signal + "sabbia, 1\r\nsabbia, 2\r\n"), {"--Werror"}},
  };
  for (const Case& c : cases) {
    MemoryFileSystem files;
    files.files[kRoute] = RouteWithBody("");
    files.files[kTrain] = good;
    ASSERT_EQ(Tool(files, {"compile", kRoute, kTrain, "-o", "o"}).status,
              kExitSuccess);
    const auto before = files.files;
    files.files[kTrain] = c.train;
    std::vector<std::string> args = {"compile", kRoute,     kTrain, "-o",
                                     "o",       "--format", "json"};
    args.insert(args.end(), c.options.begin(), c.options.end());
    ToolRun kept = Tool(files, args);
    EXPECT_EQ(kept.status, kExitError);
    const json report = json::parse(kept.out);
    EXPECT_EQ(report["outcome"], "kept_on_error");
    EXPECT_TRUE(report["files"].empty());
    for (const auto& [name, bytes] : before) {
      if (name == kTrain) continue;
      EXPECT_EQ(files.files[name], bytes) << name;
    }

    args.push_back("--write-on-error");
    ToolRun written = Tool(files, args);
    EXPECT_EQ(written.status, kExitError);
    EXPECT_EQ(json::parse(written.out)["outcome"], "written");
    MemoryFileSystem program;
    program.files["w/Linea_linea.txt"] = RouteWithBody("");
    program.files["w/Linea_42-.txt"] = c.train;
    Scenario s;
    s.nome_linea = "Linea";
    s.numero_treno = "42";
    ASSERT_EQ(memorizza_percorso(s, true, program,
                                 {"w/Linea_linea.txt", "w/Linea_42-.txt"},
                                 FileNames("w", "Linea", "42"))
                  .end,
              CompileOutcome::End::kComplete);
    for (const char* name :
         {"Linea_linea.dat", "Linea_42.sim", "Linea_42.dat"}) {
      EXPECT_EQ(files.files[std::string("o/") + name],
                program.files[std::string("w/") + name])
          << name;
    }
  }
}

// A folder holding one package is found from its cells file and record
// bank, with or without a plan; with two, the tool asks which.
TEST(ScenarioToolTest, DecompileFindsTheFoldersOnePackage) {
  MemoryFileSystem files;
  files.files[kRoute] = RouteWithBody("pendenza, 1000, 2\r\n");
  files.files[kTrain] = TrainWith("velocita, 0, 80\r\n");
  ASSERT_EQ(
      Tool(files, {"compile", kRoute, kTrain, "--no-plan", "-o", "p"}).status,
      kExitSuccess);
  ToolRun run = Tool(files, {"decompile", "p", "-o", "back"});
  EXPECT_EQ(run.status, kExitSuccess) << run.out << run.err;
  EXPECT_TRUE(files.files.count("back/Linea_linea.txt"));
  EXPECT_TRUE(files.files.count("back/Linea_42-.txt"));

  files.files["p/Altra_1.sim"] = files.files["p/Linea_42.sim"];
  files.files["p/Altra_1.dat"] = files.files["p/Linea_42.dat"];
  run = Tool(files, {"decompile", "p", "-o", "again", "--lang", "en"});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("p holds several packages"), std::string::npos)
      << run.err;
  run = Tool(files, {"decompile", "p", "-o", "again", "--train-number", "42"});
  EXPECT_EQ(run.status, kExitSuccess) << run.out << run.err;
}

// A name typed in UTF-8 reaches the record bank as the simulator reads it.
TEST(ScenarioToolTest, NamesGoIntoTheBankInWindows1252) {
  MemoryFileSystem files;
  files.files["r.txt"] = EmbeddedRoute();
  files.files["t.txt"] = EmbeddedTrain();
  ToolRun run =
      Tool(files, {"compile", "r.txt", "t.txt", "--route-name", "Citt\xC3\xA0",
                   "--train-number", "1", "-o", "o", "--format", "json"});
  EXPECT_EQ(run.status, kExitSuccess) << run.out;
  EXPECT_EQ(json::parse(run.out)["diagnostics"][0]["code"], kNameConverted);
  std::array<Voce, kVoci> voci;
  ASSERT_TRUE(DecodeRecords(files.files["o/Citt\xC3\xA0_1.sim"], &voci).ok());
  EXPECT_EQ(voci[kRouteSlot].nome, "Citt\xE0");
}

// Tool errors speak the asked language, and under JSON they are a document.
TEST(ScenarioToolTest, ToolErrorsInOneVoice) {
  MemoryFileSystem files;
  ToolRun run = Tool(files, {"frobnicate"});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("comando sconosciuto \"frobnicate\""),
            std::string::npos)
      << run.err;
  run = Tool(files, {"check", "a_linea.txt", "a_1-.txt", "--format", "json",
                     "--lang", "en"});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_EQ(json::parse(run.out)["outcome"], "failed") << run.out;
  EXPECT_NE(run.err.find("cannot read a_linea.txt: No such file"),
            std::string::npos);
  run = Tool(files, {"plot", "a", "b", "--from", "d", "-o", "p.svg"});
  EXPECT_EQ(run.status, kExitFailure);
  EXPECT_NE(run.err.find("non entrambi"), std::string::npos) << run.err;
}

// The command line's own faults, each in the language asked, after the
// tool's name, with where to find help.
TEST(ScenarioToolTest, CommandLineFaultsInEitherLanguage) {
  struct Case {
    std::vector<std::string> args;
    const char* err;
  } cases[] = {
      {{"check", "--lang", "it"},
       "scenario-tool: manca route\n"
       "scenario-tool: aiuto: scenario-tool check --help\n"},
      {{"check", "--lang", "en"},
       "scenario-tool: route is required\n"
       "scenario-tool: help: scenario-tool check --help\n"},
      {{"dump", "f.dat", "--kind", "nodi"},
       "scenario-tool: --kind: nodi non è tra {cells,train,plan}\n"
       "scenario-tool: aiuto: scenario-tool dump --help\n"},
      {{"dump", "f.dat", "--kind", "nodes", "--lang=en"},
       "scenario-tool: --kind: nodes is not one of {cells,train,plan}\n"
       "scenario-tool: help: scenario-tool dump --help\n"},
      {{"check", "a", "b", "c"},
       "scenario-tool: argomenti in più: c\n"
       "scenario-tool: aiuto: scenario-tool check --help\n"},
      {{"new", "R", "1", "--lang", "en", "--bogus"},
       "scenario-tool: unexpected arguments: --bogus\n"
       "scenario-tool: help: scenario-tool new --help\n"},
      {{"chek", "--lang", "en"},
       "scenario-tool: unknown command \"chek\": did you mean \"check\"?\n"},
      // A text that is not there is no naming problem.
      {{"check", "R_linea.txt", "R_4521.txt", "--lang", "en"},
       "scenario-tool: cannot read R_linea.txt: No such file or directory "
       "(errno 2)\n"},
      {{"dump", "pacchetto", "--lang", "en"},
       "scenario-tool: cannot read pacchetto: No such file or directory "
       "(errno 2)\n"},
      {{"--lang", "en"},
       "scenario-tool: no command given: compile, documents, check, watch, "
       "lsp, dump, plot, report, decompile, new, package (--help for "
       "help)\n"},
  };
  for (const Case& c : cases) {
    MemoryFileSystem files;
    const ToolRun run = Tool(files, c.args);
    EXPECT_EQ(run.status, kExitFailure) << c.err;
    EXPECT_EQ(run.err, c.err);
  }
}

// A check says what a compile says about every curve.
TEST(ScenarioToolTest, CheckAndCompileSayTheSameOfCurves) {
  for (const std::string& body :
       {std::string("curvad3, 100, 500\r\ncurvas3, 300, 100\r\n"),
        std::string("curvad1, 100, 999950\r\npendenza, 2000, 1\r\n"),
        std::string("curvad1, 2000000, 10\r\n")}) {
    MemoryFileSystem files;
    files.files[kRoute] = RouteWithBody(body, "1000000");
    files.files[kTrain] = TrainWith(kSomeTrain);
    const ToolRun check = Tool(files, {"check", kRoute, kTrain});
    const ToolRun compile = Tool(files, {"compile", kRoute, kTrain, "-o", "o"});
    const auto diagnostics = [](const std::string& out) {
      return out.substr(0, out.rfind('\n', out.size() - 2));
    };
    EXPECT_EQ(diagnostics(check.out), diagnostics(compile.out)) << body;
    EXPECT_EQ(check.status, compile.status) << body;
  }
}

}  // namespace
}  // namespace scenario
