#include <gtest/gtest.h>

#include "ui/MessageText.h"

TEST(IsSelectedEntry, ExactBytesOfSelectedEntriesOnly) {
  const std::vector<std::string> entries = {"C:\\m\\a.img", "C:\\m\\b.img", "C:\\m\\c.img"};
  const std::vector<bool> selected = {true, false, true};
  EXPECT_TRUE(IsSelectedEntry(entries, selected, "C:\\m\\a.img"));
  EXPECT_TRUE(IsSelectedEntry(entries, selected, "C:\\m\\c.img"));
  EXPECT_FALSE(IsSelectedEntry(entries, selected, "C:\\m\\b.img")) << "listed but not selected";
  EXPECT_FALSE(IsSelectedEntry(entries, selected, "C:\\M\\A.IMG")) << "letter case counts";
  EXPECT_FALSE(IsSelectedEntry(entries, selected, "C:\\m\\a.img ")) << "no trimming";
  EXPECT_FALSE(IsSelectedEntry({}, {}, ""));
  // Any other test is asked of the selected entries only, in list order.
  std::vector<std::string> asked;
  EXPECT_FALSE(AnySelectedEntry(entries, selected, [&](const std::string& entry) {
    asked.push_back(entry);
    return false;
  }));
  EXPECT_EQ(asked, (std::vector<std::string>{"C:\\m\\a.img", "C:\\m\\c.img"}));
}

TEST(SameNameMessage, MessageTwoLineFeedsAndTheQuotedPath) {
  EXPECT_EQ(SameNameMessage("C:\\R&D\\a.img"),
            "Ne more\x9a shraniti pod isto ime, kot je datoteka katero zdru\x9euje\x9a!\n\n\"C:\\R&D\\a.img\"");
}

TEST(LeftOutMessage, NamesEachFileOnALineOfItsOwnAndSaysWhatToDo) {
  const std::string message = LeftOutMessage({"C:\\m\\??.img", "C:\\m\\?????.img"});
  EXPECT_EQ(message.rfind("Teh datotek ni mogo\xe8" "e dati orodju", 0), 0u) << message;
  EXPECT_NE(message.find(":\n\nC:\\m\\??.img\nC:\\m\\?????.img\n\nPreimenujte"), std::string::npos) << message;
  EXPECT_NE(OutputNotWritableMessage("C:\\m\\?????.img").find("\n\nC:\\m\\?????.img\n\n"), std::string::npos);
}

TEST(MessageDialogCopy, CaptionTextAndButtonBetweenRules) {
  EXPECT_EQ(MessageDialogCopy("Error", "line one\n\nline two", "OK"),
            "---------------------------\r\nError\r\n---------------------------\r\n"
            "line one\r\n\r\nline two\r\n---------------------------\r\nOK\r\n"
            "---------------------------\r\n");
}
