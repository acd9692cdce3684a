#include "tool/language_server/language_server.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "base/memory_file_system.h"
#include "compiler/compile_for_test.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

constexpr char kRouteUri[] = "file:///w/R_linea.txt";
constexpr char kTrainUri[] = "file:///w/R_7-.txt";

// A test client: the messages framed as an editor frames them, and the
// server's answers read back.
class LanguageServerTest : public ::testing::Test {
 protected:
  void Send(const json& message) {
    const std::string text = message.dump();
    input_ << "Content-Length: " << text.size() << "\r\n\r\n" << text;
  }
  void Request(int id, const std::string& method, const json& params) {
    Send({{"jsonrpc", "2.0"},
          {"id", id},
          {"method", method},
          {"params", params}});
  }
  void Notify(const std::string& method, const json& params) {
    Send({{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
  }
  // Runs the server over everything sent; its messages in order.
  std::vector<json> Serve(int* status) {
    std::istringstream in(input_.str());
    std::ostringstream out;
    *status = ServeLanguageProtocol(in, out, files_, std::nullopt);
    std::vector<json> messages;
    std::istringstream frames(out.str());
    for (std::string header; std::getline(frames, header);) {
      if (!header.starts_with("Content-Length: ")) return {};  // not protocol
      const size_t length = std::stoul(header.substr(16));
      std::string blank;
      std::getline(frames, blank);
      std::string body(length, '\0');
      frames.read(body.data(), static_cast<std::streamsize>(length));
      messages.push_back(json::parse(body));
    }
    return messages;
  }
  static json Position(const char* uri, int line, int character) {
    return {{"textDocument", {{"uri", uri}}},
            {"position", {{"line", line}, {"character", character}}}};
  }

  std::ostringstream input_;
  MemoryFileSystem files_;
};

// Items are read as the compile reads them: a quoted signboard text holds
// its comma, and hover anywhere in it names the text field.
TEST_F(LanguageServerTest, HoverInsideAQuotedItem) {
  const std::string line = "cartello_indicatore, 100, \"(P.L.Km)(1,000)\"";
  files_.files["/w/R_linea.txt"] = line + "\r\n";
  Request(0, "initialize", json::object());
  Request(1, "textDocument/hover", Position(kRouteUri, 0, 38));
  int status = -1;
  const std::vector<json> messages = Serve(&status);
  ASSERT_EQ(messages.size(), 2u);
  const json& result = messages[1]["result"];
  ASSERT_FALSE(result.is_null()) << messages[0];
  EXPECT_NE(result["contents"]["value"].get<std::string>().find("testo"),
            std::string::npos)
      << result;
  EXPECT_EQ(result["range"]["start"]["character"], 26);
  EXPECT_EQ(result["range"]["end"]["character"], static_cast<int>(line.size()));
}

// Blank lines and lines of blanks hold no items: the outline passes them.
TEST_F(LanguageServerTest, TheOutlinePassesBlankLines) {
  files_.files["/w/R_7-.txt"] =
      "[stazioni]\r\n\r\n   \r\nstazione, 0, 1, 0, 0, 0, \"A\"\r\n\r\n";
  Request(0, "initialize", json::object());
  Request(1, "textDocument/documentSymbol",
          {{"textDocument", {{"uri", kTrainUri}}}});
  int status = -1;
  const std::vector<json> messages = Serve(&status);
  ASSERT_EQ(messages.size(), 2u);
  ASSERT_EQ(messages[1]["result"].size(), 1u) << messages[1];
  EXPECT_EQ(messages[1]["result"][0]["name"], "A (0 m)");
}

TEST_F(LanguageServerTest, ASessionFromInitializeToExit) {
  std::string train = EmbeddedTrain();
  train.replace(train.find("stazione,    5450"), 17, "stazione,    5475");
  files_.files["/w/R_linea.txt"] = EmbeddedRoute();  // saved, not open
  const json snippets = {
      {"textDocument",
       {{"completion", {{"completionItem", {{"snippetSupport", true}}}}}}}};
  Request(1, "initialize", {{"capabilities", snippets}});
  Notify("initialized", json::object());
  // The unsaved text in the editor counts, not the one on disk.
  Notify("textDocument/didOpen", {{"textDocument",
                                   {{"uri", kTrainUri},
                                    {"languageId", "scenario"},
                                    {"version", 1},
                                    {"text", train}}}});
  Notify("textDocument/didChange",
         {{"textDocument", {{"uri", kTrainUri}, {"version", 2}}},
          {"contentChanges", {{{"text", EmbeddedTrain()}}}}});
  // "pendenza,  1000,   -4" is the route's eleventh line... as the file has
  // it: find it.
  const std::string route = EmbeddedRoute();
  const int gradient_line = static_cast<int>(std::count(
      route.begin(), route.begin() + route.find("pendenza,  1000"), '\n'));
  Request(2, "textDocument/hover", Position(kRouteUri, gradient_line, 19));
  Request(3, "textDocument/hover", Position(kRouteUri, gradient_line, 2));
  Request(4, "textDocument/completion", Position(kTrainUri, 3, 0));
  Request(5, "textDocument/documentSymbol",
          {{"textDocument", {{"uri", kTrainUri}}}});
  Request(6, "shutdown", nullptr);
  Notify("exit", nullptr);
  int status = -1;
  const std::vector<json> messages = Serve(&status);
  EXPECT_EQ(status, 0);
  ASSERT_GE(messages.size(), 9u);
  EXPECT_TRUE(messages[0]["result"]["capabilities"]["hoverProvider"]);

  // On opening: the station off the grid, at its field.
  const json& opened = messages[2];
  EXPECT_EQ(opened["params"]["uri"], kTrainUri);
  ASSERT_EQ(opened["params"]["diagnostics"].size(), 1u);
  const json& d = opened["params"]["diagnostics"][0];
  EXPECT_EQ(d["code"], 8);
  EXPECT_EQ(d["severity"], 1);
  const int line = static_cast<int>(std::count(
      train.begin(), train.begin() + train.find("stazione,    5475"), '\n'));
  EXPECT_EQ(d["range"]["start"]["line"], line);
  EXPECT_EQ(d["range"]["start"]["character"], 13);
  EXPECT_EQ(d["range"]["end"]["character"], 17);
  // After the change the fault is gone.
  EXPECT_TRUE(messages[4]["params"]["diagnostics"].empty());

  EXPECT_EQ(messages[5]["result"]["contents"]["value"],
            "pendenza -4 ‰, da -100 a 155\n\nin salita se positiva");
  EXPECT_NE(messages[6]["result"]["contents"]["value"].get<std::string>().find(
                "pendenza"),
            std::string::npos);
  bool station = false;
  for (const json& item : messages[7]["result"]) {
    station |= item["label"] == "stazione" &&
               item["insertText"].get<std::string>().starts_with(
                   "stazione, ${1:progressiva}, ${2:tipo}");
  }
  EXPECT_TRUE(station);
  const json& symbols = messages[8]["result"];
  ASSERT_FALSE(symbols.empty());
  EXPECT_EQ(symbols[0]["name"], "VALDORSIO (0 m)");
  EXPECT_EQ(messages.back()["id"], 6);
}

TEST_F(LanguageServerTest, ExitWithoutShutdownEndsWithStatusOne) {
  Request(1, "initialize", json::object());
  Request(2, "workspace/unknown", json::object());
  Notify("exit", nullptr);
  int status = -1;
  const std::vector<json> messages = Serve(&status);
  EXPECT_EQ(status, 1);
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1]["error"]["code"], -32601);
}

TEST_F(LanguageServerTest, MessagesOfTheWrongShapeAreRefusedOneByOne) {
  // Before `initialize`: the protocol's own error, and a notification is
  // dropped.
  Request(1, "textDocument/hover", Position(kRouteUri, 0, 0));
  Notify("textDocument/didOpen", {{"textDocument", 7}});
  Request(2, "initialize", json::object());
  Send({{"jsonrpc", "2.0"}, {"id", 3}, {"method", 5}});
  Notify("textDocument/didOpen", {{"textDocument", 7}});
  input_ << "Content-Length: 4\r\n\r\n[1,2";
  Request(4, "textDocument/hover", Position("file:///x%zz%2", -5, -1));
  Request(5, "shutdown", nullptr);
  Notify("exit", nullptr);
  int status = -1;
  const std::vector<json> messages = Serve(&status);
  ASSERT_EQ(messages.size(), 7u);
  EXPECT_EQ(messages[0]["error"]["code"], -32002);
  EXPECT_EQ(messages[1]["id"], 2);
  EXPECT_EQ(messages[2]["error"]["code"], -32600);
  EXPECT_EQ(messages[3]["error"]["code"], -32600);
  EXPECT_EQ(messages[4]["error"]["code"], -32700);
  EXPECT_TRUE(messages[5]["result"].is_null());
  EXPECT_EQ(status, 0);
}

// The server follows the editor: its language, whether it takes snippets,
// what may stand where the cursor is, a closed text's diagnostics
// cleared, and quick fixes for the mistakes that know their fix.
TEST_F(LanguageServerTest, TheServerFollowsTheEditor) {
  files_.files["/w/R_linea.txt"] =
      "[generale]\r\nlunghezza percorso, 5000\r\n[curve]\r\npendnza, 100, "
      "1\r\n[fine]\r\n";
  files_.files["/w/R_7-.txt"] =
      "[generale]\r\nvelocita, 1,000, 80\r\n[fine]\r\n";
  Request(1, "initialize", {{"locale", "en-GB"}});
  Request(2, "textDocument/completion", Position(kRouteUri, 1, 0));
  Request(3, "textDocument/completion", Position(kRouteUri, 3, 0));
  Request(4, "textDocument/codeAction",
          {{"textDocument", {{"uri", kRouteUri}}},
           {"range",
            {{"start", {{"line", 3}, {"character", 0}}},
             {"end", {{"line", 3}, {"character", 0}}}}}});
  Request(5, "textDocument/codeAction",
          {{"textDocument", {{"uri", kTrainUri}}},
           {"range",
            {{"start", {{"line", 1}, {"character", 0}}},
             {"end", {{"line", 1}, {"character", 0}}}}}});
  Notify("textDocument/didOpen",
         {{"textDocument", {{"uri", kTrainUri}, {"text", "[generale]\r\n"}}}});
  Notify("textDocument/didClose", {{"textDocument", {{"uri", kTrainUri}}}});
  int status = -1;
  const std::vector<json> messages = Serve(&status);
  ASSERT_EQ(messages.size(), 8u);

  std::set<std::string> general, body;
  for (const json& item : messages[1]["result"]) {
    general.insert(item["label"].get<std::string>());
    EXPECT_EQ(item["insertTextFormat"], 1) << item;  // no snippets asked
  }
  for (const json& item : messages[2]["result"]) {
    body.insert(item["label"].get<std::string>());
  }
  EXPECT_TRUE(general.count("lunghezza percorso"));
  EXPECT_FALSE(general.count("pendenza"));
  EXPECT_TRUE(body.count("pendenza"));
  EXPECT_TRUE(body.count("curvad3"));
  EXPECT_FALSE(body.count("lunghezza percorso"));

  const json& keyword = messages[3]["result"];
  ASSERT_EQ(keyword.size(), 1u) << keyword;
  EXPECT_EQ(keyword[0]["title"], "Write \"pendenza\"");
  const json& edit = keyword[0]["edit"]["changes"][kRouteUri][0];
  EXPECT_EQ(edit["newText"], "pendenza");
  EXPECT_EQ(edit["range"]["end"]["character"], 7);
  const json& thousands = messages[4]["result"];
  ASSERT_EQ(thousands.size(), 1u) << thousands;
  const json& digits = thousands[0]["edit"]["changes"][kTrainUri][0];
  EXPECT_EQ(digits["newText"], "1000");
  EXPECT_EQ(digits["range"]["start"]["character"], 10);
  EXPECT_EQ(digits["range"]["end"]["character"], 15);

  // Opened, then closed: its diagnostics are cleared.
  EXPECT_EQ(messages.back()["params"]["uri"], kTrainUri);
  EXPECT_TRUE(messages.back()["params"]["diagnostics"].empty());
}

// The watch mode, as a process: it checks at start and after each save.
TEST(WatchTest, EachSaveChecksTheTextsAgain) {
  const fs::path folder = fs::temp_directory_path() /
                          ("scenario_watch_test." + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::ofstream(folder / "R_linea.txt") << EmbeddedRoute();
  std::ofstream(folder / "R_7-.txt") << EmbeddedTrain();
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(fds[1], STDOUT_FILENO);
    ::close(fds[0]);
    ::chdir(folder.c_str());
    ::execl(SCENARIO_TOOL_PATH, SCENARIO_TOOL_PATH, "watch", "R_linea.txt",
            "R_7-.txt", "--lang", "en", nullptr);
    ::_exit(127);
  }
  ::close(fds[1]);
  std::string output;
  auto wait_for = [&](size_t runs) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      size_t seen = 0;
      for (size_t at = output.find("== waiting"); at != std::string::npos;
           at = output.find("== waiting", at + 1)) {
        ++seen;
      }
      if (seen >= runs) return true;
      char buffer[4096];
      pollfd ready{fds[0], POLLIN, 0};
      if (::poll(&ready, 1, 100) > 0) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n > 0) output.append(buffer, static_cast<size_t>(n));
      }
    }
    return false;
  };
  ASSERT_TRUE(wait_for(1)) << output;
  EXPECT_NE(output.find("checked: 0 errors"), std::string::npos);
  std::string faulty = EmbeddedTrain();
  faulty.replace(faulty.find("stazione,    5450"), 17, "stazione,    5475");
  std::ofstream(folder / "R_7-.txt") << faulty;
  ASSERT_TRUE(wait_for(2)) << output;
  EXPECT_NE(output.find("error 8"), std::string::npos);
  std::ofstream(folder / "R_7-.txt") << EmbeddedTrain();
  ASSERT_TRUE(wait_for(3)) << output;
  EXPECT_EQ(output.rfind("checked: 0 errors") > output.find("error 8"), true);
  ::kill(pid, SIGINT);
  int status = 0;
  ::waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status)) << "Ctrl-C ends it cleanly";
  ::close(fds[0]);
  fs::remove_all(folder);
}

