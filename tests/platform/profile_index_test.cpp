// The key index of a settings section: every key is found whatever its case,
// the first line of a key wins, and a table that grows while keys are added
// still finds every key added before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/profile_index.h"

namespace {

TEST(ProfileKeyIndex, ManyKeysAddedOneByOneAreAllFoundAndTheFirstOfANameWins) {
  std::vector<std::string> lines = {"[Section]", "; a comment", "", "not a key"};
  const int kKeys = 40000;
  for (int i = 0; i < kKeys; ++i) lines.push_back("  Key" + std::to_string(i) + " = " + std::to_string(i));
  // A second line of an existing key in another case, and an empty name.
  lines.push_back("KEY17=later");
  lines.push_back("=nameless");

  ProfileKeyIndex grown;  // grows from empty as lines come
  for (size_t i = 0; i < lines.size(); ++i) grown.Add(lines, i);
  ProfileKeyIndex built;  // sized for the section at once
  built.Build(lines);

  for (const ProfileKeyIndex* index : {&grown, &built}) {
    for (int i = 0; i < kKeys; i += 7) {
      ASSERT_EQ(index->Find(lines, "key" + std::to_string(i)), static_cast<size_t>(4 + i)) << i;
    }
    EXPECT_EQ(index->Find(lines, "KEY17"), 4u + 17);
    EXPECT_EQ(index->Find(lines, ""), lines.size() - 1);
    EXPECT_EQ(index->Find(lines, "Key40000"), ProfileKeyIndex::kNone);
    EXPECT_EQ(index->Find(lines, "Key1 "), ProfileKeyIndex::kNone);
    EXPECT_EQ(index->Find(lines, "not a key"), ProfileKeyIndex::kNone);
    EXPECT_EQ(index->Find(lines, "[Section]"), ProfileKeyIndex::kNone);
  }
  EXPECT_EQ(ProfileKeyIndex().Find(lines, "Key1"), ProfileKeyIndex::kNone);
}

}  // namespace
