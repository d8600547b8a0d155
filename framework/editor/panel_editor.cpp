#include "panel_editor.h"

#include <new>

#include "effect/effect_base.h"
#include "gui/bitmap.h"
#include "gui/draw_context.h"
#include "gui/frame.h"
#include "gui/level_meter.h"
#include "gui/rotary_knob.h"
#include "gui/splash_panel.h"
#include "gui/toggle_button.h"

namespace {

// The displays' common look: the toolkit's 11-pixel Arial, dark grey, right-aligned.
constexpr std::int32_t kDisplayFont = 4;
constexpr Color kDisplayTextColor{70, 70, 70, 0};
constexpr std::int32_t kKnobInset = 7;

Rect boundsAt(Point position, std::int32_t width, std::int32_t height) {
  return Rect(position.h, position.v, position.h + width, position.v + height);
}

std::int32_t widthOf(const Bitmap *bitmap) { return bitmap ? bitmap->getWidth() : 0; }
std::int32_t heightOf(const Bitmap *bitmap) { return bitmap ? bitmap->getHeight() : 0; }

} // namespace

PanelEditor::PanelEditor(EffectBase *effect, std::int32_t parameterCount, std::int32_t backgroundId,
                         std::int32_t lastImageId)
    : GuiEditor(effect),
      parameterCount(parameterCount < kMaxParameters ? parameterCount : kMaxParameters),
      firstImageId(backgroundId + 1), imageCount(lastImageId - backgroundId),
      background(new (std::nothrow) Bitmap(backgroundId)) {
  if (imageCount > kMaxImages)
    imageCount = kMaxImages;
  rect.top = 0;
  rect.left = 0;
  rect.bottom = static_cast<std::int16_t>(heightOf(background));
  rect.right = static_cast<std::int16_t>(widthOf(background));
}

PanelEditor::~PanelEditor() {
  // A host may close the effect with the editor still open.
  if (frame)
    close();
  if (background)
    background->release();
}

VstInt32 PanelEditor::open(void *parentWindow) {
  GuiEditor::open(parentWindow);
  // Posting starts before the controls read their values, so that no change made meanwhile on
  // another thread is lost; idle applies nothing until the frame exists.
  posted.clear();
  opened.store(true, std::memory_order_release);

  for (std::int32_t i = 0; i < imageCount; ++i)
    images[i] = new (std::nothrow) Bitmap(firstImageId + i);
  frame = new (std::nothrow)
      Frame(Rect(0, 0, widthOf(background), heightOf(background)), parentWindow, this);
  if (frame) {
    frame->setBackgroundBitmap(background);
    createControls();
    showInDisplays(parameterShownAtOpen());
  }
  // The controls hold their own references now.
  for (std::int32_t i = 0; i < imageCount; ++i) {
    if (images[i])
      images[i]->release();
    images[i] = nullptr;
  }
  return 1;
}

void PanelEditor::close() {
  opened.store(false, std::memory_order_release);
  Frame *closing = frame;
  frame = nullptr;
  forgetControls();
  delete closing;
}

void PanelEditor::forgetControls() {
  for (Control *&control : parameterControls)
    control = nullptr;
  inputBar = outputBar = inputOverLamp = outputOverLamp = gainReductionLamp = nullptr;
  label = value = nullptr;
  splash = nullptr;
}

void PanelEditor::setParameter(VstInt32 index, float) {
  if (!isOpen())
    return;
  posted.post(index);
  postUpdate();
}

void PanelEditor::idle() {
  if (frame && effect && !inIdleCycle) {
    applyPostedChanges();
    showMeters();
  }
  // Draws what the steps above changed, in this same pass.
  GuiEditor::idle();
}

void PanelEditor::applyPostedChanges() {
  const ParameterChangeMailbox::Changes changes = posted.take();
  if (changes.changed == 0)
    return;
  for (std::int32_t index = 0; index < parameterCount; ++index) {
    Control *control = parameterControls[index];
    if (changes.has(index) && control) {
      control->setValue(effect->getParameter(index));
      control->setNeedsRedraw(true);
    }
  }
  showInDisplays(changes.last);
}

void PanelEditor::showInDisplays(std::int32_t index) {
  PanelDisplayValues shown{};
  if (displayValuesFor(index, effect->getParameter(index), shown)) {
    if (label)
      label->setValue(shown.label);
    if (value)
      value->setValue(shown.value);
  }
}

void PanelEditor::showMeters() {
  const PanelMeterReadings readings = readMeters();
  if (inputBar)
    inputBar->setValue(readings.input.bar);
  if (outputBar)
    outputBar->setValue(readings.output.bar);
  if (inputOverLamp)
    inputOverLamp->setValue(readings.input.over ? 1.0f : 0.0f);
  if (outputOverLamp)
    outputOverLamp->setValue(readings.output.over ? 1.0f : 0.0f);
  if (gainReductionLamp)
    gainReductionLamp->setValue(readings.gainReductionLamp);
}

