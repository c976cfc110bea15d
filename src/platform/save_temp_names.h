// The temporary files a save writes beside its target are named
// "<target>.save-XXXXXX", so that leftovers of a killed save are recognised
// and nothing else of the folder is ever touched.
#pragma once

#include <cstddef>
#include <random>
#include <string>

inline constexpr const char* kSaveTempInfix = ".save-";
inline constexpr size_t kSaveTempSuffixLength = 6;

// Whether name is prefix (a target's name and the infix) and six letters or digits.
inline bool IsSaveTempName(const std::string& name, const std::string& prefix) {
  if (name.size() != prefix.size() + kSaveTempSuffixLength ||
      name.compare(0, prefix.size(), prefix) != 0) {
    return false;
  }
  for (size_t i = prefix.size(); i < name.size(); ++i) {
    const char c = name[i];
    if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))) return false;
  }
  return true;
}

// A temporary name for target with a random suffix.
inline std::string RandomSaveTempName(const std::string& target, std::mt19937& random) {
  static constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof(kChars)) - 2);
  std::string name = target + kSaveTempInfix;
  for (size_t i = 0; i < kSaveTempSuffixLength; ++i) name += kChars[pick(random)];
  return name;
}
