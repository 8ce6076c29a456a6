#include "packets/snippet_list.h"

#include <gtest/gtest.h>

namespace oldvek {
namespace {

TEST(SnippetListTest, AListShowsThePacketWhoseBaseNameItWasMadeFrom) {
  const struct {
    std::string_view shown;
    std::string_view base;
    bool shows;
  } cases[] = {
      {"SORTS~Sorting", "SORTS", true},  {"SORTS   ~Sorting", "SORTS", true}, {"SORTS", "SORTS", true},
      {"sorts~Sorting", "SORTS", false}, {"SORTSX~", "SORTS", false},         {"", "", false},
      {" SORTS  ~x", " SORTS", true},    {" SORTS~x", "SORTS", false},
  };
  for (const auto& c : cases) EXPECT_EQ(ListShowsPacket(c.shown, c.base), c.shows) << c.shown << " / " << c.base;
}

TEST(SnippetListTest, EntriesOfThePacketAreFoundByBaseNameAndTheEditedOneSkipped) {
  const std::vector<std::string> entries = {
      "00001~a~b~c~SORTS.VEK~1",
      "00001~a~b~c~FILES.VEK~1",
      "00002~a~b~c~SORTS.vek~79",
      "00003~a~b~c~SORTS.VEK~157",
      "not an entry",
      "00001~a~b~c~SORTSX.VEK~1",
  };
  EXPECT_EQ(EntriesOfPacket(entries, 0, "SORTS"), (std::vector<size_t>{2, 3}));
  EXPECT_EQ(EntriesOfPacket(entries, std::nullopt, "SORTS"), (std::vector<size_t>{0, 2, 3}));
  EXPECT_EQ(EntriesOfPacket(entries, 1, "NONE"), std::vector<size_t>{});
}

TEST(SnippetListTest, DropEntryRemovesOnlyAPlaceInTheList) {
  std::vector<std::string> entries = {"a", "b", "c"};
  DropEntry(entries, std::nullopt);
  DropEntry(entries, 3);
  DropEntry(entries, 1);
  EXPECT_EQ(entries, (std::vector<std::string>{"a", "c"}));
}

}  // namespace
}  // namespace oldvek