void PanelEditor::valueChanged(DrawContext *context, Control *control) {
  const std::int32_t tag = control->getTag();
  if (tag < 0 || tag >= parameterCount || !effect)
    return;
  // A button's click is a gesture of its own for the host's automation recording, as a drag is.
  const bool gesture = isButton[tag] && frame;
  if (gesture)
    frame->beginEdit(tag);
  effect->setParameterAndAutomate(tag, control->getValue());
  if (gesture)
    frame->endEdit(tag);
  // This is the editor's thread: the displays follow the gesture at once.
  applyPostedChanges();
  // Key events come without a context: the next idle draws the control then.
  if (context)
    control->redrawIfDirty(context);
}

Control *PanelEditor::parameterControl(std::int32_t index) const {
  return index >= 0 && index < parameterCount ? parameterControls[index] : nullptr;
}

Bitmap *PanelEditor::image(std::int32_t id) const {
  const std::int32_t i = id - firstImageId;
  return i >= 0 && i < imageCount ? images[i] : nullptr;
}

bool PanelEditor::addToFrame(View *view) {
  if (!view)
    return false;
  if (frame->addChild(view))
    return true;
  view->release();
  return false;
}

RotaryKnob *PanelEditor::addKnob(Point position, std::int32_t faceId, std::int32_t handleId,
                                 std::int32_t tag) {
  Bitmap *face = image(faceId);
  RotaryKnob *knob = new (std::nothrow) RotaryKnob(
      boundsAt(position, widthOf(face), heightOf(face)), this, tag, face, image(handleId), {});
  if (!knob)
    return nullptr;
  knob->setInset(kKnobInset);
  knob->setValue(effect->getParameter(tag));
  if (!addToFrame(knob))
    return nullptr;
  if (tag >= 0 && tag < parameterCount)
    parameterControls[tag] = knob;
  return knob;
}

ToggleButton *PanelEditor::addButton(Point topLeft, std::int32_t imageId, std::int32_t tag) {
  Bitmap *strip = image(imageId);
  ToggleButton *button = new (std::nothrow)
      ToggleButton(boundsAt(topLeft, widthOf(strip), heightOf(strip) / 2), this, tag, strip);
  if (!button)
    return nullptr;
  button->setValue(effect->getParameter(tag));
  if (!addToFrame(button))
    return nullptr;
  if (tag >= 0 && tag < parameterCount) {
    parameterControls[tag] = button;
    isButton[tag] = true;
  }
  return button;
}

LevelMeter *PanelEditor::addBar(Point position, std::int32_t onId, std::int32_t offId,
                                std::int32_t extraHeight) {
  Bitmap *on = image(onId);
  LevelMeter *bar =
      new (std::nothrow) LevelMeter(boundsAt(position, widthOf(on), heightOf(on) + extraHeight), on,
                                    image(offId), kMeterSteps, kMeterHorizontal);
  if (!bar)
    return nullptr;
  bar->setDecayStep(kMeterDecayStep);
  return addToFrame(bar) ? bar : nullptr;
}

LevelMeter *PanelEditor::addLamp(Point position, std::int32_t onId, std::int32_t offId,
                                 std::int32_t extraHeight) {
  Bitmap *on = image(onId);
  LevelMeter *lamp =
      new (std::nothrow) LevelMeter(boundsAt(position, widthOf(on), heightOf(on) + extraHeight), on,
                                    image(offId), 1, kMeterHorizontal);
  return lamp && addToFrame(lamp) ? lamp : nullptr;
}

ValueDisplay *PanelEditor::addDisplay(Point position, std::int32_t backgroundId,
                                      ValueFormatter formatter) {
  Bitmap *back = image(backgroundId);
  ValueDisplay *display =
      new (std::nothrow) ValueDisplay(boundsAt(position, widthOf(back), heightOf(back)), back, 0);
  if (!display)
    return nullptr;
  display->setFont(kDisplayFont);
  display->setTextColor(kDisplayTextColor);
  display->setFormatter(formatter);
  display->setAlignment(kAlignRight);
  return addToFrame(display) ? display : nullptr;
}

SplashPanel *PanelEditor::addSplash(const Rect &clickArea, std::int32_t imageId) {
  SplashPanel *panel = new (std::nothrow)
      SplashPanel(clickArea, this, kSplashTag, image(imageId),
                  Rect(0, 0, widthOf(background), heightOf(background)), Point());
  splash = panel && addToFrame(panel) ? panel : nullptr;
  return splash;
}
