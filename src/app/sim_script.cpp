#include "app/sim_script.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>

#include "app/headless.h"
#include "platform/messages.h"
#include "platform/pictures.h"

namespace {

constexpr int kVirtualKeyMax = 255;

struct ModifierWord {
  const char* word;
  int vk;
};
constexpr ModifierWord kModifiers[] = {{"shift", 16}, {"ctrl", 17}, {"alt", 18}};
constexpr int64_t kWaitMaxMs = 24LL * 3600 * 1000;  // a day of virtual time at most
// Points travel in 16-bit message words.
constexpr int kPointMin = -32768;
constexpr int kPointMax = 32767;

struct ButtonWord {
  const char* word;
  uint32_t msg;
};
constexpr ButtonWord kButtons[] = {
    {"ldown", WM_LBUTTONDOWN}, {"lup", WM_LBUTTONUP},   {"rdown", WM_RBUTTONDOWN},
    {"rup", WM_RBUTTONUP},     {"ldbl", WM_LBUTTONDBLCLK}, {"rdbl", WM_RBUTTONDBLCLK},
};

bool ParseInt(const std::string& word, int64_t lo, int64_t hi, int64_t* value) {
  if (word.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long long v = std::strtoll(word.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
  *value = v;
  return true;
}

// A key: a virtual-key code, or a letter (its capital's code), after any
// modifiers joined with "+": "27", "ctrl+S", "ctrl+shift+83".
bool ParseKey(const std::string& text, int* vk, std::vector<int>* modifiers) {
  std::string rest = text;
  for (size_t plus; (plus = rest.find('+')) != std::string::npos; rest = rest.substr(plus + 1)) {
    std::string word = rest.substr(0, plus);
    for (char& ch : word) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    const ModifierWord* found = nullptr;
    for (const ModifierWord& m : kModifiers) {
      if (word == m.word) found = &m;
    }
    if (found == nullptr) return false;
    modifiers->push_back(found->vk);
  }
  if (rest.size() == 1 && std::isalpha(static_cast<unsigned char>(rest[0]))) {
    *vk = std::toupper(static_cast<unsigned char>(rest[0]));
    return true;
  }
  int64_t code;
  if (!ParseInt(rest, 0, kVirtualKeyMax, &code)) return false;
  *vk = static_cast<int>(code);
  return true;
}

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  const size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

// Parses one non-empty line; error is the reason without the line number.
bool ParseLine(const std::string& line, SimCommand* c, std::string* error) {
  std::istringstream in(line);
  std::string word;
  in >> word;
  std::vector<std::string> args;
  for (std::string a; in >> a;) args.push_back(a);

  auto want = [&](size_t n) {
    if (args.size() == n) return true;
    *error = "'" + word + "' takes " + std::to_string(n) + (n == 1 ? " argument" : " arguments");
    return false;
  };
  auto point = [&](int* x, int* y) {
    int64_t vx, vy;
    if (!ParseInt(args[0], kPointMin, kPointMax, &vx) || !ParseInt(args[1], kPointMin, kPointMax, &vy)) {
      *error = "bad point '" + args[0] + " " + args[1] + "'";
      return false;
    }
    *x = static_cast<int>(vx);
    *y = static_cast<int>(vy);
    return true;
  };

  if (word == "wait") {
    if (!want(1)) return false;
    c->kind = SimCommand::kWait;
    if (!ParseInt(args[0], 0, kWaitMaxMs, &c->ms)) {
      *error = "bad time '" + args[0] + "'";
      return false;
    }
    return true;
  }
  if (word == "move") {
    c->kind = SimCommand::kMove;
    return want(2) && point(&c->x, &c->y);
  }
  if (word == "keydown" || word == "keyup") {
    if (!want(1)) return false;
    c->kind = word == "keydown" ? SimCommand::kKeyDown : SimCommand::kKeyUp;
    if (!ParseKey(args[0], &c->vk, &c->modifiers)) {
      *error = "bad key code '" + args[0] + "'";
      return false;
    }
    return true;
  }
  for (const ButtonWord& b : kButtons) {
    if (word != b.word) continue;
    c->kind = SimCommand::kButton;
    c->msg = b.msg;
    return want(2) && point(&c->x, &c->y);
  }
  if (word == "drop" || word == "screenshot") {
    // The path is the rest of the line, blanks included.
    const std::string rest = Trim(line.substr(line.find(word) + word.size()));
    if (rest.empty()) {
      *error = "'" + word + "' takes a path";
      return false;
    }
    c->kind = word == "drop" ? SimCommand::kDrop : SimCommand::kScreenshot;
    c->path = rest;
    return true;
  }
  if (word == "type") {
    // The text is the rest of the line after one blank; "\b" is a backspace.
    const size_t at = line.find("type") + 4;
    const std::string raw = at < line.size() ? line.substr(at + 1) : "";
    if (raw.empty()) {
      *error = "'type' takes a text";
      return false;
    }
    c->kind = SimCommand::kType;
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == '\\' && i + 1 < raw.size() && raw[i + 1] == 'b') {
        c->text += '\b';
        ++i;
      } else {
        c->text += raw[i];
      }
    }
    return true;
  }
  *error = "unknown command '" + word + "'";
  return false;
}

}  // namespace

bool ParseSimScript(const std::string& text, std::vector<SimCommand>* commands, std::string* error) {
  std::istringstream in(text);
  std::string raw;
  for (int n = 1; std::getline(in, raw); ++n) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == '#') continue;
    SimCommand c{};
    c.line = n;
    std::string why;
    if (!ParseLine(line, &c, &why)) {
      *error = "line " + std::to_string(n) + ": " + why;
      return false;
    }
    commands->push_back(c);
  }
  return true;
}

bool RunSimCommand(HeadlessSystem& system, const SimCommand& c, std::string* error) {
  switch (c.kind) {
    case SimCommand::kWait:
      system.Wait(c.ms);
      break;
    case SimCommand::kMove:
      system.MouseMove({c.x, c.y});
      break;
    case SimCommand::kKeyDown:
      // The modifiers go down first, as fingers press them.
      for (int m : c.modifiers) system.KeyDown(m);
      system.KeyDown(c.vk);
      break;
    case SimCommand::kKeyUp:
      system.KeyUp(c.vk);
      for (auto m = c.modifiers.rbegin(); m != c.modifiers.rend(); ++m) system.KeyUp(*m);
      break;
    case SimCommand::kButton:
      system.Button(c.msg, {c.x, c.y});
      break;
    case SimCommand::kDrop:
      system.Drop(c.path);
      break;
    case SimCommand::kType:
      system.Type(c.text);
      break;
    case SimCommand::kScreenshot:
      // What the window shows: the view's canvas as last painted.
      if (!WriteBmp(c.path, system.view().canvas().picture())) {
        *error = "cannot write " + c.path;
        return false;
      }
      break;
  }
  return true;
}
