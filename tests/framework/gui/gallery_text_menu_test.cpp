// The controls of the gallery that open native windows (the text field's edit window, the choice
// menus' popups) and the file chooser, through the host or through the system dialog, all
// driven by real input.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gallery_fixture.h"

namespace {

HWND editWindowOf(HWND frame) { return FindWindowExA(frame, nullptr, "Edit", nullptr); }

// A shown popup menu window, other than `except`.
HWND visiblePopup(HWND except = nullptr) {
  for (HWND popup = FindWindowExA(nullptr, nullptr, "#32768", nullptr); popup;
       popup = FindWindowExA(nullptr, popup, "#32768", nullptr))
    if (popup != except && IsWindowVisible(popup))
      return popup;
  return nullptr;
}

HMENU menuOf(HWND popup) { return reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0)); }

std::string itemText(HMENU menu, int index) {
  char text[256] = {};
  GetMenuStringA(menu, static_cast<UINT>(index), text, sizeof text, MF_BYPOSITION);
  return text;
}

UINT itemType(HMENU menu, int index) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE;
  GetMenuItemInfoA(menu, static_cast<UINT>(index), TRUE, &info);
  return info.fType;
}

UINT itemState(HMENU menu, int index) {
  return GetMenuState(menu, static_cast<UINT>(index), MF_BYPOSITION);
}

// Moves to the middle of a popup's item, found on the helper thread while the popup is open,
// and waits until the menu highlights it (it follows the pointer in its own loop).
bool moveToItem(HWND popup, int index) {
  HMENU menu = menuOf(popup);
  RECT item;
  if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(index), &item))
    return false;
  for (int attempt = 0; attempt < 4; ++attempt) {
    SetCursorPos((item.left + item.right) / 2 + attempt, (item.top + item.bottom) / 2);
    for (int wait = 0; wait < 50; ++wait) {
      if (itemState(menu, index) & MF_HILITE)
        return true;
      Sleep(10);
    }
  }
  return false;
}

class TextAndMenuTest : public GalleryTest {
protected:
  // The control's inside (without its outline) against GDI's own drawing of `text`.
  int differencesFromText(const Rect &where, const char *text, Color fill, Color ink,
                          int alignment) {
    const std::vector<Color> shown = guitest::windowPixels(frameWindow, where);
    const std::vector<Color> drawn = gdiText(text, 3, where, fill, ink, alignment);
    const Rect insideOutline(1, 1, where.width(), where.height());
    return countDifferences(cut(shown, where.width(), insideOutline),
                            cut(drawn, where.width(), insideOutline));
  }
};

TEST_F(TextAndMenuTest, TextFieldEditsWithRealKeysAndEndsOnReturnOrAClickElsewhere) {
  const Point field = centre(kTextFieldRect);
  InputScript typed;
  typed.click(field.h, field.v).waitFor([this] { return editWindowOf(frameWindow) != nullptr; });
  typed.type("world").key(VK_RETURN).waitFor(
      [this] { return editWindowOf(frameWindow) == nullptr; });
  ASSERT_TRUE(play(typed));
  EXPECT_EQ(display(kTextField), "world");
  EXPECT_EQ(automations(kTextField).size(), 1u);
  idleFor(150);
  EXPECT_EQ(differencesFromText(kTextFieldRect, "world", colorWhite, colorBlack, 0), 0);

  InputScript elsewhere;
  elsewhere.click(field.h, field.v).waitFor([this] {
    return editWindowOf(frameWindow) != nullptr;
  });
  elsewhere.type("abc").click(470, 290).waitFor(
      [this] { return editWindowOf(frameWindow) == nullptr; });
  ASSERT_TRUE(play(elsewhere));
  EXPECT_EQ(display(kTextField), "abc");
  EXPECT_EQ(automations(kTextField).size(), 2u);

  // Unchanged text: the edit closes without telling anyone.
  InputScript same;
  same.click(field.h, field.v).waitFor([this] { return editWindowOf(frameWindow) != nullptr; });
  same.key(VK_RETURN).waitFor([this] { return editWindowOf(frameWindow) == nullptr; });
  ASSERT_TRUE(play(same));
  EXPECT_EQ(automations(kTextField).size(), 2u);
}

