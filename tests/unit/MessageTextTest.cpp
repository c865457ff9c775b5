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
  EXPECT_EQ(SameNameMessage(L"C:\\R&D\\a.img"),
            L"Ne more\u0161 shraniti pod isto ime, kot je datoteka katero zdru\u017euje\u0161!\n\n\"C:\\R&D\\a.img\"");
}

TEST(LeftOutMessage, NamesEachFileOnALineOfItsOwnAndSaysWhatToDo) {
  const std::wstring message = LeftOutMessage({L"C:\\m\\??.img", L"C:\\m\\?????.img"});
  EXPECT_EQ(message.rfind(L"Teh datotek ni mogo\u010de dati orodju", 0), 0u) << message;
  EXPECT_NE(message.find(L":\n\nC:\\m\\??.img\nC:\\m\\?????.img\n\nPreimenujte"), std::wstring::npos) << message;
  EXPECT_NE(OutputNotWritableMessage(L"C:\\m\\?????.img").find(L"\n\nC:\\m\\?????.img\n\n"), std::wstring::npos);
  EXPECT_EQ(DescriptionNotWritableMessage(L"????? Espa?a"),
            L"Opisa ni mogo\u010de zapisati v kodni strani sistema, zato ga orodju ni mogo\u010de dati:\n\n"
            L"????? Espa?a\n\nVnesite opis brez \u010drk, ki jih kodna stran nima.");
}

// The dialogs' codes have no system text: the message says what failed in
// words, which dialog, and the code.
TEST(FileDialogFailedMessage, WhichDialogWhatFailedAndTheCode) {
  const struct {
    bool save;
    unsigned long code;
    std::wstring message;
  } cases[] = {
      {false, 0x3003, L"Izbira datotek ni uspela: izbranih imen je ve\u010d, kot jih pogovorno okno lahko vrne naenkrat. "
                      L"Izberite manj datotek.\n\nKoda napake pogovornega okna: 0x3003"},
      {true, 0x3002, L"Izbira izhodne datoteke ni uspela: ime datoteke ni veljavno.\n\nKoda napake pogovornega okna: 0x3002"},
      {true, 0x0009, L"Izbira izhodne datoteke ni uspela: zmanjkalo je pomnilnika.\n\nKoda napake pogovornega okna: 0x0009"},
      {false, 0x3001, L"Izbira datotek ni uspela: zmanjkalo je pomnilnika.\n\nKoda napake pogovornega okna: 0x3001"},
      {false, 0xFFFF, L"Izbira datotek ni uspela: pogovornega okna ni bilo mogo\u010de odpreti.\n\n"
                      L"Koda napake pogovornega okna: 0xFFFF"},
      {true, 0x0002, L"Izbira izhodne datoteke ni uspela: pogovornega okna ni bilo mogo\u010de odpreti.\n\n"
                     L"Koda napake pogovornega okna: 0x0002"},
  };
  for (const auto& c : cases) EXPECT_EQ(FileDialogFailedMessage(c.save, c.code), c.message) << c.code;
}

TEST(MessageDialogCopy, CaptionTextAndButtonBetweenRules) {
  EXPECT_EQ(MessageDialogCopy(L"Error", L"line one\n\nline \u010d", L"OK"),
            L"---------------------------\r\nError\r\n---------------------------\r\n"
            L"line one\r\n\r\nline \u010d\r\n---------------------------\r\nOK\r\n"
            L"---------------------------\r\n");
}

// Once the output area refuses a piece, nothing more is offered to it, and
// every byte of the tool's output that it did not show is counted.
TEST(OutputTally, AfterTheFirstRefusalNothingMoreIsOfferedAndEveryByteIsCounted) {
  std::vector<std::wstring> offered;
  bool takes = true;
  OutputTally tally([&](const std::wstring& text) {
    offered.push_back(text);
    return takes;
  });
  EXPECT_TRUE(tally.Offer(L"one\r\n", 3));
  EXPECT_EQ(tally.NotShown(), 0u);
  takes = false;
  EXPECT_FALSE(tally.Offer(L"big\r\n", 1000000));
  takes = true;  // a smaller piece it might take now would leave a gap
  EXPECT_FALSE(tally.Offer(L"x\r\n", 1));
  EXPECT_FALSE(tally.Offer(L"", 0));
  EXPECT_EQ(offered, (std::vector<std::wstring>{L"one\r\n", L"big\r\n"}));
  EXPECT_EQ(tally.NotShown(), 1000001u);
  EXPECT_EQ(NotShownLine(1000001),
            L"Okno z izpisom je polno, zato izpis orodja ni prikazan v celoti (neprikazanih bajtov: 1000001).\r\n");
}
