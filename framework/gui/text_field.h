// A value display whose text the user edits in a native edit window that opens over it on a
// click (or a double click) and closes on return or when the focus goes elsewhere.
#pragma once

#include "native_message_hook.h"
#include "value_display.h"

using TextFormatter = void (*)(const char *text, char *shown);
using TextFormatterWithData = void (*)(const char *text, char *shown, void *data);

// The message the field sends its parent container (or the frame) when its edit closed.
extern const char *const kMsgLooseFocus;

class TextField : public ValueDisplay, public NativeMessageHandler {
public:
  TextField(const Rect &bounds, ControlListener *listener, std::int32_t tag, const char *text,
            Bitmap *background, std::int32_t style = 0);
  ~TextField() override;

  void draw(DrawContext *context) override;
  void onMouseDown(DrawContext *context, Point &where) override;
  void focusLost(DrawContext *context) override;
  void focusGained(DrawContext *context) override;
  bool handleNativeMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                           std::intptr_t &result) override;

  virtual void setText(const char *newText);
  virtual void getText(char *out) const;
  virtual void setTextFormatterWithData(TextFormatterWithData function, void *data);
  virtual void setTextFormatter(TextFormatter function) { textFormatter = function; }

  bool isEditing() const { return editWindow != nullptr; }
  bool wasEnterPressed() const { return enterPressed; }
  void *getEditWindow() const { return editWindow; }

private:
  friend struct EditWindowAccess;

  void *editBrush = nullptr;
  void *editWindow = nullptr;
  bool enterPressed = false;
  void *editFont = nullptr;
  char text[kDisplayTextCapacity] = {};
  TextFormatter textFormatter = nullptr;
  TextFormatterWithData textFormatterWithData = nullptr;
  void *textFormatterData = nullptr;
  void *previousProcedure = nullptr;
};
