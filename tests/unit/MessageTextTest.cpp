#include <gtest/gtest.h>

#include "ui/MessageText.h"
#include "ui/OutputTally.h"

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
  EXPECT_EQ(DescriptionNotWritableMessage("????? Espa?a"),
            "Opisa ni mogo\xe8" "e zapisati v kodni strani sistema, zato ga orodju ni mogo\xe8" "e dati:\n\n"
            "????? Espa?a\n\nVnesite opis brez \xe8rk, ki jih kodna stran nima.");
}

// The dialogs' codes have no system text: the message says what failed in
// words, which dialog, and the code.
TEST(FileDialogFailedMessage, WhichDialogWhatFailedAndTheCode) {
  const struct {
    bool save;
    unsigned long code;
    std::string message;
  } cases[] = {
      {false, 0x3003, "Izbira datotek ni uspela: izbranih imen je ve\xe8, kot jih pogovorno okno lahko vrne naenkrat. "
                      "Izberite manj datotek.\n\nKoda napake pogovornega okna: 0x3003"},
      {true, 0x3002, "Izbira izhodne datoteke ni uspela: ime datoteke ni veljavno.\n\nKoda napake pogovornega okna: 0x3002"},
      {true, 0x0009, "Izbira izhodne datoteke ni uspela: zmanjkalo je pomnilnika.\n\nKoda napake pogovornega okna: 0x0009"},
      {false, 0x3001, "Izbira datotek ni uspela: zmanjkalo je pomnilnika.\n\nKoda napake pogovornega okna: 0x3001"},
      {false, 0xFFFF, "Izbira datotek ni uspela: pogovornega okna ni bilo mogo\xe8" "e odpreti.\n\n"
                      "Koda napake pogovornega okna: 0xFFFF"},
      {true, 0x0002, "Izbira izhodne datoteke ni uspela: pogovornega okna ni bilo mogo\xe8" "e odpreti.\n\n"
                     "Koda napake pogovornega okna: 0x0002"},
  };
  for (const auto& c : cases) EXPECT_EQ(FileDialogFailedMessage(c.save, c.code), c.message) << c.code;
}

TEST(MessageDialogCopy, CaptionTextAndButtonBetweenRules) {
  EXPECT_EQ(MessageDialogCopy("Error", "line one\n\nline two", "OK"),
            "---------------------------\r\nError\r\n---------------------------\r\n"
            "line one\r\n\r\nline two\r\n---------------------------\r\nOK\r\n"
            "---------------------------\r\n");
}

// Once the output area refuses a piece, nothing more is offered to it, and
// every byte of the tool's output that it did not show is counted.
TEST(OutputTally, AfterTheFirstRefusalNothingMoreIsOfferedAndEveryByteIsCounted) {
  std::vector<std::string> offered;
  bool takes = true;
  OutputTally tally([&](const std::string& text) {
    offered.push_back(text);
    return takes;
  });
  EXPECT_TRUE(tally.Offer("one\r\n", 3));
  EXPECT_EQ(tally.NotShown(), 0u);
  takes = false;
  EXPECT_FALSE(tally.Offer("big\r\n", 1000000));
  takes = true;  // a smaller piece it might take now would leave a gap
  EXPECT_FALSE(tally.Offer("x\r\n", 1));
  EXPECT_FALSE(tally.Offer("", 0));
  EXPECT_EQ(offered, (std::vector<std::string>{"one\r\n", "big\r\n"}));
  EXPECT_EQ(tally.NotShown(), 1000001u);
  EXPECT_EQ(NotShownLine(1000001),
            "Okno z izpisom je polno, zato izpis orodja ni prikazan v celoti (neprikazanih bajtov: 1000001).\r\n");
}
