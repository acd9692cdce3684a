#include "tool/commands/new_command.h"

#include "base/exit_status.h"
#include "base/file_names.h"
#include "base/text_document.h"
#include "compiler/source_lines.h"
#include "source/route_source.h"
#include "source/starter_source.h"
#include "source/train_source.h"
#include "tool/common/voice.h"

namespace scenario {
namespace {

// The comment before a section: what each of its lines holds, in the
// reader's words, from the table the compiler reads by. A comment is a key
// item holding "-" and no comma: the compile passes over it.
std::string SectionComment(std::string_view header, bool route,
                           Language language) {
  std::string comment;
  for (const SourceLine& line : kSourceLines) {
    if (line.section != header || (line.phase != Phase::kTrain) != route) {
      continue;
    }
    comment += comment.empty() ? "- " : "; ";
    comment += line.spellings.front();
    comment += ":";
    for (const SourceField& field : line.fields) {
      comment += &field == line.fields.data() ? " " : " / ";
      comment += language == Language::kItalian ? field.italian : field.english;
      if (!field.unit.empty()) {
        comment += " (";
        comment += field.unit;
        comment += ")";
      }
    }
  }
  return comment;  // UTF-8, as every line the text document encodes
}

// An embedded text with a comment before each section that holds lines.
std::string StarterText(std::span<const std::string_view> lines, bool route,
                        Language language) {
  std::vector<std::string> comments;
  std::vector<std::string_view> starter;
  comments.reserve(lines.size());
  for (std::string_view line : lines) {
    if (line == kEndOfList) break;
    if (line.starts_with("[")) {
      comments.push_back(SectionComment(line, route, language));
      if (!comments.back().empty()) starter.push_back(comments.back());
    }
    starter.push_back(line);
  }
  starter.push_back(kEndOfList);
  return EncodeTextDocument(starter);
}

}  // namespace

int NewCommand(const NewOptions& options, FileSystem& files, std::ostream& out,
               std::ostream& err) {
  const Voice voice{"new", options.language};
  bool is_route = true;
  const Identity identity{options.route_name, options.train_number};
  const NameFault fault = CheckIdentity(identity, &is_route);
  if (fault != NameFault::kNone) {
    return voice.Fail(
        out, err, NameFaultText(fault, identity, is_route, options.language));
  }
  const FileNames names(options.output, options.route_name,
                        options.train_number);
  const std::string route = names.RouteSource();
  const std::string train = names.TrainSource();
  for (const std::string& path : {route, train}) {
    if (files.Exists(path)) {
      return voice.Fail(
          out, err,
          ToolText(ToolMessage::kWouldReplace, options.language, {path}));
    }
  }
  const std::string route_text =
      StarterText(options.embedded ? RouteSourceLines() : StarterRouteLines(),
                  /*route=*/true, options.language);
  const std::string train_text =
      StarterText(options.embedded ? TrainSourceLines() : StarterTrainLines(),
                  /*route=*/false, options.language);
  Status status = files.CreateFolders(options.output);
  if (status.ok()) {
    status = files.ReplaceAll({{route, route_text}, {train, train_text}});
  }
  if (!status.ok()) {
    return voice.Fail(out, err, MessageFor(status, options.language));
  }
  out << ToolText(ToolMessage::kTextsWritten, options.language, {route, train})
      << "\n";
  return kExitSuccess;
}

}  // namespace scenario
