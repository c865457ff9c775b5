#include <gtest/gtest.h>

#include <string>

#include "ui/Texts.h"

// The program's texts reach the system as Windows-1250 bytes.
TEST(Texts, LettersWithCaronAreWindows1250Bytes) {
  EXPECT_EQ(std::string(texts::kZdruzi), "Zdru\x9ei v eno");
  EXPECT_EQ(std::string(texts::kZazeni), "Za\x9e" "eni");
  EXPECT_EQ(std::string(texts::kSelectAtLeastOne), "Izbrati mora\x9a vsaj eno datoteko!");
  EXPECT_EQ(std::string(texts::kSameName),
            "Ne more\x9a shraniti pod isto ime, kot je datoteka katero zdru\x9euje\x9a!");
}

TEST(Texts, FilterIsOnePairOfZeroEndedStrings) {
  const std::string filter(texts::kImgFilter, sizeof texts::kImgFilter);
  EXPECT_EQ(filter, std::string("IMG datoteke\0*.IMG\0\0", 20));
}
