// DW5K's editor in-process on the headless window system: its layout from the image sizes, host
// changes from any thread reaching the controls at idle, user edits reaching the host, and the
// meters and lamps from the effect's readings.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <thread>
#include <vector>

#include "compressor_edit_effect.h"
#include "editor/panel_editor.h"
#include "gui/frame.h"
#include "gui/headless_input.h"
#include "recording_host.h"

namespace {

int parentToken;
void *const kParent = &parentToken;
using P = CompressorParameters;

// The artwork's sizes, from resource 128 on.
struct Images {
  Images() {
    const int sizes[][2] = {{430, 180}, {5, 8},   {45, 45}, {45, 46}, {68, 68}, {45, 45},
                            {45, 45},   {31, 30}, {31, 30}, {56, 25}, {28, 25}, {282, 6},
                            {282, 6},   {282, 6}, {282, 6}, {30, 27}, {30, 27}, {12, 8},
                            {12, 8},    {12, 8},  {12, 8},  {211, 46}};
    for (int i = 0; i < 22; ++i)
      headless::defineImage(128 + i, sizes[i][0], sizes[i][1]);
  }
};

enum Child { inputBar, outputBar, inputOver, outputOver, compressionLamp, firstKnob = 5 };

class CompressorEditorInProcess : public ::testing::Test {
protected:
  CompressorEditorInProcess() {
    host.adopt(effect.getAeffect());
    effect.setSampleRate(48000.0f);
    effect.resume();
  }
  ~CompressorEditorInProcess() override { host.release(effect.getAeffect()); }

  PanelEditor &editor() { return *static_cast<PanelEditor *>(effect.editorPointer()); }
  Control *child(int index) { return dynamic_cast<Control *>(editor().getFrame()->childAt(index)); }
  std::string shown(ValueDisplay *display) {
    char text[256] = "";
    display->formatValue(text);
    return text;
  }
  std::string label() { return shown(editor().labelDisplay()); }
  std::string value() { return shown(editor().valueDisplay()); }
  void playSine(double peak, int milliseconds) {
    std::vector<float> left(480), right(480), outLeft(480), outRight(480);
    float *in[] = {left.data(), right.data()};
    float *out[] = {outLeft.data(), outRight.data()};
    for (int block = 0; block < milliseconds / 10; ++block) {
      for (int i = 0; i < 480; ++i)
        left[i] = right[i] = static_cast<float>(peak * std::sin(2.0 * 3.14159265358979 * i / 48.0));
      effect.processReplacing(in, out, 480);
    }
  }

  Images images;
  RecordingHost host;
  CompressorEditEffect effect{RecordingHost::callback()};
};

TEST_F(CompressorEditorInProcess, EveryControlSitsWhereItsImageSaysWithItsParameter) {
  ERect *rect = nullptr;
  ASSERT_EQ(editor().getRect(&rect), 1);
  EXPECT_EQ(rect->bottom, 180);
  EXPECT_EQ(rect->right, 430);
  ASSERT_EQ(editor().open(kParent), 1);
  const Rect expected[] = {{35, 142, 317, 148},  {35, 149, 317, 156},  {324, 142, 336, 150},
                           {324, 149, 336, 158}, {77, 25, 107, 52},    {37, 35, 82, 80},
                           {113, 65, 158, 111},  {180, 23, 248, 91},   {270, 66, 315, 111},
                           {346, 35, 391, 80},   {268, 21, 299, 36},   {268, 6, 299, 21},
                           {334, 136, 390, 161}, {390, 136, 418, 161}, {14, 3, 115, 11}};
  ASSERT_EQ(editor().getFrame()->childCount(), 15);
  for (int i = 0; i < 15; ++i)
    EXPECT_EQ(child(i)->getBounds(), expected[i]) << "child " << i;
  const int tags[] = {P::threshold, P::attack, P::ratio, P::release, P::level, P::type, P::ahead};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(child(firstKnob + i)->getTag(), tags[i]);
    EXPECT_EQ(child(firstKnob + i), editor().parameterControl(tags[i]));
    EXPECT_EQ(child(firstKnob + i)->getValue(), effect.getParameter(tags[i]));
  }
  EXPECT_EQ(child(14)->getTag(), PanelEditor::kSplashTag);
  EXPECT_EQ(label(), "LEVEL"); // no parameter changed yet
  EXPECT_EQ(value(), "0.0");
  editor().close();
  EXPECT_EQ(editor().getFrame(), nullptr);
  EXPECT_EQ(editor().parameterControl(P::ratio), nullptr);
}