TEST_F(TextAndMenuTest, DoubleClickStyleFieldOpensOnlyOnADoubleClick) {
  const Point field = centre(inside(kSideContainerRect, kDoubleClickFieldRect));
  InputScript once;
  once.click(field.h, field.v).pause(700);
  ASSERT_TRUE(play(once));
  EXPECT_EQ(editWindowOf(frameWindow), nullptr);
  InputScript twice;
  twice.click(field.h, field.v).click(field.h, field.v).waitFor([this] {
    return editWindowOf(frameWindow) != nullptr;
  });
  twice.type("twice more").key(VK_RETURN).waitFor([this] {
    return editWindowOf(frameWindow) == nullptr;
  });
  ASSERT_TRUE(play(twice));
  EXPECT_EQ(display(kDoubleClickField), "twice more");
}

TEST_F(TextAndMenuTest, ChoiceMenuOffersItsEntriesAndTakesTheChosenOne) {
  const Point menu = centre(kMenuRect);
  std::string seen;
  InputScript choose;
  choose.click(menu.h, menu.v).waitFor([] { return visiblePopup() != nullptr; });
  choose.then([&seen] {
    HMENU items = menuOf(visiblePopup());
    const int count = GetMenuItemCount(items);
    seen = std::to_string(count) + "|" + itemText(items, 0) + "|" + itemText(items, 3) + "|" +
           itemText(items, 2) + "|" + itemText(items, 4) + "|" + itemText(items, 6);
    seen += (itemType(items, 1) & MFT_SEPARATOR) ? "|separator" : "|-";
    seen += (itemState(items, 2) & MF_DISABLED) ? "|disabled" : "|-";
    seen += (itemState(items, 4) & MF_GRAYED) ? "|greyed" : "|-";
    seen += (itemState(items, 0) & MF_CHECKED) ? "|checked" : "|-";
    seen += (itemState(items, 3) & MF_CHECKED) ? "|checked" : "|-";
    HMENU sub = GetSubMenu(items, 6);
    seen += sub ? "|" + itemText(sub, 1) : "|none";
    return moveToItem(visiblePopup(), 3);
  });
  choose.press().release().waitFor([] { return visiblePopup() == nullptr; });
  ASSERT_TRUE(play(choose));
  EXPECT_EQ(seen, "7|01 Alpha|04 Beta|Title|05 Grey|07 More|separator|disabled|greyed|checked|-|"
                  "Sub two");
  EXPECT_EQ(automations(kMenu), std::vector<float>{3.0f});
  // Stored with its number, shown without it.
  EXPECT_EQ(display(kMenu), "Beta");
  idleFor(150);
  const Color fill{230, 230, 230, 0};
  EXPECT_EQ(differencesFromText(kMenuRect, "Beta", fill, colorBlack, 1), 0);
  EXPECT_GT(differencesFromText(kMenuRect, "04 Beta", fill, colorBlack, 1), 0);

  // The current entry carries the check mark now; escape leaves everything as it was.
  bool checked = false;
  InputScript look;
  look.click(menu.h, menu.v).waitFor([] { return visiblePopup() != nullptr; });
  look.then([&checked] {
    checked = (itemState(menuOf(visiblePopup()), 3) & MF_CHECKED) != 0;
    return true;
  });
  look.key(VK_ESCAPE).waitFor([] { return visiblePopup() == nullptr; });
  ASSERT_TRUE(play(look));
  EXPECT_TRUE(checked);
  EXPECT_EQ(automations(kMenu).size(), 1u);
}

TEST_F(TextAndMenuTest, ChoosingInASubmenuReportsTheSubmenu) {
  const Point menu = centre(kMenuRect);
  InputScript choose;
  choose.click(menu.h, menu.v).waitFor([] { return visiblePopup() != nullptr; });
  HWND first = nullptr;
  choose.then([&first] {
    first = visiblePopup();
    return moveToItem(first, 6);
  });
  choose.key(VK_RIGHT).waitFor([&first] { return visiblePopup(first) != nullptr; });
  choose.then([&first] { return moveToItem(visiblePopup(first), 1); });
  choose.press().release().waitFor([] { return visiblePopup() == nullptr; });
  ASSERT_TRUE(play(choose));
  EXPECT_EQ(automations(kSubmenu), std::vector<float>{1.0f});
  EXPECT_EQ(display(kSubmenu), "Sub two");
  EXPECT_TRUE(automations(kMenu).empty());
}

