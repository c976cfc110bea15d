// Every lasting setting lives in SLD.ini in the working directory: read once at
// start with a default for each key, written back once at exit.
#pragma once

#include <string>

// Full path of the settings file; built at start-up from the working directory.
extern std::string g_SettingsPath;

inline constexpr const char* kSettingsFileName = "SLD.ini";

// Sets g_SettingsPath to the working directory followed by "/SLD.ini".
void BuildSettingsPath();

// Reads every stored field of the instrument from g_SettingsPath, each with its
// default; integers outside their ranges are brought into them.
void LoadSettings();

// Writes every stored field back, keeping other sections, keys and comments of
// the file. Returns false when the file could not be written; the old file is
// then unchanged and *error (when given) says why.
bool SaveSettings(std::string* error = nullptr);

// The message a player gets when the settings could not be written at exit.
std::string SaveFailureText(const std::string& path, const std::string& reason);

// The default instrument, as a fresh start without a settings file has it.
void ApplyDefaultSettings();
