#include "frame_drop_target.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "drop_rules.h"
#include "frame.h"

namespace {

constexpr DWORD kNameCapacity = 1024;

FORMATETC formatFor(CLIPFORMAT format) {
  return FORMATETC{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

bool offers(IDataObject *data, CLIPFORMAT format) {
  FORMATETC wanted = formatFor(format);
  return data && data->QueryGetData(&wanted) == S_OK;
}

// Replaces a shortcut's name by its target; leaves the name alone when that fails.
void resolveShortcut(char *name) {
  IShellLinkA *link = nullptr;
  if (CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                       reinterpret_cast<void **>(&link)) != S_OK)
    return;
  IPersistFile *file = nullptr;
  if (link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)) == S_OK) {
    WCHAR wide[kNameCapacity];
    MultiByteToWideChar(CP_ACP, 0, name, -1, wide, kNameCapacity);
    if (file->Load(wide, STGM_READ) == S_OK &&
        link->Resolve(nullptr, SLR_NO_UI | (500u << 16)) == S_OK) {
      char target[kNameCapacity];
      WIN32_FIND_DATAA found;
      if (link->GetPath(target, kNameCapacity, &found, 0) == S_OK && target[0])
        std::strcpy(name, target);
    }
    file->Release();
  }
  link->Release();
}

} // namespace

HRESULT STDMETHODCALLTYPE FrameDropTarget::QueryInterface(REFIID iid, void **out) {
  if (IsEqualIID(iid, IID_IDropTarget) || IsEqualIID(iid, IID_IUnknown)) {
    *out = static_cast<IDropTarget *>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE FrameDropTarget::AddRef() { return static_cast<ULONG>(++references); }

ULONG STDMETHODCALLTYPE FrameDropTarget::Release() {
  const LONG left = --references;
  if (left < 1)
    delete this;
  return static_cast<ULONG>(left < 0 ? 0 : left);
}

HRESULT STDMETHODCALLTYPE FrameDropTarget::DragEnter(IDataObject *data, DWORD keys, POINTL point,
                                                     DWORD *effect) {
  accept = offers(data, CF_TEXT) || offers(data, CF_HDROP);
  if (accept)
    return DragOver(keys, point, effect);
  *effect = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE FrameDropTarget::DragOver(DWORD keys, POINTL, DWORD *effect) {
  switch (dropEffectFor(accept, (keys & MK_CONTROL) != 0)) {
  case kDropEffectCopy:
    *effect = DROPEFFECT_COPY;
    break;
  case kDropEffectMove:
    *effect = DROPEFFECT_MOVE;
    break;
  default:
    *effect = DROPEFFECT_NONE;
    break;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE FrameDropTarget::DragLeave() { return S_OK; }

HRESULT STDMETHODCALLTYPE FrameDropTarget::Drop(IDataObject *data, DWORD, POINTL, DWORD *) {
  if (frame && data) {
    STGMEDIUM medium;
    FORMATETC text = formatFor(CF_TEXT);
    FORMATETC files = formatFor(CF_HDROP);
    if (data->GetData(&text, &medium) == S_OK) {
      dropText(medium);
    } else if (data->GetData(&files, &medium) == S_OK) {
      HDROP drop = static_cast<HDROP>(GlobalLock(medium.hGlobal));
      if (drop) {
        dropFiles(drop);
        GlobalUnlock(medium.hGlobal);
      }
      ReleaseStgMedium(&medium);
    }
  }
  DragLeave();
  return S_OK;
}

void FrameDropTarget::dropFiles(HDROP drop) {
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  char **names = new char *[count > 0 ? count : 1];
  UINT collected = 0;
  for (UINT i = 0; i < count; ++i) {
    char name[kNameCapacity];
    if (DragQueryFileA(drop, i, name, kNameCapacity) == 0)
      continue;
    if (isShortcutName(name))
      resolveShortcut(name);
    names[collected] = new char[kNameCapacity];
    std::strcpy(names[collected], name);
    ++collected;
  }
  Point where;
  frame->getMouseLocation(where);
  frame->onDrop(names, static_cast<std::int32_t>(collected), kDropFiles, where);
  for (UINT i = 0; i < collected; ++i)
    delete[] names[i];
  delete[] names;
}

void FrameDropTarget::dropText(STGMEDIUM &medium) {
  void *text = GlobalLock(medium.hGlobal);
  const SIZE_T size = GlobalSize(medium.hGlobal);
  if (text && size) {
    Point where;
    frame->getMouseLocation(where);
    frame->onDrop(text, static_cast<std::int32_t>(size), kDropText, where);
  }
  if (text)
    GlobalUnlock(medium.hGlobal);
  ReleaseStgMedium(&medium); // frees the memory itself when no release interface came with it
}