TEST_F(TextAndMenuTest, PaletteMenuDrawsItsOwnItemsInColumnsWithCheckMarks) {
  const Point menu = centre(inside(kSideContainerRect, kPaletteMenuRect));
  const Color text = Color::fromNative(GetSysColor(COLOR_MENUTEXT));
  const Color background = Color::fromNative(GetSysColor(COLOR_MENU));
  std::string seen;
  auto markAt = [](HWND popup, int index) {
    RECT item;
    GetMenuItemRect(nullptr, menuOf(popup), static_cast<UINT>(index), &item);
    POINT spot{item.left + 10, item.top + 8};
    ScreenToClient(popup, &spot);
    return guitest::pixelOf(popup, spot.x, spot.y);
  };
  InputScript open;
  open.click(menu.h, menu.v).waitFor([] { return visiblePopup() != nullptr; }).pause(200);
  open.then([&] {
    HWND popup = visiblePopup();
    HMENU items = menuOf(popup);
    seen = std::to_string(GetMenuItemCount(items));
    for (int i = 0; i < GetMenuItemCount(items); ++i)
      seen += (itemType(items, i) & MFT_OWNERDRAW) ? "o" : "-";
    seen += (itemType(items, 3) & MFT_MENUBARBREAK) ? "|break" : "|-";
    seen += (itemType(items, 2) & MFT_MENUBARBREAK) ? "|break" : "|-";
    seen += "|" + describe(markAt(popup, 1)) + "|" + describe(markAt(popup, 0));
    return moveToItem(popup, 2);
  });
  open.press().release().waitFor([] { return visiblePopup() == nullptr; });
  ASSERT_TRUE(play(open));
  EXPECT_EQ(seen, "6oooooo|break|-|" + describe(text) + "|" + describe(background));
  EXPECT_EQ(automations(kPaletteMenu), std::vector<float>{2.0f});

  // Choosing flips the entry's own check mark.
  std::string marks;
  InputScript again;
  again.click(menu.h, menu.v).waitFor([] { return visiblePopup() != nullptr; }).pause(200);
  again.then([&] {
    HWND popup = visiblePopup();
    marks = describe(markAt(popup, 2)) + "|" + describe(markAt(popup, 1));
    return true;
  });
  again.key(VK_ESCAPE).waitFor([] { return visiblePopup() == nullptr; });
  ASSERT_TRUE(play(again));
  EXPECT_EQ(marks, describe(text) + "|" + describe(text));
}

// A request for loading with two kinds of file.
struct LoadRequest {
  LoadRequest(VstInt32 command, int types) {
    std::memset(&select, 0, sizeof select);
    std::memset(kinds, 0, sizeof kinds);
    std::strcpy(kinds[0].name, "Wave");
    std::strcpy(kinds[0].dosType, "wav");
    std::strcpy(kinds[1].name, "Text");
    std::strcpy(kinds[1].dosType, "txt");
    select.command = command;
    select.fileTypes = kinds;
    select.nbFileTypes = types;
    std::strcpy(select.title, "Gallery file");
    select.initialPath = initial;
  }
  VstFileSelect select;
  VstFileType kinds[2];
  char initial[4] = "C:\\";
};

TEST_F(TextAndMenuTest, FileChooserGoesThroughTheHostWhenItOffersSelection) {
  LoadRequest request(kVstMultipleFilesLoad, 2);
  host().setAnswer(audioMasterCanDo, 1);
  VstFileSelect *seen = nullptr;
  host().setAnswer(audioMasterOpenFileSelector, 1);
  host().setHook(audioMasterOpenFileSelector, [&seen](const HostCall &call) {
    seen = static_cast<VstFileSelect *>(call.ptr);
    seen->nbReturnPath = 2;
  });
  request.select.nbReturnPath = 9;
  EXPECT_EQ(dispatch(effVendorSpecific, kRunFileChooser, 0, &request.select), 2);
  EXPECT_EQ(seen, &request.select);
  std::string asked;
  for (const HostCall &call : host().callsWith(audioMasterCanDo))
    asked += call.text + " ";
  EXPECT_EQ(asked, "openFileSelector closeFileSelector ");
  EXPECT_TRUE(host().callsWith(audioMasterCloseFileSelector).empty());
  dispatch(effVendorSpecific, kCloseFileChooser);
  const auto closed = host().callsWith(audioMasterCloseFileSelector);
  ASSERT_EQ(closed.size(), 1u);
  EXPECT_EQ(closed[0].ptr, &request.select);

  // A host that refuses the request: nothing chosen.
  host().setAnswer(audioMasterOpenFileSelector, 0);
  EXPECT_EQ(dispatch(effVendorSpecific, kRunFileChooser, 0, &request.select), 0);
  dispatch(effVendorSpecific, kCloseFileChooser);
}

