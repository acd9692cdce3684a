#include "tool/language_server/language_server.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

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

}  // namespace
}  // namespace scenario
