#include "text_field.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "draw_context.h"
#include "font_table.h"
#include "frame.h"

const char *const kMsgLooseFocus = "LooseFocus";

// The edit window's procedure reaches the field's private state through this.
struct EditWindowAccess {
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto *field = reinterpret_cast<TextField *>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!field)
      return DefWindowProcA(window, message, wParam, lParam);
    const auto previous = reinterpret_cast<WNDPROC>(field->previousProcedure);
    switch (message) {
    case WM_KILLFOCUS:
      field->focusLost(nullptr);
      break;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN) {
        field->enterPressed = true;
        field->focusLost(nullptr);
      }
      break;
    default:
      break;
    }
    // The field may have closed the window just now; the return key then ends here.
    if (field->editWindow != window && (message == WM_KEYDOWN || !IsWindow(window)))
      return 0;
    return CallWindowProcA(previous, window, message, wParam, lParam);
  }
};

TextField::TextField(const Rect &bounds, ControlListener *listener, std::int32_t tag,
                     const char *initialText, Bitmap *background, std::int32_t style)
    : ValueDisplay(bounds, background, style) {
  this->listener = listener;
  this->tag = tag;
  if (initialText)
    std::snprintf(text, sizeof text, "%s", initialText);
}

TextField::~TextField() {
  if (editWindow) {
    SetWindowLongPtrA(static_cast<HWND>(editWindow), GWLP_USERDATA, 0);
    DestroyWindow(static_cast<HWND>(editWindow));
  }
  if (editFont)
    DeleteObject(editFont);
  if (editBrush)
    DeleteObject(editBrush);
}

void TextField::setText(const char *newText) {
  if (!newText || std::strcmp(newText, text) == 0)
    return;
  std::snprintf(text, sizeof text, "%s", newText);
  setNeedsRedraw(true);
}

void TextField::getText(char *out) const { std::strcpy(out, text); }

void TextField::setTextFormatterWithData(TextFormatterWithData function, void *data) {
  textFormatterWithData = function;
  textFormatterData = data;
}

void TextField::draw(DrawContext *context) {
  if (editWindow) {
    setNeedsRedraw(false);
    return;
  }
  char shown[kDisplayTextCapacity] = {};
  if (textFormatterWithData)
    textFormatterWithData(text, shown, textFormatterData);
  else if (textFormatter)
    textFormatter(text, shown);
  else
    std::snprintf(shown, sizeof shown, "%s", text);
  drawText(context, shown);
}

void TextField::onMouseDown(DrawContext *context, Point &) {
  if (!mouseEnabled || !frame || !(context->getMouseButtons() & kLeftButton))
    return;
  if (frame->getFocusView() == this)
    return;
  if ((style & kDoubleClickToEdit) && !isDoubleClick())
    return;
  frame->setFocusView(this);
  focusGained(context);
}

void TextField::focusGained(DrawContext *context) {
  if (!frame || !frame->getWindow() || editWindow)
    return;
  enterPressed = false;
  Rect place = bounds;
  if (context)
    place.offset(context->offset.h, context->offset.v);
  DWORD editStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
  if (alignment == kAlignCenter)
    editStyle |= ES_CENTER;
  else if (alignment == kAlignRight)
    editStyle |= ES_RIGHT;
  HWND window = CreateWindowExA(
      0, "EDIT", text, editStyle, place.left, place.top, place.width() + 1, place.height() + 1,
      static_cast<HWND>(frame->getWindow()), nullptr, GetModuleHandleA(nullptr), nullptr);
  if (!window)
    return;
  editWindow = window;
  const FontDescription described = describeFont(fontId, 0, 0);
  LOGFONTA font{};
  font.lfHeight =
      -(described.height < bounds.height() - 2 ? described.height : bounds.height() - 2);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = ANSI_CHARSET;
  font.lfOutPrecision = OUT_STRING_PRECIS;
  font.lfClipPrecision = CLIP_STROKE_PRECIS;
  font.lfPitchAndFamily =
      described.decorative ? (DEFAULT_PITCH | FF_DECORATIVE) : (VARIABLE_PITCH | FF_SWISS);
  std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", described.face);
  editFont = CreateFontIndirectA(&font);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(editFont), TRUE);
  SendMessageA(window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(3, 3));
  SendMessageA(window, EM_SETSEL, 0, -1);
  SendMessageA(window, EM_LIMITTEXT, 255, 0);
  SetFocus(window);
  previousProcedure = reinterpret_cast<void *>(SetWindowLongPtrA(
      window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditWindowAccess::procedure)));
}

void TextField::focusLost(DrawContext *context) {
  // The frame may already have moved its focus on when it tells the field.
  if (!editWindow || !frame)
    return;
  HWND window = static_cast<HWND>(editWindow);
  // Cleared first: clearing the focus view and destroying the window both come back here.
  editWindow = nullptr;
  if (frame->getFocusView() == this)
    frame->setFocusView(nullptr);
  char old[kDisplayTextCapacity];
  std::strcpy(old, text);
  GetWindowTextA(window, text, 256);
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProcedure));
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
  if (editFont)
    DeleteObject(editFont);
  if (editBrush)
    DeleteObject(editBrush);
  editFont = editBrush = nullptr;
  setNeedsRedraw(true);

  DrawContext *used = context;
  HWND frameWindow = static_cast<HWND>(frame->getWindow());
  HDC device = nullptr;
  if (!used && frameWindow) {
    device = GetDC(frameWindow);
    used = new DrawContext(frame, device, frameWindow);
    for (View *parent = parentView; parent; parent = parent->getParentView()) {
      Rect parentBounds;
      parent->getBounds(parentBounds);
      used->offset.offset(parentBounds.left, parentBounds.top);
    }
  }
  if (std::strcmp(old, text) != 0 && listener)
    listener->valueChanged(used, this);
  if (parentView)
    parentView->notify(this, kMsgLooseFocus);
  else
    frame->notify(this, kMsgLooseFocus);
  if (device) {
    delete used;
    ReleaseDC(frameWindow, device);
  }
}

bool TextField::handleNativeMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t,
                                    std::intptr_t &result) {
  if (message != WM_CTLCOLOREDIT || !editWindow)
    return false;
  HDC device = reinterpret_cast<HDC>(wParam);
  SetTextColor(device, textColor.native());
  SetBkColor(device, fillColor.native());
  if (editBrush)
    DeleteObject(editBrush);
  editBrush = CreateSolidBrush(fillColor.native());
  result = reinterpret_cast<std::intptr_t>(editBrush);
  return true;
}
