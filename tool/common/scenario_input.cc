#include "tool/common/scenario_input.h"

#include "base/file_names.h"
#include "compiler/author_compile.h"
#include "model/binary_files.h"
#include "model/diagnostic_codes.h"
#include "tool/common/voice.h"

namespace scenario {
namespace {

bool Fail(std::ostream& err, const std::string& message) {
  Voice::Say(err, message);
  return false;
}

// Finds the package's names in its folder: "<route>_linea.dat" gives the
// route, "<route>_<train>.sim" the train, unless the options give them.
bool PackageNames(const ViewOptions& options, FileSystem& files,
                  std::string* route, std::string* train, std::ostream& err) {
  std::vector<std::string> names;
  Status status = files.List(options.from, &names);
  if (!status.ok()) return Fail(err, MessageFor(status, options.language));
  if (SeveralPackages(names, {options.route_name, options.train_number})) {
    return Fail(err, ToolText(ToolMessage::kSeveralPackages, options.language,
                              {options.from}));
  }
  const Identity identity =
      PackageIdentity(names, {options.route_name, options.train_number});
  *route = identity.route_name;
  *train = identity.train_number;
  if (!identity.complete()) {
    return Fail(err, ToolText(ToolMessage::kNoPackage, options.language,
                              {options.from}));
  }
  return true;
}

// True when a file was read and decoded; else tells why, naming the file.
bool Loaded(Status status, const std::string& path, Language language,
            std::ostream& err) {
  if (status.kind() == Status::Kind::kDamaged) {
    status = status.WithPath(path);
  }
  return status.ok() || Fail(err, MessageFor(status, language));
}

bool ReadDecoded(FileSystem& files, const std::string& path, Language language,
                 std::ostream& err, auto decode) {
  std::string bytes;
  Status status = files.Read(path, &bytes, LargestFile(KindOfFile(path)));
  if (status.ok()) status = decode(bytes);
  return Loaded(status, path, language, err);
}

// The plan file read a piece at a time: only what the views take of it is
// held, not its twenty megabytes.
Status SketchPlan(FileSystem& files, const std::string& path, const Scenario& s,
                  PlanSketch* plan) {
  std::unique_ptr<RandomAccessFile> file;
  Status status = files.Open(path, &file, LargestFile(BinaryKind::kRoutePlan));
  if (!status.ok()) return status;
  *plan = PlanSketch(s);
  return WalkPlanFile(*file, *plan);
}

bool LoadPackage(const ViewOptions& options, FileSystem& files, Scenario* s,
                 PlanSketch* plan, std::ostream& err) {
  std::string route, train;
  if (!PackageNames(options, files, &route, &train, err)) return false;
  s->nome_linea = route;
  s->numero_treno = train;
  const FileNames names(options.from, route, train);
  return ReadDecoded(files, names.Cells(), options.language, err,
                     [&](std::string_view bytes) {
                       std::vector<Cella> cells;
                       Status status = DecodeCells(bytes, &cells);
                       s->celle.Assign(std::move(cells));
                       return status;
                     }) &&
         ReadDecoded(files, names.TrainBank(), options.language, err,
                     [&](std::string_view bytes) {
                       return DecodeRecords(bytes, &s->voci);
                     }) &&
         // A package written without the plan has no plan file.
         (!files.Exists(names.RoutePlan()) ||
          Loaded(SketchPlan(files, names.RoutePlan(), *s, plan),
                 names.RoutePlan(), options.language, err));
}

// The error that ended or spoilt the compile: at its place, what was not
// compiled after it.
std::string NoticeOf(const Scenario& s, const std::string& route_file,
                     Language language) {
  const Diagnostic* stop = nullptr;
  for (const Diagnostic& d : s.diagnostics) {
    if (d.severity == Diagnostic::Severity::kError &&
        (s.codice_errore == 0 || d.code == s.codice_errore)) {
      stop = &d;
      break;
    }
  }
  if (stop == nullptr) return "";
  std::string error = SeverityWord(stop->severity, language) + " " +
                      std::to_string(stop->code) + ": " +
                      MessageFor(*stop, language);
  if (stop->position) {
    error += ToolText(ToolMessage::kAtProgressive, language,
                      {std::to_string(*stop->position)});
  }
  if (!StopsTheReading(stop->code) || stop->site.line == 0) {
    return ToolText(ToolMessage::kCompiledWithError, language, {error});
  }
  const std::string where =
      stop->site.file + ":" + std::to_string(stop->site.line);
  std::string notice =
      ToolText(ToolMessage::kNotCompiledPast, language, {where, error});
  if (stop->site.file == route_file) {
    // A line beyond the cells ends the route text alone: the train is read
    // on until its first object meets the code.
    notice += ToolText(stop->code == kBeyondCells
                           ? ToolMessage::kTrainReadToFirstObject
                           : ToolMessage::kTrainNotRead,
                       language);
  }
  return notice;
}

bool CompileTexts(const ViewOptions& options, FileSystem& files,
                  ScenarioInput* input, std::ostream& err, bool diagnose) {
  if (options.route.empty() || options.train.empty()) {
    return Fail(err, ToolText(ToolMessage::kTextsOrPackage, options.language));
  }
  Identity identity = IdentityOf(options.route, options.train,
                                 {options.route_name, options.train_number});
  bool is_route = true;
  const NameFault fault = CheckIdentity(identity, &is_route);
  if (fault != NameFault::kNone && fault != NameFault::kEmpty) {
    return Fail(err,
                NameFaultText(fault, identity, is_route, options.language));
  }
  std::string& route = input->route_text;
  std::string& train = input->train_text;
  for (auto [path, text] :
       {std::pair{&options.route, &route}, std::pair{&options.train, &train}}) {
    Status status = files.Read(*path, text);
    if (!status.ok()) return Fail(err, MessageFor(status, options.language));
  }
  input->from_texts = true;
  AuthorCompile compiled =
      CompileAuthorTexts({route, train, options.route, options.train, identity},
                         {.diagnose = diagnose});
  input->s = std::move(compiled.scenario);
  if (compiled.outcome.end == CompileOutcome::End::kNoCells) {
    return Fail(err, ToolText(ToolMessage::kNoCellsToPlot, options.language));
  }
  input->notice = NoticeOf(input->s, options.route, options.language);
  if (!input->notice.empty()) Voice::Say(err, input->notice);
  input->plan = PlanSketch::Of(input->s);
  // Every fault of both texts, as check reports them.
  input->diagnostics = std::move(compiled.diagnostics);
  return true;
}

}  // namespace

bool LoadScenario(const ViewOptions& options, FileSystem& files,
                  ScenarioInput* input, std::ostream& err, bool diagnose) {
  if (!options.from.empty() &&
      (!options.route.empty() || !options.train.empty())) {
    return Fail(err, ToolText(ToolMessage::kTextsAndPackage, options.language));
  }
  const bool loaded =
      options.from.empty()
          ? CompileTexts(options, files, input, err, diagnose)
          : LoadPackage(options, files, &input->s, &input->plan, err);
  if (!loaded) return false;
  input->title = input->s.nome_linea;
  if (!input->s.numero_treno.empty()) {
    input->title += std::string(" - ") +
                    PlotLabelsFor(options.language)[PlotWord::kTrain] + " " +
                    input->s.numero_treno;
  }
  return true;
}

}  // namespace scenario
