#include "file_chooser.h"

#include <windows.h>

#include <commdlg.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "editor/gui_editor.h"
#include "effect/effect_extended.h"
#include "file_filter_rules.h"
#include "frame.h"

namespace {

constexpr DWORD kSingleNameCapacity = 1023;
constexpr DWORD kMultipleNamesCapacity = 102400;

// Dialog control identifiers of the standard explorer-style open dialog.
constexpr int kFileNameLabel = 0x442; // stc3
constexpr int kFileNameCombo = 0x47c; // cmb13
constexpr int kFileNameEdit = 0x480;  // edt1
constexpr int kFileTypeLabel = 0x441; // stc2
constexpr int kFileTypeCombo = 0x470; // cmb1
constexpr int kLookInLabel = 0x443;   // stc4

char *copyText(const std::string &text) {
  auto *copy = static_cast<char *>(std::malloc(text.size() + 1));
  if (copy)
    std::memcpy(copy, text.c_str(), text.size() + 1);
  return copy;
}

std::string dialogFolder(HWND dialog) {
  char folder[MAX_PATH] = {};
  SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
  return folder;
}

UINT_PTR CALLBACK saveHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto *dialog = reinterpret_cast<const OPENFILENAMEA *>(lParam);
    SetWindowLongPtrA(hook, GWLP_USERDATA, static_cast<LONG_PTR>(dialog->lCustData));
    return 0;
  }
  if (message != WM_NOTIFY || reinterpret_cast<NMHDR *>(lParam)->code != CDN_FOLDERCHANGE)
    return 0;
  const auto *request = reinterpret_cast<VstFileSelect *>(GetWindowLongPtrA(hook, GWLP_USERDATA));
  HWND dialog = GetParent(hook);
  char current[512] = {};
  GetWindowTextA(dialog, current, sizeof current);
  const std::string title =
      saveDialogTitle(request ? request->title : nullptr, current, dialogFolder(dialog));
  SetWindowTextA(dialog, title.c_str());
  return 0;
}

// Folder selection: the open dialog without files, whose select button takes the folder shown.
struct FolderState {
  std::string folder;
  WNDPROC previous = nullptr;
};

LRESULT CALLBACK folderDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto *state = reinterpret_cast<FolderState *>(GetPropA(dialog, "FolderState"));
  if (state && message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    state->folder = dialogFolder(dialog);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    return 0;
  }
  return CallWindowProcA(state ? state->previous : DefDlgProcA, dialog, message, wParam, lParam);
}

UINT_PTR CALLBACK folderHook(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto *dialog = reinterpret_cast<const OPENFILENAMEA *>(lParam);
    SetWindowLongPtrA(hook, GWLP_USERDATA, static_cast<LONG_PTR>(dialog->lCustData));
    return 0;
  }
  if (message != WM_NOTIFY || reinterpret_cast<NMHDR *>(lParam)->code != CDN_INITDONE)
    return 0;
  auto *state = reinterpret_cast<FolderState *>(GetWindowLongPtrA(hook, GWLP_USERDATA));
  HWND dialog = GetParent(hook);
  for (int control :
       {kFileNameLabel, kFileNameCombo, kFileNameEdit, kFileTypeLabel, kFileTypeCombo})
    ShowWindow(GetDlgItem(dialog, control), SW_HIDE);
  SetDlgItemTextA(dialog, kLookInLabel, "Look in");
  SetDlgItemTextA(dialog, IDOK, "Select");
  SetDlgItemTextA(dialog, IDCANCEL, "Cancel");
  SetPropA(dialog, "FolderState", state);
  state->previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&folderDialogProcedure)));
  return 0;
}

} // namespace

FileChooser::FileChooser(EffectExtended *effect) : effect(effect) {}

