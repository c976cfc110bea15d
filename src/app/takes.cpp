#include "app/takes.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/midi_file.h"
#include "midi/take.h"
#include "midi/take_buffer.h"
#include "model/settings.h"
#include "platform/atomic_file.h"
#include "platform/local_time.h"
#include "platform/message_box.h"
#include "ui/view.h"

namespace {

constexpr int kVkControl = 17;
constexpr int kVkS = 'S';
constexpr const char* kTakeCaption = "Slidora Quenlo";
// Names within one second get a number: "..._2.mid".
constexpr int kMaxSameSecond = 1000;

// The message number after the last saved take; a take starts no earlier.
uint64_t g_TakeSavedUpTo = 0;
bool g_bControlDown = false;
std::string g_LastTakeHint;
std::time_t (*g_TakeClock)() = nullptr;

std::string TakesFolder() {
  const size_t slash = g_SettingsPath.find_last_of('/');
  const std::string dir = slash == std::string::npos ? "." : g_SettingsPath.substr(0, slash);
  return dir + "/" + kTakesFolder;
}

std::string DateName(std::time_t when) {
  const std::tm local = LocalTime(when);
  char name[64];
  std::strftime(name, sizeof name, "%Y-%m-%d_%H-%M-%S", &local);
  return name;
}

// A name no file of the folder has yet.
std::string FreeName(const std::string& folder, const std::string& stem) {
  std::error_code ec;
  std::string name = stem + ".mid";
  for (int n = 2; n < kMaxSameSecond && std::filesystem::exists(folder + "/" + name, ec); ++n) {
    name = stem + "_" + std::to_string(n) + ".mid";
  }
  return name;
}

}  // namespace

TakeSaveResult SaveTake() {
  TakeSaveResult r;
  Take take;
  if (!CollectTake(g_TakeBuffer, g_TakeSavedUpTo, &take)) return r;
  r.length_ms = take.length_ms;
  r.notes = take.notes;

  const std::string folder = TakesFolder();
  std::error_code ec;
  std::filesystem::create_directory(folder, ec);
  r.name = FreeName(folder, DateName(g_TakeClock ? g_TakeClock() : std::time(nullptr)));
  r.path = folder + "/" + r.name;
  if (ec) {
    r.status = TakeSaveResult::kFailed;
    r.error = ec.message();
    return r;
  }
  const std::vector<uint8_t> bytes = BuildMidiFile(take.messages, kTakeTempoBpm, kTakeTicksPerQuarter);
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!WriteFileAtomically(r.path, text, &r.error)) {
    r.status = TakeSaveResult::kFailed;
    return r;
  }
  r.status = TakeSaveResult::kSaved;
  g_TakeSavedUpTo = take.end;
  return r;
}

std::string FormatTakeLength(int64_t ms) {
  const int64_t tenths = ms / 100;
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld.%lld", static_cast<long long>(tenths / 600),
                static_cast<long long>(tenths / 10 % 60), static_cast<long long>(tenths % 10));
  return text;
}

std::string TakeHintText(const TakeSaveResult& r) {
  switch (r.status) {
    case TakeSaveResult::kSaved:
      return std::string(" Take saved: ") + kTakesFolder + "/" + r.name + "  (" + FormatTakeLength(r.length_ms) + ") ";
    case TakeSaveResult::kFailed:
      return std::string(" Take NOT saved: ") + kTakesFolder + "/" + r.name + ": " + r.error + " ";
    case TakeSaveResult::kNothingPlayed:
    default:
      return " Nothing played since the last take: nothing saved ";
  }
}

void SaveTakeAndShow() {
  g_LastTakeHint = TakeHintText(SaveTake());
  if (g_pView) g_pView->ShowHintMessage(g_LastTakeHint);
}

void SaveTakeAtExit() {
  if (!TakeHasNotes(g_TakeBuffer, g_TakeSavedUpTo)) return;
  const TakeSaveResult r = SaveTake();
  if (r.status != TakeSaveResult::kFailed) return;
  const std::string text = "The last take could not be saved.\n" + r.path + ": " + r.error;
  std::fprintf(stderr, "%s\n", text.c_str());
  ShowMessageBox(text, kTakeCaption, MB_ICONHAND | MB_OK);
}

bool OnTakeShortcut(const Message& m) {
  if (m.msg != WM_KEYDOWN && m.msg != WM_KEYUP) return false;
  if (m.wParam == kVkControl) {
    // Ctrl itself goes on to the view, as every key always has.
    g_bControlDown = m.msg == WM_KEYDOWN;
    return false;
  }
  if (m.wParam != kVkS || !g_bControlDown) return false;
  // A held S saves once; its repeats and its release are used up as well.
  if (m.msg == WM_KEYDOWN && ((m.lParam >> 16) & kKeyRepeatFlag) == 0) SaveTakeAndShow();
  return true;
}

const std::string& LastTakeHint() { return g_LastTakeHint; }

void SetTakeClock(std::time_t (*now)()) { g_TakeClock = now; }

void ResetTakeState() {
  g_TakeSavedUpTo = 0;
  g_bControlDown = false;
  g_LastTakeHint.clear();
}
