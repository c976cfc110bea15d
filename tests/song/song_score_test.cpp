// The score: entries written for each command, the result codes and their
// messages, skipped regions, bar labels and the entry limit.
#include <gtest/gtest.h>

#include <vector>

#include "song/song_test_util.h"

namespace {

using Items = std::vector<std::pair<int, int>>;

class SongScoreTest : public SongFileTest {
 protected:
  // Entries of the last load, end entry included.
  std::vector<std::pair<int, int>> Entries() const {
    std::vector<std::pair<int, int>> items;
    for (int i = 0; i < g_SongItemCount; ++i) items.emplace_back(g_SongItem[i].Type, g_SongItem[i].Value);
    return items;
  }
};


TEST_F(SongScoreTest, CommandsBecomeEntries) {
  struct Case {
    const char* score;
    Items items;
  };
  const Case cases[] = {
      {"b=1,5,k=1,t=24,k=off,t=24\n", {{1, 5}, {3, 1}, {0, 24}, {3, -1}, {0, 24}, {255, 0}}},
      {"b=1,5\nk=1\nt=24\n", {{1, 5}, {3, 1}, {0, 24}, {255, 0}}},
      {"b=8,19\n", {{1, 243}, {255, 0}}},
      {"b=1,5,k=1,s=24,7\n", {{1, 5}, {3, 1}, {99, 24}, {99, 7}, {255, 0}}},
      {"v=V1,v=V2,v=V3,v=V4,v=0,v=127\n", {{2, 100}, {2, 90}, {2, 80}, {2, 64}, {2, 0}, {2, 127}, {255, 0}}},
      {"exp=1,depth1=2,rate1=3,delay1=4,depth2=5,rate2=6,delay2=127\n",
       {{4, 1}, {5, 2}, {6, 3}, {7, 4}, {8, 5}, {9, 6}, {10, 127}, {255, 0}}},
      {"p1=on,p2=on,p1=off,p2=off\n", {{11, 1}, {12, 1}, {11, 0}, {12, 0}, {255, 0}}},
      {"b=2,0,k=0,k=9,k=off\n", {{1, 32}, {3, 0}, {3, 9}, {3, -1}, {255, 0}}},
      {"t = 2 4 . / a comment t=5\n", {{0, 24}, {255, 0}}},
      {"t=24(A)\n", {{0, 24}, {255, 0}}},
      {"(Intro)\n*\nt=1\n*\nt=2\n*skip\nt=3\n", {{0, 2}, {255, 0}}},  // "*" lines open and close
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.score);
    ResetAllState();
    boxes_.Clear();
    EXPECT_EQ(LoadScore(c.score), 0);
    EXPECT_TRUE(boxes_.boxes.empty());
    EXPECT_EQ(Entries(), c.items);
  }
}

