// The script reference (docs/sim-scripts.md) against the script reader: its
// example reads and uses every command, and what the reader says of wrong
// lines is among the messages the reference lists.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/sim_script.h"
#include "platform/messages.h"

namespace {

std::string ReadReference() {
  std::ifstream in(SLIDORA_SOURCE_DIR "/docs/sim-scripts.md", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The texts of the reference's ```sim blocks.
std::vector<std::string> ScriptBlocks(const std::string& doc) {
  std::vector<std::string> blocks;
  const std::regex block("```sim\n([\\s\\S]*?)```");
  for (std::sregex_iterator it(doc.begin(), doc.end(), block), end; it != end; ++it) {
    blocks.push_back((*it)[1].str());
  }
  return blocks;
}

// The error messages of the reference's table, as patterns: the capitals
// N, K, WORD, TEXT, X and Y stand for any text.
std::vector<std::regex> ErrorPatterns(const std::string& doc) {
  std::vector<std::regex> patterns;
  const std::regex row("\\| `(sim: line [^`]*)` \\|");
  for (std::sregex_iterator it(doc.begin(), doc.end(), row), end; it != end; ++it) {
    std::string p = std::regex_replace((*it)[1].str(), std::regex("[.*+?()\\[\\]{}|^$\\\\]"), "\\$&");
    p = std::regex_replace(p, std::regex("\\b(N|K|WORD|TEXT|X|Y)\\b"), ".+");
    patterns.emplace_back(p);
  }
  return patterns;
}

TEST(SimScriptsReferenceTest, ExampleReadsAndUsesEveryCommand) {
  const std::vector<std::string> scripts = ScriptBlocks(ReadReference());
  ASSERT_FALSE(scripts.empty());
  std::set<int> kinds;
  std::set<uint32_t> buttons;
  for (const std::string& script : scripts) {
    std::vector<SimCommand> commands;
    std::string error;
    EXPECT_TRUE(ParseSimScript(script, &commands, &error)) << error;
    for (const SimCommand& c : commands) {
      kinds.insert(c.kind);
      if (c.kind == SimCommand::kButton) buttons.insert(c.msg);
    }
  }
  EXPECT_EQ(kinds.size(), 8u);
  EXPECT_EQ(buttons, (std::set<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,
                                         WM_RBUTTONUP, WM_RBUTTONDBLCLK}));
}

TEST(SimScriptsReferenceTest, WrongLinesGetAMessageTheReferenceLists) {
  const std::vector<std::regex> patterns = ErrorPatterns(ReadReference());
  ASSERT_GE(patterns.size(), 7u);
  const char* const wrong[] = {"jump 3",    "move 81",  "keydown",     "wait x",     "wait -1",
                               "move a 1",  "ldown 1 99999", "keyup 256", "drop",   "type",
                               "type ",     "wait 1 2", "screenshot", "keydown cmd+S", "keydown ctrl+",
                               "keyup ctrl+SS", "keydown ctrl+256"};
  for (const char* line : wrong) {
    SCOPED_TRACE(line);
    std::vector<SimCommand> commands;
    std::string error;
    ASSERT_FALSE(ParseSimScript(std::string("# a comment\n\n") + line + "\n", &commands, &error));
    const std::string shown = "sim: " + error;
    EXPECT_EQ(shown.rfind("sim: line 3: ", 0), 0u) << shown;
    bool listed = false;
    for (const std::regex& p : patterns) listed = listed || std::regex_match(shown, p);
    EXPECT_TRUE(listed) << shown;
  }
}

TEST(SimScriptsReferenceTest, KeysMayBeLettersAndCarryModifiers) {
  struct Case {
    const char* line;
    int vk;
    std::vector<int> modifiers;
  };
  const Case cases[] = {{"keydown 5", 5, {}},
                        {"keydown s", 'S', {}},
                        {"keydown ctrl+S", 'S', {17}},
                        {"keyup Ctrl+Shift+83", 83, {17, 16}},
                        {"keydown alt+49", 49, {18}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::vector<SimCommand> commands;
    std::string error;
    ASSERT_TRUE(ParseSimScript(c.line, &commands, &error)) << error;
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].vk, c.vk);
    EXPECT_EQ(commands[0].modifiers, c.modifiers);
  }
}

}  // namespace
