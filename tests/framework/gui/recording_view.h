// A view that writes every event it receives into a shared log, with configurable answers.
#pragma once

#include <string>
#include <vector>

#include "gui/view.h"

class RecordingView : public View {
public:
  RecordingView(const char *name, const Rect &bounds, std::vector<std::string> &log,
                int *deletions = nullptr)
      : View(bounds), name(name), log(log), deletions(deletions) {}
  ~RecordingView() override {
    if (deletions)
      ++*deletions;
  }

  void draw(DrawContext *context) override {
    note("draw");
    View::draw(context);
  }
  void onMouseDown(DrawContext *, Point &where) override {
    note("mouseDown " + std::to_string(where.h) + "," + std::to_string(where.v));
  }
  std::int32_t onKeyDown(VstKeyCode &) override {
    note("keyDown");
    return keyAnswer;
  }
  std::int32_t onKeyUp(VstKeyCode &) override {
    note("keyUp");
    return keyAnswer;
  }
  bool onDrop(void *, std::int32_t count, std::int32_t kind, Point &) override {
    note("drop " + std::to_string(kind) + " " + std::to_string(count));
    return dropAnswer;
  }
  bool onWheel(DrawContext *, const Point &where, float distance) override {
    note("wheel " + std::to_string(where.h) + "," + std::to_string(where.v) + " " +
         std::to_string(static_cast<int>(distance)));
    return true;
  }
  void focusLost(DrawContext *) override { note("focusLost"); }
  bool onAttached(View *) override {
    note("attached");
    return true;
  }
  bool onRemoved(View *) override {
    note("removed");
    return true;
  }

  std::int32_t keyAnswer = -1;
  bool dropAnswer = true;

private:
  void note(const std::string &event) { log.push_back(name + ":" + event); }

  std::string name;
  std::vector<std::string> &log;
  int *deletions;
};
