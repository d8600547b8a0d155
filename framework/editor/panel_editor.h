// What both plug-ins' editors share: a bitmap panel whose knobs and buttons edit the effect's
// parameters, two displays naming the parameter changed last and its value, input and output
// bars with over lamps, a gain-reduction lamp and a splash image. Each plug-in lays out its own
// controls and says what its displays and meters show.
//
// Parameter changes may arrive on any thread; they are only posted here and moved into the
// controls on the editor's thread, at the next idle.
#pragma once

#include <atomic>
#include <cstdint>

#include "editor/gui_editor.h"
#include "editor/panel_readings.h"
#include "editor/parameter_change_mailbox.h"
#include "gui/control.h"
#include "gui/value_display.h"

class Bitmap;
class LevelMeter;
class RotaryKnob;
class SplashPanel;
class ToggleButton;

class PanelEditor : public GuiEditor, public ControlListener {
public:
  // The panel image (resource `backgroundId`) sets the editor's size; the control images are
  // the resources after it up to `lastImageId`.
  PanelEditor(EffectBase *effect, std::int32_t parameterCount, std::int32_t backgroundId,
              std::int32_t lastImageId);
  ~PanelEditor() override;

  VstInt32 open(void *parentWindow) override;
  void close() override;
  void idle() override;
  void setParameter(VstInt32 index, float value) override;
  void valueChanged(DrawContext *context, Control *control) override;

  bool isOpen() const { return opened.load(std::memory_order_acquire); }
  // While open: the control that edits parameter `index`, and the two displays.
  Control *parameterControl(std::int32_t index) const;
  ValueDisplay *labelDisplay() const { return label; }
  ValueDisplay *valueDisplay() const { return value; }

  static constexpr std::int32_t kSplashTag = 99;
  static constexpr float kMeterDecayStep = 0.08f;
  static constexpr std::int32_t kMeterSteps = 300;

protected:
  // Creates every control through the add... helpers, in drawing order.
  virtual void createControls() = 0;
  // What the displays show after parameter `index` changed to `v`; false for no parameter.
  virtual bool displayValuesFor(std::int32_t index, float v, PanelDisplayValues &values) const = 0;
  virtual PanelMeterReadings readMeters() const = 0;
  // The parameter the displays show when the editor opens (its level).
  virtual std::int32_t parameterShownAtOpen() const = 0;

  // A loaded control image; null outside the editor's range or while closed.
  Bitmap *image(std::int32_t id) const;

  // Bounds run from `position` over the image's size.
  RotaryKnob *addKnob(Point position, std::int32_t faceId, std::int32_t handleId, std::int32_t tag);
  // `top` is the button's top edge; the button is half its two-state image's height.
  ToggleButton *addButton(Point topLeft, std::int32_t imageId, std::int32_t tag);
  // A bar (300 steps, falling back by 0.08 per drawing) or a lamp (1 step). `extraHeight` grows
  // the bounds below the image.
  LevelMeter *addBar(Point position, std::int32_t onId, std::int32_t offId,
                     std::int32_t extraHeight = 0);
  LevelMeter *addLamp(Point position, std::int32_t onId, std::int32_t offId,
                      std::int32_t extraHeight = 0);
  ValueDisplay *addDisplay(Point position, std::int32_t backgroundId, ValueFormatter formatter);
  SplashPanel *addSplash(const Rect &clickArea, std::int32_t imageId);

  // Which meters show the readings; set by createControls.
  LevelMeter *inputBar = nullptr;
  LevelMeter *outputBar = nullptr;
  LevelMeter *inputOverLamp = nullptr;
  LevelMeter *outputOverLamp = nullptr;
  LevelMeter *gainReductionLamp = nullptr;
  ValueDisplay *label = nullptr;
  ValueDisplay *value = nullptr;

private:
  static constexpr std::int32_t kMaxParameters = 8;
  static constexpr std::int32_t kMaxImages = 24;

  // Editor thread: moves controls and displays to what was posted since the last call.
  void applyPostedChanges();
  // The displays name parameter `index` and show its current value.
  void showInDisplays(std::int32_t index);
  void showMeters();
  bool addToFrame(View *view);
  void forgetControls();

  std::int32_t parameterCount;
  std::int32_t firstImageId;
  std::int32_t imageCount;
  Bitmap *background;
  Bitmap *images[kMaxImages] = {};
  Control *parameterControls[kMaxParameters] = {};
  bool isButton[kMaxParameters] = {};
  SplashPanel *splash = nullptr;
  ParameterChangeMailbox posted;
  std::atomic<bool> opened{false};
};
