#include "tool/commands/compile_command.h"

#include "base/exit_status.h"
#include "base/file_names.h"
#include "documents/author_documents.h"
#include "model/binary_files.h"

namespace scenario {

int CompileCommand(const CompileOptions& options, FileSystem& files,
                   std::ostream& out, std::ostream& err) {
  const Voice voice{options.binary_files ? "compile" : "documents",
                    options.language, options.json};
  CompileReport report;
  Identity identity;
  if (!ReadAuthorTexts(options, voice, files, out, err, &report, &identity)) {
    return kExitFailure;
  }
  std::string notes;
  if (options.documents && !options.notes.empty()) {
    if (Status read = files.Read(options.notes, &notes); !read.ok()) {
      return voice.Fail(out, err, MessageFor(read, options.language));
    }
  }
  const AuthorCompile compiled = CompileForReport(options, identity, &report);
  const bool complete = compiled.outcome.end == CompileOutcome::End::kComplete;
  // A compiler leaves its output alone when the source has an error: the
  // package of the last good compile stays whole. The simulator's own
  // compile writes what it has; that is asked for by name.
  if (complete && Fails(report, options) && !options.write_on_error) {
    report.outcome = CompileReport::Outcome::kKeptOnError;
  } else if (complete) {
    const FileNames names(options.output, identity.route_name,
                          identity.train_number);
    // One writer at a time in the folder, as for the program's own runs.
    std::unique_ptr<FolderLock> lock;
    Status status = files.CreateFolders(options.output);
    if (status.ok()) status = files.LockFolder(options.output, &lock);
    if (status.ok() && options.binary_files) {
      status = WriteBinaryFiles(compiled.scenario, names, files);
    }
    if (status.ok() && options.documents) {
      status = WriteAuthorDocuments(files, names, compiled.scenario, notes);
    }
    if (!status.ok()) {
      return voice.Fail(out, err, MessageFor(status, options.language));
    }
    report.outcome = CompileReport::Outcome::kWritten;
    if (options.binary_files) {
      if (compiled.scenario.scrivi_linea) {
        report.files.push_back(names.RoutePlan());
      }
      report.files.push_back(names.TrainBank());
      report.files.push_back(names.Cells());
    }
    if (options.documents) {
      for (const std::string& document :
           {names.Notes(), names.SlowOrders(), names.TrainCard()}) {
        report.files.push_back(document);
      }
    }
  }
  return Tell(report, options, out);
}

}  // namespace scenario
