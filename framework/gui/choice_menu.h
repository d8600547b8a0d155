// A value display that shows one entry of a list and, on a click, offers the list as a native
// popup menu: separators, titles, greyed entries, submenus, check marks, columns, numbered
// entries and owner drawing through a palette. Its value is the index of the chosen entry.
#pragma once

#include <cstdint>

#include "menu_entry_rules.h"
#include "native_message_hook.h"
#include "value_display.h"

class MenuPalette;

// Style bits of the choice menu, beside those of the value display.
enum ChoiceMenuStyle : std::int32_t {
  kMenuCheckEntries = 1,    // each entry keeps its own check mark, flipped when chosen
  kMenuPopupAtTop = 512,    // the popup opens at the control's top instead of below it
  kMenuCheckCurrent = 1024, // the current entry is checked
};

class ChoiceMenu : public ValueDisplay, public NativeMessageHandler {
public:
  ChoiceMenu(const Rect &bounds, ControlListener *listener, std::int32_t tag,
             Bitmap *background = nullptr, Bitmap *pressedImage = nullptr, std::int32_t style = 0);
  ~ChoiceMenu() override;

  void draw(DrawContext *context) override;
  void onMouseDown(DrawContext *context, Point &where) override;
  void focusLost(DrawContext *context) override;
  void focusGained(DrawContext *context) override;
  void setValue(float newValue) override;
  bool handleNativeMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                           std::intptr_t &result) override;

  // index -1 appends, otherwise inserts before that index. A text starting with "-M" needs a
  // submenu and is refused here: addSubmenu adds those.
  virtual bool addEntry(const char *text, std::int32_t index = -1);
  virtual bool addSubmenu(ChoiceMenu *menu, const char *text);
  // With countAll false only entries that take a value count (not separators or titles), both
  // for the index answered and the index given. `text` gets the shown text when not null.
  virtual std::int32_t getCurrent(char *text = nullptr, bool countAll = true) const;
  virtual bool setCurrent(std::int32_t index, bool countAll = true);
  virtual bool getEntry(std::int32_t index, char *text) const;
  virtual bool setEntry(std::int32_t index, const char *text);
  virtual bool removeEntry(std::int32_t index);
  virtual bool removeAllEntries();
  virtual std::int32_t entryCount() const { return count; }
  virtual std::int32_t findEntry(const char *text) const;
  virtual void setChecked(std::int32_t index, bool state);
  virtual bool checkOnly(std::int32_t index);
  virtual bool isChecked(std::int32_t index) const;
  virtual void setItemsPerColumn(std::int32_t items) { itemsPerColumn = items; }
  virtual std::int32_t getItemsPerColumn() const { return itemsPerColumn; }
  // Creates the palette on first use; a menu with a palette draws its items itself.
  virtual MenuPalette *getPalette();
  virtual void setNumberingMode(std::int32_t mode) { numberingMode = mode; }

  ChoiceMenu *getLastResult() const { return lastResult; }
  std::int32_t submenuCount() const { return submenuTotal; }
  ChoiceMenu *submenuAt(std::int32_t index) const;
  // The entry's shown text, without kind prefix and number; null when out of range.
  const char *shownEntry(std::int32_t index) const;
  std::int32_t getNumberingMode() const { return numberingMode; }
  void *getMenuHandle() const { return menuHandle; }

private:
  struct Built; // the popup being shown: item identifiers and what they stand for
  bool grow();
  void *buildMenu(Built &built, ChoiceMenu *root);
  void destroyMenu();
  std::int32_t entryIndexFor(std::int32_t index, bool countAll) const;

  void *menuHandle = nullptr;
  char **entries = nullptr;
  ChoiceMenu **submenus = nullptr;
  bool *checked = nullptr;
  MenuEntryKind *kinds = nullptr;
  std::int32_t count = 0;
  std::int32_t submenuTotal = 0;
  std::int32_t currentIndex = -1;
  Bitmap *pressedImage;
  std::int32_t lastButtons = 0;
  std::int32_t itemsPerColumn = -1;
  std::int32_t capacity = 0;
  std::int32_t submenuCapacity = 0;
  std::int32_t lastChosenId = -1;
  std::int32_t numberingMode = 0;
  ChoiceMenu *lastResult = nullptr;
  MenuPalette *palette = nullptr;
  Built *built = nullptr; // only while the popup is open
};
