#include "app/json_string.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(JsonString, EscapesWhatJsonForbidsAndReadsNonUtf8BytesAsLatin1) {
  struct Case {
    const char* name;
    std::string text;
    std::string json;
  };
  const Case cases[] = {
      {"plain", "Slidora Quenlo", "\"Slidora Quenlo\""},
      {"quote and backslash", "a\"b\\c", "\"a\\\"b\\\\c\""},
      {"short escapes", "1\n2\r3\t4", "\"1\\n2\\r3\\t4\""},
      {"other control characters", std::string("\x01\x1f\x7f", 3), "\"\\u0001\\u001f\\u007f\""},
      {"a zero byte", std::string("a\0b", 3), "\"a\\u0000b\""},
      {"UTF-8 kept", "\xef\xbe\x8f\xe2\x82\xac\xf0\x9f\x8e\xb8", "\"\xef\xbe\x8f\xe2\x82\xac\xf0\x9f\x8e\xb8\""},
      {"Latin-1 byte", "caf\xe9", "\"caf\\u00e9\""},
      {"cut sequence", "\xe2\x82", "\"\\u00e2\\u0082\""},
      {"overlong form", "\xc0\xaf", "\"\\u00c0\\u00af\""},
      {"surrogate", "\xed\xa0\x80", "\"\\u00ed\\u00a0\\u0080\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(JsonString(c.text), c.json);
  }
}

}  // namespace
