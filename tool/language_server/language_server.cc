#include "tool/language_server/language_server.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "base/file_names.h"
#include "base/line_index.h"
#include "compiler/author_compile.h"
#include "compiler/item_reader.h"
#include "compiler/source_lines.h"
#include "model/curve_classes.h"
#include "model/diagnostic_codes.h"

namespace scenario {
namespace {

using nlohmann::json;

// LSP's severities: 1 error, 2 warning, 3 information.
int SeverityOf(Diagnostic::Severity severity) {
  switch (severity) {
    case Diagnostic::Severity::kError:
      return 1;
    case Diagnostic::Severity::kWarning:
      return 2;
    case Diagnostic::Severity::kNote:
      return 3;
  }
  return 1;
}

std::string PathOf(const std::string& uri) {
  std::string path = uri.starts_with("file://") ? uri.substr(7) : uri;
  std::string decoded;
  for (size_t i = 0; i < path.size(); ++i) {
    unsigned byte = 0;
    // "%20" is a blank; a "%" not followed by two hex digits stays as it is.
    if (path[i] == '%' && i + 2 < path.size() &&
        std::from_chars(path.data() + i + 1, path.data() + i + 3, byte, 16)
                .ptr == path.data() + i + 3) {
      decoded += static_cast<char>(byte);
      i += 2;
    } else {
      decoded += path[i];
    }
  }
  return decoded;
}

std::string UriOf(const std::string& path) { return "file://" + path; }

// The items of one line as the compile reads them, with where each starts
// and ends on the line (a quoted item with its quotes, which may hold
// commas); a line ending in a comma has an empty last item there.
struct LineItem {
  int start, end;
  std::string text;
};
std::vector<LineItem> Items(std::string_view line) {
  std::vector<LineItem> items;
  ItemReader reader(line);
  Item item;
  while (reader.ReadText(&item) == ItemReader::Result::kOk && item.line == 1) {
    const int start = item.column - 1;
    size_t end =
        static_cast<size_t>(item.text.data() - line.data()) + item.text.size();
    if (end < line.size() && line[end] == '"') ++end;  // the closing quote
    items.push_back({start, static_cast<int>(end), std::string(item.text)});
  }
  const size_t last = line.find_last_not_of(" \t");
  if (last != std::string_view::npos && line[last] == ',') {
    const int at = static_cast<int>(line.size());
    items.push_back({at, at, ""});
  }
  return items;
}

// The kind of line a key item names, among the lines of its text.
const SourceLine* LineNamed(const std::string& key, bool route) {
  if (IsComment(key)) return nullptr;
  for (const SourceLine& line : kSourceLines) {
    if ((line.phase == Phase::kTrain) == route) continue;
    if (Names(line, key)) return &line;
  }
  return nullptr;
}

bool IsRoute(const std::string& path) {
  return path.ends_with(kRouteSourceSuffix);
}

json Range(int line, int start, int end) {
  return {{"start", {{"line", line}, {"character", start}}},
          {"end", {{"line", line}, {"character", end}}}};
}

}  // namespace

bool LanguageServer::Text(const std::string& path, std::string* text) {
  if (auto it = open_.find(path); it != open_.end()) {
    *text = it->second;
    return true;
  }
  return files_.Read(path, text).ok();
}

std::optional<LanguageServer::Pair> LanguageServer::Diagnose(
    const std::string& path) {
  Pair pair;
  std::string& route_path = pair.route_path;
  std::string& train_path = pair.train_path;
  if (IsRoute(path)) {
    route_path = path;
    const std::string route = std::string(RouteNameOf(FileNameOf(path)));
    // The train text beside it: one open in the editor, else on disk.
    std::vector<std::string> names;
    for (const auto& [open, text] : open_) {
      if (FolderOf(open) == FolderOf(path)) names.push_back(FileNameOf(open));
    }
    std::vector<std::string> listed;
    if (files_.List(FolderOf(path), &listed).ok()) {
      names.insert(names.end(), listed.begin(), listed.end());
    }
    for (const std::string& name : names) {
      if (!TrainNumberOf(name, route).empty()) {
        train_path = FolderOf(path) + "/" + name;
        break;
      }
    }
  } else {
    train_path = path;
    const std::string base = FileNameOf(path);
    for (size_t under = base.find('_'); under != std::string::npos;
         under = base.find('_', under + 1)) {
      const std::string candidate = FolderOf(path) + "/" +
                                    base.substr(0, under) +
                                    std::string(kRouteSourceSuffix);
      if (open_.count(candidate) || files_.Exists(candidate)) {
        route_path = candidate;
        break;
      }
    }
  }
  if (route_path.empty() || !Text(route_path, &pair.route_text)) {
    return std::nullopt;
  }
  if (train_path.empty() || !Text(train_path, &pair.train_text)) {
    train_path.clear();
  }
  Identity identity = IdentityOf(route_path, train_path, {});
  if (identity.route_name.empty()) identity.route_name = "R";
  if (identity.train_number.empty()) identity.train_number = "1";
  AuthorCompile all =
      CompileAuthorTexts({pair.route_text, pair.train_text, route_path,
                          train_path.empty() ? "-" : train_path, identity});
  pair.diagnostics = std::move(all.diagnostics);
  return pair;
}

namespace {

// The items of each line a text's diagnostics fall on, split once: a text
// written on one line costs one reading of that line, not one a
// diagnostic.
class ItemsByLine {
 public:
  explicit ItemsByLine(const std::string& text) : lines_(text) {}
  std::string_view Line(int line) const { return lines_.Line(line); }
  const std::vector<LineItem>& Items(int line) {
    auto it = items_.find(line);
    if (it == items_.end()) {
      it = items_.emplace(line, scenario::Items(lines_.Line(line))).first;
    }
    return it->second;
  }
  // The item a column (0-based) falls in.
  const LineItem* ItemAt(int line, int start) {
    const std::vector<LineItem>& items = Items(line);
    auto after = std::upper_bound(
        items.begin(), items.end(), start,
        [](int at, const LineItem& item) { return at < item.start; });
    if (after == items.begin()) return nullptr;
    const LineItem& item = *std::prev(after);
    return start <= item.end ? &item : nullptr;
  }