HWND openDialog() {
  HWND dialog = FindWindowA("#32770", nullptr);
  return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

TEST_F(TextAndMenuTest, WithoutTheHostTheSystemDialogAsksAndReturnsThePath) {
  // Two kinds of different extension: four filters, in order.
  LoadRequest request(kVstFileLoad, 2);
  std::string filters;
  InputScript chooseFile;
  chooseFile.waitFor([] { return openDialog() != nullptr; }, 15000).pause(300);
  chooseFile.then([&filters] {
    HWND types = GetDlgItem(openDialog(), 0x470);
    const auto count = SendMessageA(types, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char text[256] = {};
      SendMessageA(types, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      filters += std::string(text) + "\n";
    }
    return true;
  });
  chooseFile.type("chosen.wav").key(VK_RETURN).waitFor([] { return openDialog() == nullptr; });
  VstIntPtr chosen = -1;
  ASSERT_TRUE(chooseFile.play([&] {
    if (chosen < 0)
      chosen = dispatch(effVendorSpecific, kRunFileChooser, 0, &request.select);
  }));
  EXPECT_EQ(filters, "Wave (.wav)\nText (.txt)\nAll Types: (*.wav;*.txt)\nAny Type (*.*)\n");
  EXPECT_EQ(chosen, 1);
  EXPECT_EQ(request.select.nbReturnPath, 1);
  ASSERT_NE(request.select.returnPath, nullptr);
  EXPECT_STREQ(request.select.returnPath, "C:\\chosen.wav");
  EXPECT_EQ(request.select.reserved, 1); // allocated by the chooser ...
  dispatch(effVendorSpecific, kCloseFileChooser);
  EXPECT_EQ(request.select.returnPath, nullptr); // ... and freed by it
  EXPECT_TRUE(host().callsWith(audioMasterCloseFileSelector).empty());

  // One kind: two filters; escape cancels with nothing chosen.
  LoadRequest single(kVstFileLoad, 1);
  filters.clear();
  InputScript cancel;
  cancel.waitFor([] { return openDialog() != nullptr; }, 15000).pause(300);
  cancel.then([&filters] {
    HWND types = GetDlgItem(openDialog(), 0x470);
    filters = std::to_string(SendMessageA(types, CB_GETCOUNT, 0, 0));
    return true;
  });
  cancel.key(VK_ESCAPE).waitFor([] { return openDialog() == nullptr; });
  chosen = -1;
  ASSERT_TRUE(cancel.play([&] {
    if (chosen < 0)
      chosen = dispatch(effVendorSpecific, kRunFileChooser, 0, &single.select);
  }));
  EXPECT_EQ(filters, "2");
  EXPECT_EQ(chosen, 0);
  EXPECT_EQ(single.select.nbReturnPath, 0);
  dispatch(effVendorSpecific, kCloseFileChooser);
}

} // namespace

// Press and release sent together: the text field opens its edit window, the choice menu its
// popup, for the left button and (the menu) the right one.
TEST_F(TextAndMenuTest, ZeroLengthClicksOpenTheFieldAndTheMenu) {
  const Point field = centre(kTextFieldRect);
  const Point menu = centre(kMenuRect);
  InputScript taps;
  taps.tap(field.h, field.v).waitFor([this] { return editWindowOf(frameWindow) != nullptr; });
  taps.key(VK_RETURN).waitFor([this] { return editWindowOf(frameWindow) == nullptr; });
  for (int button : {1, 3}) {
    taps.tap(menu.h, menu.v, button).waitFor([] { return visiblePopup() != nullptr; });
    taps.key(VK_ESCAPE).waitFor([] { return visiblePopup() == nullptr; });
  }
  EXPECT_TRUE(play(taps));
}
