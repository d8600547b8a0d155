// The OLE drop target of a frame's window: accepts dragged files and plain text and hands them
// to the frame's views.
#pragma once

#include <windows.h>

#include <ole2.h>

class Frame;

class FrameDropTarget : public IDropTarget {
public:
  explicit FrameDropTarget(Frame *frame) : frame(frame) {}
  virtual ~FrameDropTarget() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject *data, DWORD keys, POINTL point,
                                      DWORD *effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD *effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject *data, DWORD keys, POINTL point,
                                 DWORD *effect) override;

private:
  void dropFiles(HDROP drop);
  void dropText(STGMEDIUM &medium);

  LONG references = 0;
  bool accept = false;
  Frame *frame;
};
