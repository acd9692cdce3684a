#ifndef TOOL_LANGUAGE_SERVER_LANGUAGE_SERVER_H_
#define TOOL_LANGUAGE_SERVER_LANGUAGE_SERVER_H_

#include <istream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/file_system.h"
#include "messages/messages.h"

namespace scenario {

// A language server for the route and train texts: diagnostics as the
// author types (the pair found by the usual names in one folder, an open
// text taken from the editor, not the disk), hover on fields and
// keywords, completion of keywords with their fields, and the stations,
// signals, slow-downs and signboards as the outline.
class LanguageServer {
 public:
  // `language`: the one asked on the command line; without it, the
  // editor's locale, else Italian.
  LanguageServer(FileSystem& files, std::optional<Language> language)
      : files_(files),
        language_(language.value_or(Language::kItalian)),
        language_asked_(language.has_value()) {}

  // Answers one message: the replies and notifications to send, in order.
  std::vector<nlohmann::json> Handle(const nlohmann::json& message);
  bool exited() const { return exited_; }
  // 0 when `exit` came after `shutdown`, 1 otherwise, as the protocol says.
  int exit_status() const { return shut_down_ ? 0 : 1; }

 private:
  // The compile of the pair a text belongs to: both texts' paths (the
  // train's "" when there is none) and every diagnostic of both.
  struct Pair {
    std::string route_path, train_path;
    std::string route_text, train_text;
    std::vector<Diagnostic> diagnostics;
  };
  std::optional<Pair> Diagnose(const std::string& path);
  std::vector<nlohmann::json> Publish(const std::string& uri);
  nlohmann::json CodeActions(const std::string& uri, int first, int last);
  void Initialize(const nlohmann::json& params);
  nlohmann::json Hover(const std::string& uri, int line, int character);
  nlohmann::json Completion(const std::string& uri, int line, int character);
  nlohmann::json Symbols(const std::string& uri);
  // An open text from the editor, else the file on disk; false if neither.
  bool Text(const std::string& path, std::string* text);

  FileSystem& files_;
  Language language_;
  bool language_asked_;
  bool initialized_ = false;
  bool snippets_ = false;  // the client takes completion snippets
  std::map<std::string, std::string> open_;  // by path
  bool shut_down_ = false;
  bool exited_ = false;
};

// Serves the protocol on `in` and `out` (JSON-RPC messages, each after a
// Content-Length header) until `exit`; writes nothing else to `out`.
// Returns the exit status.
int ServeLanguageProtocol(std::istream& in, std::ostream& out,
                          FileSystem& files, std::optional<Language> language);

}  // namespace scenario

#endif  // TOOL_LANGUAGE_SERVER_LANGUAGE_SERVER_H_