// An editor's configuration in the README, as an author copies it: the
// first indented block after the paragraph that starts with `heading`,
// with the tool's path for its name in the server's `command`.
std::string ReadmeConfiguration(const std::string& heading,
                                const std::string& command) {
  std::ifstream readme(std::string(SCENARIO_SOURCE_DIR) + "/README.md");
  std::string config;
  bool in = false;
  for (std::string line; std::getline(readme, line);) {
    if (line.starts_with(heading)) in = true;
    if (!in) continue;
    if (line.starts_with("    ")) {
      config += line.substr(4) + "\n";
    } else if (!config.empty()) {
      break;
    }
  }
  std::string with_path = command;
  const std::string name = "scenario-tool";
  with_path.replace(with_path.find(name), name.size(), SCENARIO_TOOL_PATH);
  const size_t at = config.find(command);
  if (at != std::string::npos) config.replace(at, command.size(), with_path);
  return config;
}

// A real editor: Neovim, headless, with the README's configuration and
// both texts open: one server, each diagnostic once, the train's refreshed
// when the route is mended and saved, and a quick fix applied.
TEST(EditorTest, NeovimWithTheReadmesConfiguration) {
  if (std::system("command -v nvim > /dev/null") != 0) {
    GTEST_SKIP() << "Neovim is not installed";
  }
  const std::string config =
      ReadmeConfiguration("Neovim (0.7 and later)", "{'scenario-tool', 'lsp'}");
  ASSERT_NE(config.find("start_client"), std::string::npos) << config;
  const fs::path folder = fs::temp_directory_path() /
                          ("scenario_nvim_test." + std::to_string(::getpid()));
  fs::create_directories(folder);
  // A route too short for the train's signal (code 15 in the train), with
  // a misspelt gradient line.
  std::ofstream(folder / "R_linea.txt")
      << RouteWithBody("pendnza, 100, 1\r\n", "5000");
  std::ofstream(folder / "R_7-.txt") << TrainWith(
      "velocita, 0, 80\r\nsegnale, 20000, 1,4,0,0,0,0,0,0,0,0\r\n");
  std::ofstream(folder / "init.lua") << config;
  const fs::path result = folder / "result.txt";
  std::ofstream(folder / "check.lua")
      << "local out = io.open('" << result.string() << "', 'w')\n"
      << "local route = vim.fn.bufnr('R_linea.txt')\n"
      << "local train = vim.fn.bufnr('R_7-.txt')\n"
      << "local function codes(buf)\n"
      << "  local list = {}\n"
      << "  for _, d in ipairs(vim.diagnostic.get(buf)) do\n"
      << "    table.insert(list, d.lnum .. ':' .. tostring(d.code))\n"
      << "  end\n"
      << "  table.sort(list)\n"
      << "  return table.concat(list, ' ')\n"
      << "end\n"
      << "vim.wait(10000, function() return #vim.diagnostic.get(train) > 0 "
         "and #vim.diagnostic.get(route) > 0 end, 50)\n"
      << "out:write('clients ', #vim.lsp.get_active_clients(), '\\n')\n"
      << "out:write('train ', codes(train), '\\n')\n"
      << "out:write('route ', codes(route), '\\n')\n"
      // The quick fix for the misspelt keyword.
      << "local params = {textDocument = {uri = vim.uri_from_bufnr(route)},\n"
      << "  range = {start = {line = 3, character = 0},\n"
      << "           ['end'] = {line = 3, character = 0}},\n"
      << "  context = {diagnostics = {}}}\n"
      << "local answers = vim.lsp.buf_request_sync(route, "
         "'textDocument/codeAction', params, 5000)\n"
      << "for _, answer in pairs(answers or {}) do\n"
      << "  for _, action in ipairs(answer.result or {}) do\n"
      << "    vim.lsp.util.apply_workspace_edit(action.edit, 'utf-8')\n"
      << "  end\n"
      << "end\n"
      << "out:write('fixed ', vim.api.nvim_buf_get_lines(route, 3, 4, "
         "false)[1], '\\n')\n"
      // The route made long enough, and saved: the train's 15 goes.
      << "vim.api.nvim_buf_set_lines(route, 1, 2, false, "
         "{'lunghezza percorso, 67000'})\n"
      << "vim.api.nvim_buf_call(route, function() vim.cmd('write') end)\n"
      << "vim.wait(10000, function() return #vim.diagnostic.get(train) == 0 "
         "end, 50)\n"
      << "out:write('train after ', codes(train), '\\n')\n"
      << "out:close()\n"
      << "vim.cmd('qa!')\n";
  const std::string command =
      "cd '" + folder.string() +
      "' && timeout 60 nvim --headless -n -u init.lua -c 'edit R_linea.txt' "
      "-c 'edit R_7-.txt' -c 'luafile check.lua' > /dev/null 2>&1";
  std::system(command.c_str());
  std::stringstream found;
  found << std::ifstream(result).rdbuf();
  EXPECT_EQ(found.str(),
            "clients 1\n"
            "train 2:15\n"
            "route 3:201\n"
            "fixed pendenza, 100, 1\n"
            "train after \n")
      << found.str();
  fs::remove_all(folder);
}