TEST_F(SongScoreTest, FailuresShowTheirCodeAndMessage) {
  struct Case {
    const char* score;
    int code;
    const char* message;
  };
  const Case cases[] = {
      {"(A)\nb=9,0\n", 1, "Data \"9\" Error in Line 25\nFollowed by  (A)\nYou wrote \"b=9,0\""},
      {"(A)\nb=1,20\n", 1, "Data \"20\" Error in Line 25\nFollowed by  (A)\nYou wrote \"b=1,20\""},
      {"b=1,5\nk=6\n", 1, "Data \"6\" Error in Line 25\nFollowed by  \nYou wrote \"k=6\""},
      {"b=1,5\nt=97\n", 1, "Data \"97\" Error in Line 25\nFollowed by  \nYou wrote \"t=97\""},
      {"b=1,5\nt=0\n", 1, "Data \"0\" Error in Line 25\nFollowed by  \nYou wrote \"t=0\""},
      {"b=1,5\nv=v3\n", 1, "Data \"v3\" Error in Line 25\nFollowed by  \nYou wrote \"v=v3\""},
      {"b=1,5\nv=128\n", 1, "Data \"128\" Error in Line 25\nFollowed by  \nYou wrote \"v=128\""},
      {"b=1,5\np1=off(A)\n", 1, "Data \"off(A)\" Error in Line 25\nFollowed by  (A)\nYou wrote \"p1=off(A)\""},
      {"b=1,5\np2=ON\n", 1, "Data \"ON\" Error in Line 25\nFollowed by  \nYou wrote \"p2=ON\""},
      {"b=1,5\nexp=-1\n", 1, "Data \"-1\" Error in Line 25\nFollowed by  \nYou wrote \"exp=-1\""},
      {"b=1,5\nt=24b=1,5\n", 1, "Data \"\" Error in Line 25\nFollowed by  \nYou wrote \"t=24b=1,5\""},
      {"b=1,5,k=1\ns=24\n", 1, "Data \"\" Error in Line 25\nFollowed by  \nYou wrote \"s=24\""},
      {"b=1,5,k=1\ns=24,20\n", 1, "Data \"20\" Error in Line 25\nFollowed by  \nYou wrote \"s=24,20\""},
      {"b=1,5,k=1\ns=97,3\n", 1, "Data \"97\" Error in Line 25\nFollowed by  \nYou wrote \"s=97,3\""},
      // Neither a key nor the bar: the key test comes first.
      {"t=1\ns=24,7\n", 2, "Command \"s=\" is not abalable ( while KeyOff ) in Line 25\nFollowed by  \nYou wrote \"s=24,7\""},
      {"(Verse 1)\nb=1,5,k=1,k=off\ns=24,7\n", 2,
       "Command \"s=\" is not abalable ( while KeyOff ) in Line 26\nFollowed by  (Verse1)\nYou wrote \"s=24,7\""},
      {"t=1\nk=1\n", 3,
       "Command \"k=\" is not abalable ( before \"b=**\" ) in Line 25\nFollowed by  \nYou wrote \"k=1\""},
      // The state is tested before the value.
      {"t=1\nk=6\n", 3,
       "Command \"k=\" is not abalable ( before \"b=**\" ) in Line 25\nFollowed by  \nYou wrote \"k=6\""},
      {"(B)\nx=5\n", 4, "Command \"x=\" is not abalable in Line 25\nFollowed by  (B)\nYou wrote \"x=5\""},
      {"t=1\nB=1,5\n", 4, "Command \"B=\" is not abalable in Line 25\nFollowed by  \nYou wrote \"B=1,5\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.score);
    ResetAllState();
    boxes_.Clear();
    // One entry first, so that the failure is the only message.
    EXPECT_EQ(LoadScore(std::string("t=24\n") + c.score), c.code);
    ASSERT_EQ(boxes_.boxes.size(), 1u);
    EXPECT_EQ(boxes_.boxes[0], (RecordedBox{c.message, Path(), MB_ICONHAND}));
  }
}

TEST_F(SongScoreTest, EmptyScoreSaysDataIsNothingEvenAfterAnotherFailure) {
  struct Case {
    const char* score;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {"", {"Data is Nothing.\nDid you mean, \"*\" Mark"}},
      {"* an unclosed region\nb=1,5\nt=24\n", {"Data is Nothing.\nDid you mean, \"*\" Mark"}},
      {"(A) / only labels and comments\n", {"Data is Nothing.\nDid you mean, \"*\" Mark"}},
      {"t=200\n",
       {"Data \"200\" Error in Line 23\nFollowed by  \nYou wrote \"t=200\"",
        "Data is Nothing.\nDid you mean, \"*\" Mark"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.score);
    boxes_.Clear();
    EXPECT_EQ(LoadScore(c.score), 5);
    EXPECT_EQ(boxes_.Texts(), c.texts);
    for (const RecordedBox& b : boxes_.boxes) EXPECT_EQ(b.type, MB_ICONHAND);
  }
}

TEST_F(SongScoreTest, BarLabelAfterAFractionOfABeatWarnsAndGoesOn) {
  EXPECT_EQ(LoadScore("(Intro)\nt=88\n(Verse)\nt=96\n(Chorus)\nt=24,t=48\n(End)\nt=1\n"), 0);
  EXPECT_EQ(boxes_.boxes, (std::vector<RecordedBox>{{"(Intro)\nThere are a time fraction of 1 bar.\nTotal time = 88 ",
                                                     Path(), MB_ICONEXCLAMATION}}));
  EXPECT_EQ(g_SongItemCount, 6);
  // A slide's time counts; a label inside a skipped region still takes the warning.
  boxes_.Clear();
  EXPECT_EQ(LoadScore("b=1,5,k=1,s=20,7\n*\n(Skipped)\n*\n(Next)\nt=1\n"), 0);
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"\nThere are a time fraction of 1 bar.\nTotal time = 20 "}));
}

TEST_F(SongScoreTest, EntryListHoldsFourThousandNineHundredAndNinetyNineEntriesEvenOfASplitSlide) {
  std::string score;
  for (int i = 0; i < 4999; ++i) score += "v=1\n";
  EXPECT_EQ(LoadScore(score), 0);
  EXPECT_TRUE(boxes_.boxes.empty());
  EXPECT_EQ(g_SongItemCount, 5000);
  EXPECT_EQ(g_SongItem[4999].Type, EventEnd);

  ResetAllState();
  EXPECT_EQ(LoadScore(score + "v=2\n"), 9);
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"Too many data"}));
  EXPECT_EQ(g_SongItem[4999].Type, EventVelocity);
  EXPECT_EQ(g_SongItem[4999].Value, 2);

  // A slide split by the limit fails on its target.
  ResetAllState();
  EXPECT_EQ(LoadScore("b=1,5,k=1\n" + score.substr(3 * 4) + "s=24,7\n"), 9);  // 4998 entries before it
  EXPECT_EQ(g_SongItem[4998].Type, EventSlide);
  EXPECT_EQ(g_SongItem[4998].Value, 24);
  EXPECT_EQ(g_SongItem[4999].Value, 7);
}

}  // namespace