FileChooser::~FileChooser() {
  if (!request)
    return;
  if (hostSelection) {
    effect->closeFileSelector(request);
    return;
  }
  if (request->reserved == 1 && request->returnPath) {
    std::free(request->returnPath);
    request->returnPath = nullptr;
    request->sizeReturnPath = 0;
    request->reserved = 0;
  }
  if (request->returnMultiplePaths) {
    for (VstInt32 i = 0; i < request->nbReturnPath; ++i)
      std::free(request->returnMultiplePaths[i]);
    std::free(request->returnMultiplePaths);
    request->returnMultiplePaths = nullptr;
  }
}

bool FileChooser::hostOffersSelection() const {
  if (!effect)
    return false;
  char open[] = "openFileSelector";
  char close[] = "closeFileSelector";
  return effect->canHostDo(open) > 0 && effect->canHostDo(close) > 0;
}

void *FileChooser::ownerWindow() const {
  auto *editor = effect ? dynamic_cast<GuiEditor *>(effect->editorPointer()) : nullptr;
  return editor && editor->getFrame() ? editor->getFrame()->getWindow() : nullptr;
}

std::int32_t FileChooser::run(VstFileSelect *newRequest) {
  request = newRequest;
  if (!request)
    return 0;
  request->nbReturnPath = 0;
  if (request->returnPath)
    request->returnPath[0] = '\0';
  if (hostOffersSelection()) {
    hostSelection = true;
    return effect->openFileSelector(request) ? request->nbReturnPath : 0;
  }
  return runSystemDialog();
}

std::int32_t FileChooser::runSystemDialog() {
  const VstInt32 command = request->command;
  if (command < kVstFileLoad || command > kVstDirectorySelect)
    return 0;
  const std::string filters =
      nativeFilterList(buildFileFilters(command, request->fileTypes, request->nbFileTypes));
  const bool several = command == kVstMultipleFilesLoad;
  std::vector<char> names(several ? kMultipleNamesCapacity : kSingleNameCapacity + 1, '\0');

  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = static_cast<HWND>(ownerWindow());
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = names.data();
  dialog.nMaxFile = static_cast<DWORD>(names.size() - 1);
  dialog.lpstrTitle = request->title[0] ? request->title : nullptr;
  dialog.lpstrInitialDir = request->initialPath;
  dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY;
  FolderState folder;
  if (command == kVstFileSave) {
    dialog.Flags |= OFN_ENABLEHOOK;
    dialog.lpfnHook = saveHook;
    dialog.lCustData = reinterpret_cast<LPARAM>(request);
    if (request->fileTypes && request->nbFileTypes > 0)
      dialog.lpstrDefExt = request->fileTypes[0].dosType;
    if (!GetSaveFileNameA(&dialog))
      return 0;
  } else if (command == kVstDirectorySelect) {
    dialog.Flags |= OFN_ENABLEHOOK;
    dialog.lpfnHook = folderHook;
    dialog.lCustData = reinterpret_cast<LPARAM>(&folder);
    GetOpenFileNameA(&dialog);
    if (folder.folder.empty())
      return 0;
  } else {
    if (several)
      dialog.Flags |= OFN_ALLOWMULTISELECT;
    if (!GetOpenFileNameA(&dialog))
      return 0;
  }

  std::vector<std::string> paths;
  if (command == kVstDirectorySelect)
    paths.push_back(folder.folder);
  else
    paths = selectedPaths(names.data(), names.size());
  if (paths.empty())
    return 0;
  if (several) {
    request->returnMultiplePaths = static_cast<char **>(std::calloc(paths.size(), sizeof(char *)));
    if (!request->returnMultiplePaths)
      return 0;
    for (const std::string &path : paths)
      request->returnMultiplePaths[request->nbReturnPath++] = copyText(path);
    return request->nbReturnPath;
  }
  const std::string &path = paths.front();
  if (!request->returnPath) {
    request->returnPath = copyText(path);
    if (!request->returnPath)
      return 0;
    request->sizeReturnPath = static_cast<VstInt32>(path.size() + 1);
    request->reserved = 1;
  } else {
    std::snprintf(request->returnPath, static_cast<std::size_t>(request->sizeReturnPath), "%s",
                  path.c_str());
  }
  request->nbReturnPath = 1;
  return 1;
}
