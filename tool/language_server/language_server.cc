#include "tool/language_server/language_server.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "base/file_names.h"
#include "base/line_index.h"
#include "compiler/author_compile.h"
#include "compiler/item_reader.h"
#include "compiler/source_lines.h"

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

// The diagnostics of the pair the text belongs to, for both texts.
std::vector<json> LanguageServer::Publish(const std::string& uri) {
  const std::string path = PathOf(uri);
  std::string route_path, train_path;
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
  std::string route_text, train_text;
  if (route_path.empty() || !Text(route_path, &route_text)) return {};
  const bool has_train = !train_path.empty() && Text(train_path, &train_text);
  Identity identity = IdentityOf(route_path, train_path, {});
  if (identity.route_name.empty()) identity.route_name = "R";
  if (identity.train_number.empty()) identity.train_number = "1";
  const AuthorCompile all = CompileAuthorTexts(
      {route_text, has_train ? std::string_view(train_text) : "", route_path,
       has_train ? train_path : "-", identity});

  std::vector<json> notifications;
  for (const auto& [file, text] : {std::pair{route_path, &route_text},
                                   std::pair{train_path, &train_text}}) {
    if (file.empty() || (file == train_path && !has_train)) continue;
    const LineIndex lines(*text);
    json list = json::array();
    for (const Diagnostic& d : all.diagnostics) {
      if (d.site.file != file) continue;
      const int line = std::max(d.site.line, 1) - 1;
      const std::string_view source = lines.Line(line + 1);
      int start = std::max(d.site.column, 1) - 1;
      int end = static_cast<int>(source.size());
      if (d.site.column > 0) {
        for (const LineItem& item : Items(source)) {
          if (item.start <= start && start <= item.end) end = item.end;
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
    notifications.push_back(
        {{"jsonrpc", "2.0"},
         {"method", "textDocument/publishDiagnostics"},
         {"params", {{"uri", UriOf(file)}, {"diagnostics", list}}}});
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
      if (field.width != Width::kText)
        words += ", " + FieldRange(ref, language_);
      if (!field.about.empty()) words += "\n\n" + std::string(field.about);
    } else {
      return nullptr;
    }
    return {{"contents", {{"kind", "markdown"}, {"value", words}}},
            {"range", Range(line, items[i].start, items[i].end)}};
  }
  return nullptr;
}

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
  const bool route = IsRoute(PathOf(uri));
  json items = json::array();
  for (const SourceLine& kind : kSourceLines) {
    if ((kind.phase == Phase::kTrain) == route) continue;
    for (std::string_view spelling : kind.spellings) {
      std::string snippet(spelling);
      int n = 1;
      for (const SourceField& field : kind.fields) {
        snippet +=
            ", ${" + std::to_string(n++) + ":" +
            std::string(language_ == Language::kItalian ? field.italian
                                                        : field.english) +
            "}";
      }
      items.push_back(
          {{"label", std::string(spelling)},
           {"kind", 14},  // a keyword
           {"detail",
            language_ == Language::kItalian ? kind.italian : kind.english},
           {"insertText", snippet},
           {"insertTextFormat", 2}});
    }
  }
  return items;
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
    return reply({{"capabilities",
                   {{"textDocumentSync", 1},
                    {"hoverProvider", true},
                    {"completionProvider", json::object()},
                    {"documentSymbolProvider", true}}},
                  {"serverInfo", {{"name", "scenario-tool"}}}});
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
    open_.erase(PathOf(uri));
    return {};
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
                          FileSystem& files, Language language) {
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