// Another: Emacs with eglot, in batch, with the README's configuration,
// gets the diagnostic at its line.
TEST(EditorTest, EmacsWithTheReadmesConfiguration) {
  if (std::system("emacs --batch --eval \"(require 'eglot)\" > /dev/null "
                  "2>&1") != 0) {
    GTEST_SKIP() << "Emacs with eglot is not installed";
  }
  const std::string config = ReadmeConfiguration("Emacs (eglot), in `init.el`",
                                                 "\"scenario-tool\" \"lsp\"");
  ASSERT_NE(config.find("eglot-server-programs"), std::string::npos) << config;
  const fs::path folder = fs::temp_directory_path() /
                          ("scenario_emacs_test." + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::ofstream(folder / "R_linea.txt") << RouteWithBody("");
  std::ofstream(folder / "R_7-.txt") << TrainWith(
      "stazione, 5475, 8, 400, 0,0,0, 0,0,0, 0,0,0, 0, 7,0,0, "
      "A\r\n");
  std::ofstream(folder / "init.el") << config;
  // Flymake shows what eglot receives; in batch its timers are run by
  // hand while waiting.
  std::ofstream(folder / "check.el")
      << "(require 'eglot)\n(require 'flymake)\n"
      << "(find-file \"R_7-.txt\")\n"
      << "(apply #'eglot (eglot--guess-contact))\n"
      << "(with-timeout (30 nil)\n"
      << "  (while (null (flymake-diagnostics))\n"
      << "    (accept-process-output nil 0.1)\n"
      << "    (flymake-start)))\n"
      << "(let ((found (flymake-diagnostics)))\n"
      << "  (with-temp-file \"result.txt\"\n"
      << "    (dolist (d found)\n"
      << "      (insert (format \"%d %s\\n\"\n"
      << "        (with-current-buffer (flymake-diagnostic-buffer d)\n"
      << "          (line-number-at-pos (flymake-diagnostic-beg d)))\n"
      << "        (flymake-diagnostic-text d))))))\n"
      << "(kill-emacs 0)\n";
  const std::string command = "cd '" + folder.string() +
                              "' && timeout 60 emacs --batch -l init.el -l "
                              "check.el > /dev/null 2>&1";
  std::system(command.c_str());
  std::stringstream found;
  found << std::ifstream(folder / "result.txt").rdbuf();
  EXPECT_EQ(found.str(),
            "2 scenario-tool [8]: progressiva della stazione non multipla di "
            "50\n");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace scenario
