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
    *status = ServeLanguageProtocol(in, out, files_, Language::kItalian);
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
  Request(1, "textDocument/hover", Position(kRouteUri, 0, 38));
  int status = -1;
  const std::vector<json> messages = Serve(&status);
  ASSERT_EQ(messages.size(), 1u);
  const json& result = messages[0]["result"];
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
  Request(1, "textDocument/documentSymbol",
          {{"textDocument", {{"uri", kTrainUri}}}});
  int status = -1;
  const std::vector<json> messages = Serve(&status);
  ASSERT_EQ(messages.size(), 1u);
  ASSERT_EQ(messages[0]["result"].size(), 1u) << messages[0];
  EXPECT_EQ(messages[0]["result"][0]["name"], "A (0 m)");
}

TEST_F(LanguageServerTest, ASessionFromInitializeToExit) {
  std::string train = EmbeddedTrain();
  train.replace(train.find("stazione,    5450"), 17, "stazione,    5475");
  files_.files["/w/R_linea.txt"] = EmbeddedRoute();  // saved, not open
  Request(1, "initialize", json::object());
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

  EXPECT_TRUE(
      messages[5]["result"]["contents"]["value"].get<std::string>().starts_with(
          "pendenza -4 ‰, da -100 a 155\n"))
      << messages[5];
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
  Send({{"jsonrpc", "2.0"}, {"id", 1}, {"method", 5}});
  Notify("textDocument/didOpen", {{"textDocument", 7}});
  input_ << "Content-Length: 4\r\n\r\n[1,2";
  Request(2, "textDocument/hover", Position("file:///x%zz%2", -5, -1));
  Request(3, "shutdown", nullptr);
  Notify("exit", nullptr);
  int status = -1;
  const std::vector<json> messages = Serve(&status);
  ASSERT_EQ(messages.size(), 5u);
  EXPECT_EQ(messages[0]["error"]["code"], -32600);
  EXPECT_EQ(messages[1]["error"]["code"], -32600);
  EXPECT_EQ(messages[2]["error"]["code"], -32700);
  EXPECT_TRUE(messages[3]["result"].is_null());
  EXPECT_EQ(status, 0);
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

// A real editor: Neovim, headless, opening a faulty text with the server
// configured, gets the diagnostic at the right line.
TEST(EditorTest, NeovimGetsTheDiagnosticAtItsLine) {
  if (std::system("command -v nvim > /dev/null") != 0) {
    GTEST_SKIP() << "Neovim is not installed";
  }
  const fs::path folder = fs::temp_directory_path() /
                          ("scenario_nvim_test." + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::ofstream(folder / "R_linea.txt") << EmbeddedRoute();
  std::string faulty = EmbeddedTrain();
  faulty.replace(faulty.find("stazione,    5450"), 17, "stazione,    5475");
  std::ofstream(folder / "R_7-.txt") << faulty;
  const int line = static_cast<int>(std::count(
      faulty.begin(), faulty.begin() + faulty.find("stazione,    5475"), '\n'));
  const fs::path result = folder / "result.txt";
  std::ofstream(folder / "init.lua")
      << "local client = vim.lsp.start_client({name = 'scenario', cmd = {'"
      << SCENARIO_TOOL_PATH << "', 'lsp'}, root_dir = '" << folder.string()
      << "'})\n"
      << "vim.lsp.buf_attach_client(0, client)\n"
      << "vim.wait(10000, function() return #vim.diagnostic.get(0) > 0 end, "
         "50)\n"
      << "local found = vim.diagnostic.get(0)\n"
      << "local f = io.open('" << result.string() << "', 'w')\n"
      << "for _, d in ipairs(found) do f:write(d.lnum, ' ', d.code or '', "
         "'\\n') end\n"
      << "f:close()\n"
      << "vim.cmd('qa!')\n";
  const std::string command = "cd '" + folder.string() +
                              "' && timeout 60 nvim --headless -n -u NONE "
                              "-c 'edit R_7-.txt' -c 'luafile init.lua' "
                              "> /dev/null 2>&1";
  std::system(command.c_str());
  std::stringstream found;
  found << std::ifstream(result).rdbuf();
  EXPECT_EQ(found.str(), std::to_string(line) + " 8\n");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace scenario
