// The frame's OLE drop target driven with a data object of ours: dragged file lists and text
// reach the view under the mouse, the copy or move effect follows the control key, other data
// is refused, a modal view refuses drops, and a dropped shortcut arrives as its target.
#include <gtest/gtest.h>

#include <windows.h>

#include <ole2.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "gui/frame.h"
#include "gui_test_support.h"

namespace {

// Offers one format in global memory, as a drag source would.
class OfferedData : public IDataObject {
public:
  OfferedData(CLIPFORMAT format, const std::vector<char> &bytes) : format(format), bytes(bytes) {}
  virtual ~OfferedData() = default;

  static OfferedData *files(const std::vector<std::string> &names) {
    std::vector<char> bytes(sizeof(DROPFILES), 0);
    auto *header = reinterpret_cast<DROPFILES *>(bytes.data());
    header->pFiles = sizeof(DROPFILES);
    for (const std::string &name : names)
      bytes.insert(bytes.end(), name.c_str(), name.c_str() + name.size() + 1);
    bytes.push_back('\0');
    return new OfferedData(CF_HDROP, bytes);
  }
  static OfferedData *text(const char *text) {
    return new OfferedData(CF_TEXT, std::vector<char>(text, text + std::strlen(text) + 1));
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override {
    if (IsEqualIID(iid, IID_IDataObject) || IsEqualIID(iid, IID_IUnknown)) {
      *out = this;
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references;
    if (left == 0)
      delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC *wanted, STGMEDIUM *medium) override {
    if (QueryGetData(wanted) != S_OK)
      return DV_E_FORMATETC;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC *, STGMEDIUM *) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC *wanted) override {
    return wanted->cfFormat == format && (wanted->tymed & TYMED_HGLOBAL) &&
                   wanted->dwAspect == DVASPECT_CONTENT
               ? S_OK
               : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC *, FORMATETC *out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC *, STGMEDIUM *, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC **) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC *, DWORD, IAdviseSink *, DWORD *) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA **) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

private:
  ULONG references = 1;
  CLIPFORMAT format;
  std::vector<char> bytes;
};

// Keeps what a drop delivered, while it is valid.
class DropView : public View {
public:
  explicit DropView(const Rect &bounds) : View(bounds) {}
  bool onDrop(void *items, std::int32_t count, std::int32_t kind, Point &where) override {
    ++drops;
    lastKind = kind;
    lastWhere = where;
    received.clear();
    if (kind == kDropFiles)
      for (std::int32_t i = 0; i < count; ++i)
        received.emplace_back(static_cast<char **>(items)[i]);
    else
      received.emplace_back(static_cast<const char *>(items),
                            strnlen(static_cast<const char *>(items), count));
    return true;
  }
  int drops = 0;
  std::int32_t lastKind = -1;
  Point lastWhere;
  std::vector<std::string> received;
};

class DropTarget : public ::testing::Test {
protected:
  DropTarget() {
    frame = new Frame(Rect(0, 0, 100, 80), host.handle(), nullptr);
    view = new DropView(Rect(50, 0, 100, 80));
    frame->addChild(view);
    target = static_cast<IDropTarget *>(frame->getDropTarget());
    const POINT p = guitest::toScreen(static_cast<HWND>(frame->getWindow()), 70, 30);
    guitest::moveMouse(p.x, p.y);
    guitest::waitUntil([&] {
      Point where;
      frame->getMouseLocation(where);
      return where == Point(70, 30);
    });
  }
  ~DropTarget() override { delete frame; }

  DWORD drag(IDataObject *data, DWORD keys) {
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(data, keys, POINTL{0, 0}, &effect);
    return effect;
  }
  void drop(IDataObject *data) {
    drag(data, 0);
    DWORD effect = DROPEFFECT_MOVE;
    EXPECT_EQ(target->Drop(data, 0, POINTL{0, 0}, &effect), S_OK);
    data->Release();
  }

  guitest::HostWindow host{60, 60, 100, 80};
  Frame *frame;
  DropView *view;
  IDropTarget *target;
};

TEST_F(DropTarget, FilesAndTextReachTheViewUnderTheMouse) {
  ASSERT_NE(target, nullptr);
  drop(OfferedData::files({"C:\\loops\\one.wav", "C:\\loops\\two.wav"}));
  ASSERT_EQ(view->drops, 1);
  EXPECT_EQ(view->lastKind, kDropFiles);
  EXPECT_EQ(view->received, (std::vector<std::string>{"C:\\loops\\one.wav", "C:\\loops\\two.wav"}));
  EXPECT_EQ(view->lastWhere, Point(70, 30));
  drop(OfferedData::text("gain 3 dB"));
  ASSERT_EQ(view->drops, 2);
  EXPECT_EQ(view->lastKind, kDropText);
  EXPECT_EQ(view->received, (std::vector<std::string>{"gain 3 dB"}));
}

TEST_F(DropTarget, ControlKeyCopiesOtherwiseMovesAndUnknownDataIsRefused) {
  OfferedData *text = OfferedData::text("x");
  EXPECT_EQ(drag(text, MK_CONTROL), static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(drag(text, 0), static_cast<DWORD>(DROPEFFECT_MOVE));
  text->Release();
  auto *bitmapData = new OfferedData(CF_BITMAP, std::vector<char>(4, 0));
  EXPECT_EQ(drag(bitmapData, MK_CONTROL), static_cast<DWORD>(DROPEFFECT_NONE));
  DWORD effect = 0;
  target->DragOver(MK_CONTROL, POINTL{0, 0}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  target->Drop(bitmapData, 0, POINTL{0, 0}, &effect);
  bitmapData->Release();
  EXPECT_EQ(view->drops, 0);
}

TEST_F(DropTarget, ModalViewRefusesDrops) {
  auto *modal = new View(Rect(0, 0, 10, 10));
  frame->setModalView(modal);
  drop(OfferedData::text("ignored"));
  EXPECT_EQ(view->drops, 0);
  frame->setModalView(nullptr);
  modal->release();
  drop(OfferedData::text("taken"));
  EXPECT_EQ(view->drops, 1);
}

TEST_F(DropTarget, ShortcutArrivesAsItsTarget) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string targetFile = std::string(folder) + "drop_target_test.wav";
  const std::string shortcut = std::string(folder) + "drop_target_test.LNK";
  CloseHandle(CreateFileA(targetFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  IShellLinkA *link = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                             reinterpret_cast<void **>(&link)),
            S_OK);
  link->SetPath(targetFile.c_str());
  IPersistFile *file = nullptr;
  link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file));
  WCHAR wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, wide, MAX_PATH);
  ASSERT_EQ(file->Save(wide, TRUE), S_OK);
  file->Release();
  link->Release();

  drop(OfferedData::files({shortcut, "C:\\plain.wav"}));
  ASSERT_EQ(view->drops, 1);
  ASSERT_EQ(view->received.size(), 2u);
  EXPECT_EQ(_stricmp(view->received[0].c_str(), targetFile.c_str()), 0) << view->received[0];
  EXPECT_EQ(view->received[1], "C:\\plain.wav");
  DeleteFileA(shortcut.c_str());
  DeleteFileA(targetFile.c_str());
}

} // namespace