TEST_F(CompressorEditorInProcess, HostChangesFromAnyThreadReachTheControlsAtTheNextIdle) {
  ASSERT_EQ(editor().open(kParent), 1);
  Control *ratio = editor().parameterControl(P::ratio);
  effect.setParameter(P::ratio, 1.0f);
  EXPECT_EQ(ratio->getValue(), 0.5f) << "controls move on the editor's thread only";
  editor().idle();
  EXPECT_EQ(ratio->getValue(), 1.0f);
  EXPECT_EQ(label(), "RATIO");
  EXPECT_EQ(value(), "20:1");

  // An automating thread against the editor's idle: afterwards every control and the displays
  // show what the effect holds, the displays the parameter changed last.
  std::thread automation([this] {
    for (int i = 0; i < 5000; ++i)
      effect.setParameter(i % P::count, static_cast<float>(i % 100) / 100.0f);
  });
  for (int i = 0; i < 2000; ++i)
    editor().idle();
  automation.join();
  editor().idle();
  for (int i = 0; i < P::count; ++i)
    EXPECT_EQ(editor().parameterControl(i)->getValue(), effect.getParameter(i)) << i;
  EXPECT_EQ(label(), "RELEASE"); // 4999 % 7 = 1, at 0.99
  EXPECT_EQ(value(), "4775");

  // Closed, the editor ignores changes; opened again, it shows them.
  editor().close();
  effect.setParameter(P::threshold, 0.0f);
  ASSERT_EQ(editor().open(kParent), 1);
  EXPECT_EQ(editor().parameterControl(P::threshold)->getValue(), 0.0f);
  EXPECT_EQ(label(), "LEVEL");
  editor().close();
}

TEST_F(CompressorEditorInProcess, UserEditsReachTheEffectTheHostAndTheDisplays) {
  ASSERT_EQ(editor().open(kParent), 1);
  Control *attack = editor().parameterControl(P::attack);
  attack->setValue(0.25f);
  host.clearCalls();
  editor().valueChanged(nullptr, attack); // as an arrow key does: no context
  const std::vector<HostCall> automated = host.callsWith(audioMasterAutomate);
  ASSERT_EQ(automated.size(), 1u);
  EXPECT_EQ(automated[0].index, P::attack);
  EXPECT_EQ(automated[0].opt, 0.25f);
  EXPECT_EQ(effect.getParameter(P::attack), 0.25f);
  EXPECT_EQ(label(), "ATTACK");
  EXPECT_EQ(value(), "50.0");

  // A click on a switch is a whole gesture for the host.
  Control *type = editor().parameterControl(P::type);
  type->setValue(1.0f);
  host.clearCalls();
  editor().valueChanged(nullptr, type);
  std::vector<VstInt32> opcodes;
  for (const HostCall &call : host.calls())
    if (call.opcode != audioMasterIdle)
      opcodes.push_back(call.opcode);
  EXPECT_EQ(opcodes,
            (std::vector<VstInt32>{audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit}));
  EXPECT_EQ(value(), "soft");

  host.clearCalls();
  editor().valueChanged(nullptr, child(14)); // the splash panel edits nothing
  EXPECT_TRUE(host.calls().empty());
  editor().close();
}

TEST_F(CompressorEditorInProcess, BarsAndLampsFollowTheEffectsReadings) {
  ASSERT_EQ(editor().open(kParent), 1);
  effect.setParameter(P::threshold, 1.0f);
  effect.setParameter(P::level, 0.5f);
  playSine(std::pow(10.0, -6.0 / 20.0), 100);
  editor().idle();
  EXPECT_NEAR(child(inputBar)->getValue(), 0.9f, 1e-4f);
  EXPECT_NEAR(child(outputBar)->getValue(), 0.9f, 1e-4f);
  EXPECT_EQ(child(compressionLamp)->getValue(), 0.0f);
  EXPECT_EQ(child(inputOver)->getValue(), 0.0f);

  effect.setParameter(P::level, 0.575f); // +3 dB, seen before any more audio
  editor().idle();
  EXPECT_NEAR(child(outputBar)->getValue(), 0.95f, 1e-4f);

  effect.setParameter(P::threshold, 0.0f);
  effect.setParameter(P::ratio, 1.0f);
  playSine(1.5, 100);
  editor().idle();
  EXPECT_EQ(child(compressionLamp)->getValue(), 1.0f);
  EXPECT_EQ(child(inputOver)->getValue(), 1.0f);
  EXPECT_EQ(child(inputBar)->getValue(), 1.0f);
  editor().close();
}

} // namespace