 private:
  LineIndex lines_;
  std::map<int, std::vector<LineItem>> items_;
};

json PublishDiagnostics(const std::string& file, json list) {
  return {{"jsonrpc", "2.0"},
          {"method", "textDocument/publishDiagnostics"},
          {"params", {{"uri", UriOf(file)}, {"diagnostics", std::move(list)}}}};
}

}  // namespace

// The diagnostics of the pair the text belongs to, for both texts.
std::vector<json> LanguageServer::Publish(const std::string& uri) {
  const std::optional<Pair> pair = Diagnose(PathOf(uri));
  if (!pair) return {};
  std::vector<json> notifications;
  for (const auto& [file, text] :
       {std::pair{pair->route_path, &pair->route_text},
        std::pair{pair->train_path, &pair->train_text}}) {
    if (file.empty()) continue;
    ItemsByLine lines(*text);
    json list = json::array();
    for (const Diagnostic& d : pair->diagnostics) {
      if (d.site.file != file) continue;
      const int line = std::max(d.site.line, 1) - 1;
      int start = std::max(d.site.column, 1) - 1;
      int end = static_cast<int>(lines.Line(line + 1).size());
      if (d.site.column > 0) {
        if (const LineItem* item = lines.ItemAt(line + 1, start)) {
          end = item->end;
        }
      } else {
        start = 0;
      }
      list.push_back({{"range", Range(line, start, std::max(end, start))},
                      {"severity", SeverityOf(d.severity)},
                      {"code", d.code},
                      {"source", "scenario-tool"},
                      {"message", MessageFor(d, language_)}});
    }
    notifications.push_back(PublishDiagnostics(file, std::move(list)));
  }
  return notifications;
}

json LanguageServer::Hover(const std::string& uri, int line, int character) {
  std::string text;
  if (!Text(PathOf(uri), &text)) return nullptr;
  const LineIndex lines(text);
  const std::vector<LineItem> items = Items(lines.Line(line + 1));
  if (items.empty()) return nullptr;
  const SourceLine* kind = LineNamed(items[0].text, IsRoute(PathOf(uri)));
  if (kind == nullptr) return nullptr;
  for (size_t i = 0; i < items.size(); ++i) {
    if (character < items[i].start || character > items[i].end) continue;
    std::string words;
    if (i == 0) {
      words = language_ == Language::kItalian ? kind->italian : kind->english;
    } else if (i - 1 < kind->fields.size()) {
      const SourceField& field = kind->fields[i - 1];
      const FieldRef ref = RefOf(field);
      int64_t value = 0;
      std::istringstream number(items[i].text);
      words = field.width != Width::kText && (number >> value)
                  ? FieldValue(ref, value, language_)
                  : FieldName(ref, language_);
      // A range that is any 32-bit number tells an author nothing.
      const bool any_number = field.min == source_fields::kLongMin &&
                              field.max == source_fields::kLongMax;
      if (field.width != Width::kText && !any_number) {
        words += ", " + FieldRange(ref, language_);
      }
      const std::string_view about =
          language_ == Language::kItalian ? field.about_italian : field.about;
      if (!about.empty()) words += "\n\n" + std::string(about);
    } else {
      return nullptr;
    }
    return {{"contents", {{"kind", "markdown"}, {"value", words}}},
            {"range", Range(line, items[i].start, items[i].end)}};
  }
  return nullptr;
}

namespace {

// Which part of its text a line stands in: a route's general part runs from
// "[generale]" to the next bracketed item that is no comment.
Phase PhaseAt(const std::string& text, int line, bool route) {
  if (!route) return Phase::kTrain;
  const LineIndex lines(text);
  bool general = false;
  for (int n = 1; n <= line; ++n) {
    const std::string_view source = lines.Line(n);
    const size_t first = source.find_first_not_of(" \t");
    if (first == std::string_view::npos) continue;
    const std::string_view key = source.substr(first, source.find(',') - first);
    if (!general) {
      general = ContainsAnyCase(key, source_sections::kGeneral);
    } else if (key.find('[') != std::string_view::npos &&
               key.find(']') != std::string_view::npos && !IsComment(key)) {
      return Phase::kRouteBody;
    }
  }
  return Phase::kRouteGeneral;
}

}  // namespace

json LanguageServer::Completion(const std::string& uri, int line,
                                int character) {
  std::string text;
  Text(PathOf(uri), &text);
  const LineIndex lines(text);
  const std::string_view current = lines.Line(line + 1);
  // Keywords start a line: nothing is offered after its first comma.
  if (current.substr(0, std::min<size_t>(character, current.size()))
          .find(',') != std::string_view::npos) {
    return json::array();
  }
  // What may stand here: a route's general keywords in its general part,
  // its body's in the body; a curve with its class.
  const Phase phase = PhaseAt(text, line, IsRoute(PathOf(uri)));
  json items = json::array();
  for (const SourceLine& kind : LinesOf(phase)) {
    std::vector<std::string> keys;
    for (std::string_view spelling : kind.spellings) {
      if (kind.kind != LineKind::kCurve) {
        keys.emplace_back(spelling);
        continue;
      }
      for (int c = 1; c <= kCurveClasses; ++c) {
        keys.push_back(std::string(spelling) + std::to_string(c));
      }
    }
    for (const std::string& key : keys) {
      // The keyword and its fields as placeholders, or the keyword and the
      // comma that starts its fields for a client without snippets.
      std::string insert = key;
      if (!snippets_ && !kind.fields.empty()) insert += ", ";
      for (size_t n = 0; snippets_ && n < kind.fields.size(); ++n) {
        const SourceField& field = kind.fields[n];
        insert += ", ${" + std::to_string(n + 1) + ":" +
                  std::string(language_ == Language::kItalian ? field.italian
                                                              : field.english) +
                  "}";
      }
      json item = {{"label", key},
                   {"kind", 14},  // a keyword
                   {"detail", language_ == Language::kItalian ? kind.italian
                                                              : kind.english},
                   {"insertText", insert},
                   {"insertTextFormat", snippets_ ? 2 : 1}};
      items.push_back(std::move(item));
    }
  }
  return items;
}

json LanguageServer::CodeActions(const std::string& uri, int first, int last) {
  const std::string path = PathOf(uri);
  const std::optional<Pair> pair = Diagnose(path);
  json actions = json::array();
  if (!pair) return actions;
  ItemsByLine lines(path == pair->route_path ? pair->route_text
                                             : pair->train_text);
  for (const Diagnostic& d : pair->diagnostics) {
    const int line = d.site.line - 1;
    if (d.site.file != path || line < first || line > last) continue;
    const std::vector<LineItem>& items = lines.Items(d.site.line);
    const LineItem* at = lines.ItemAt(d.site.line, d.site.column - 1);
    std::string title, replacement;
    int from = 0, to = 0;
    using Cause = Diagnostic::Cause;
    if (d.code == kUnknownKeyword && d.cause == Cause::kOwn &&
        !d.detail.empty() && !items.empty()) {
      title = ToolText(ToolMessage::kFixWrite, language_, {d.detail});
      replacement = d.detail;
      from = items[0].start;
      to = items[0].end;
    } else if ((d.code == kNoGeneralSection || d.code == kEmptyTrain) &&
               d.cause == Cause::kMisspeltHeader && at != nullptr) {
      replacement = std::string(source_sections::kGeneral);
      title = ToolText(ToolMessage::kFixWrite, language_, {replacement});
      from = at->start;
      to = at->end;
    } else if (d.code == kExtraFields && d.cause == Cause::kThousands &&
               items.size() > 2) {
      replacement = items[1].text + items[2].text;
      title = ToolText(ToolMessage::kFixWrite, language_, {replacement});
      from = items[1].start;
      to = items[2].end;
    } else if (d.code == kTextCutAtComma && at != nullptr) {
      const std::string_view rest =
          lines.Line(d.site.line).substr(static_cast<size_t>(at->start));
      replacement = "\"";
      for (char c : rest.substr(0, rest.find_last_not_of(" \t") + 1)) {
        replacement += c == '"' ? std::string("\"\"") : std::string(1, c);
      }
      replacement += '"';
      title = ToolText(ToolMessage::kFixQuote, language_);
      from = at->start;
      to = at->start + static_cast<int>(rest.size());
    } else if (d.code == kKeywordGlued && !items.empty()) {
      title = ToolText(ToolMessage::kFixComma, language_, {d.detail});
      replacement = ",";
      from = to = items[0].start + static_cast<int>(d.detail.size());
    } else {
      continue;
    }
    json diagnostic = {{"range", Range(line, std::max(d.site.column, 1) - 1,
                                       std::max(d.site.column, 1) - 1)},
                       {"code", d.code},
                       {"message", MessageFor(d, language_)}};
    actions.push_back(
        {{"title", title},
         {"kind", "quickfix"},
         {"diagnostics", json::array({diagnostic})},
         {"edit",
          {{"changes",
            {{uri, json::array({{{"range", Range(line, from, to)},
                                 {"newText", replacement}}})}}}}}});
  }
  return actions;
}

void LanguageServer::Initialize(const json& params) {
  initialized_ = true;
  const json capabilities = params.value("capabilities", json::object());
  const json* completion = &capabilities;
  for (const char* key : {"textDocument", "completion", "completionItem"}) {
    completion = completion->is_object() && completion->contains(key)
                     ? &(*completion)[key]
                     : nullptr;
    if (completion == nullptr) break;
  }
  snippets_ = completion != nullptr && completion->is_object() &&
              completion->value("snippetSupport", false);
  // The editor's locale, unless the command line asked for a language.
  const std::string locale = params.value("locale", "");
  if (!language_asked_ && locale.starts_with("en")) {
    language_ = Language::kEnglish;
  }
  if (!language_asked_ && locale.starts_with("it")) {
    language_ = Language::kItalian;
  }
}

json LanguageServer::Symbols(const std::string& uri) {
  std::string text;
  if (!Text(PathOf(uri), &text)) return json::array();
  const bool route = IsRoute(PathOf(uri));
  const LineIndex lines(text);
  json symbols = json::array();
  for (int n = 1; n <= static_cast<int>(lines.count()); ++n) {
    const std::string_view source = lines.Line(n);
    const std::vector<LineItem> items = Items(source);
    if (items.empty()) continue;  // a blank line
    const SourceLine* kind = LineNamed(items[0].text, route);
    if (kind == nullptr) continue;
    std::string name;
    int symbol_kind = 0;
    const std::string at = items.size() > 1 ? items[1].text : "";
    switch (kind->kind) {
      case LineKind::kStation:
        name = items.back().text + " (" + at + " m)";
        symbol_kind = 5;  // a class: the outline's biggest marks
        break;
      case LineKind::kSignal:
        name = "segnale " + at;
        symbol_kind = 20;
        break;
      case LineKind::kSlowDown:
        name = "rallentamento " + at;
        symbol_kind = 20;
        break;
      case LineKind::kSignboard:
        name = (items.size() > 2 ? items[2].text : "") + " (" + at + " m)";
        symbol_kind = 15;
        break;
      default:
        continue;
    }
    const json range = Range(n - 1, 0, static_cast<int>(source.size()));
    symbols.push_back({{"name", name},
                       {"kind", symbol_kind},
                       {"range", range},
                       {"selectionRange", range}});
  }
  return symbols;
}

std::vector<json> LanguageServer::Handle(const json& message) {
  const std::string method = message.value("method", "");
  const json id = message.contains("id") ? message["id"] : json(nullptr);
  const json params = message.value("params", json::object());
  auto reply = [&](const json& result) {
    return std::vector<json>{
        {{"jsonrpc", "2.0"}, {"id", id}, {"result", result}}};
  };
  if (method == "initialize") {
    Initialize(params);
    return reply({{"capabilities",
                   {{"textDocumentSync", 1},
                    {"hoverProvider", true},
                    {"completionProvider", json::object()},
                    {"documentSymbolProvider", true},
                    {"codeActionProvider", true}}},
                  {"serverInfo", {{"name", "scenario-tool"}}}});
  }
  if (!initialized_ && method != "exit") {
    // Before `initialize` a request gets the protocol's own error, and a
    // notification is dropped.
    if (id.is_null()) return {};
    return {
        {{"jsonrpc", "2.0"},
         {"id", id},
         {"error", {{"code", -32002}, {"message", "server not initialized"}}}}};
  }
  if (method == "shutdown") {
    shut_down_ = true;
    return reply(nullptr);
  }
  if (method == "exit") {
    exited_ = true;
    return {};
  }
  const std::string uri = params.contains("textDocument")
                              ? params["textDocument"].value("uri", "")
                              : "";
  if (method == "textDocument/didOpen") {
    open_[PathOf(uri)] = params["textDocument"].value("text", "");
    return Publish(uri);
  }
  if (method == "textDocument/didChange") {
    // Whole texts: the server asked for full synchronisation.
    for (const json& change : params.value("contentChanges", json::array())) {
      open_[PathOf(uri)] = change.value("text", "");
    }
    return Publish(uri);
  }
  if (method == "textDocument/didSave") return Publish(uri);
  if (method == "textDocument/didClose") {
    // Its diagnostics go with it.
    open_.erase(PathOf(uri));
    return {PublishDiagnostics(PathOf(uri), json::array())};
  }
  if (method == "textDocument/codeAction") {
    const json range = params.value("range", json::object());
    return reply(
        CodeActions(uri, range.value("start", json::object()).value("line", 0),
                    range.value("end", json::object()).value("line", 0)));
  }
  const json position = params.value("position", json::object());
  const int line = position.value("line", 0);
  const int character = position.value("character", 0);
  if (method == "textDocument/hover") return reply(Hover(uri, line, character));
  if (method == "textDocument/completion") {
    return reply(Completion(uri, line, character));
  }
  if (method == "textDocument/documentSymbol") return reply(Symbols(uri));
  if (!id.is_null()) {
    // A request we do not serve is answered, as the protocol asks.
    return {{{"jsonrpc", "2.0"},
             {"id", id},
             {"error", {{"code", -32601}, {"message", "method not found"}}}}};
  }
  return {};
}

int ServeLanguageProtocol(std::istream& in, std::ostream& out,
                          FileSystem& files, std::optional<Language> language) {
  LanguageServer server(files, language);
  while (!server.exited()) {
    // Headers up to an empty line; Content-Length gives the body's size.
    size_t length = 0;
    bool any = false;
    for (std::string header; std::getline(in, header);) {
      any = true;
      if (!header.empty() && header.back() == '\r') header.pop_back();
      if (header.empty()) break;
      const std::string name = "Content-Length:";
      if (header.starts_with(name)) {
        const char* digits = header.data() + name.size();
        while (*digits == ' ') ++digits;
        // A length that is no number, or beyond any text's, ends the
        // session rather than the process.
        if (std::from_chars(digits, header.data() + header.size(), length).ec !=
                std::errc() ||
            length > kMaxReadSize) {
          return server.exit_status();
        }
      }
    }
    if (!any || !in) return server.exit_status();
    std::string body(length, '\0');
    if (!in.read(body.data(), static_cast<std::streamsize>(length))) {
      return server.exit_status();
    }
    const json message = json::parse(body, nullptr, /*allow_exceptions=*/false);
    if (message.is_discarded()) {
      const std::string error =
          json{{"jsonrpc", "2.0"},
               {"id", nullptr},
               {"error", {{"code", -32700}, {"message", "parse error"}}}}
              .dump();
      out << "Content-Length: " << error.size() << "\r\n\r\n" << error;
      out.flush();
      continue;
    }
    std::vector<json> replies;
    try {
      replies = server.Handle(message);
    } catch (const json::exception&) {
      // A message of the wrong shape (a number for a text, say) is refused
      // on its own; the session goes on.
      replies = {
          {{"jsonrpc", "2.0"},
           {"id", message.is_object() && message.contains("id")
                      ? message["id"]
                      : json(nullptr)},
           {"error", {{"code", -32600}, {"message", "invalid request"}}}}};
    }
    for (const json& reply : replies) {
      // A text's bytes that are no UTF-8 are replaced, not a failure.
      const std::string text =
          reply.dump(-1, ' ', false, json::error_handler_t::replace);
      out << "Content-Length: " << text.size() << "\r\n\r\n" << text;
    }
    out.flush();
  }
  return server.exit_status();
}

}  // namespace scenario
