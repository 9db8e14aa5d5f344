#include "win32/FolderTree.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "io/WideText.h"
#include "win32/WindowText.h"

namespace quillmoor::win32 {

namespace {

// An item's lParam: whether its folders have been read.
constexpr LPARAM kNotRead = 0;
constexpr LPARAM kRead = 1;

int SystemIconOf(const std::wstring& path) {
  SHFILEINFOW info{};
  SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  return info.iIcon;
}

// The folders directly inside folder that are not hidden, in the order of their names,
// compared without regard to case.
std::vector<std::wstring> FoldersIn(const std::wstring& folder) {
  std::vector<std::wstring> folders;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found,
                                   FindExSearchLimitToDirectories, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return folders;
  do {
    const std::wstring name = found.cFileName;
    const DWORD attributes = found.dwFileAttributes;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 || (attributes & FILE_ATTRIBUTE_HIDDEN) != 0)
      continue;
    if (name == L"." || name == L"..") continue;
    folders.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(folders.begin(), folders.end(), [](const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
  });
  return folders;
}

std::wstring ItemText(HWND tree, HTREEITEM item) {
  wchar_t text[MAX_PATH + 1] = {};
  TVITEMW data{};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = MAX_PATH;
  TreeView_GetItem(tree, &data);
  return text;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

HWND FolderTree::Create(HWND window, int id, const DesignRect& place, DpiScale scale, HFONT font) {
  const RECT scaled = scale(place);
  tree_ = CreateWindowExW(
      WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
      WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS,
      scaled.left, scaled.top, scaled.right - scaled.left, scaled.bottom - scaled.top, window,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tree_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  TreeView_SetIndent(tree_, scale(19));
  SHFILEINFOW info{};
  const auto icons = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  if (icons != nullptr) TreeView_SetImageList(tree_, icons, TVSIL_NORMAL);

  wchar_t drives[512] = {};
  GetLogicalDriveStringsW(511, drives);
  for (const wchar_t* drive = drives; *drive != L'\0'; drive += lstrlenW(drive) + 1) {
    std::wstring root = drive;  // "C:\"
    Insert(TVI_ROOT, root.substr(0, 2), root);
  }
  return tree_;
}

HTREEITEM FolderTree::Insert(HTREEITEM parent, const std::wstring& name, const std::wstring& path) {
  std::wstring text = name;
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  insert.item.pszText = text.data();
  insert.item.cChildren = 1;  // until its folder is read
  insert.item.lParam = kNotRead;
  insert.item.iImage = insert.item.iSelectedImage = SystemIconOf(path);
  return TreeView_InsertItem(tree_, &insert);
}

std::wstring FolderTree::PathOf(HTREEITEM item) const {
  std::wstring path;
  for (HTREEITEM above = item; above != nullptr; above = TreeView_GetParent(tree_, above)) {
    path = path.empty() ? ItemText(tree_, above) : ItemText(tree_, above) + L"\\" + path;
  }
  // A drive on its own is its root folder.
  return path.find(L'\\') == std::wstring::npos ? path + L"\\" : path;
}

void FolderTree::Fill(HTREEITEM item) {
  while (HTREEITEM child = TreeView_GetChild(tree_, item)) TreeView_DeleteItem(tree_, child);
  std::wstring folder = PathOf(item);
  if (folder.back() == L'\\') folder.pop_back();
  const std::vector<std::wstring> folders = FoldersIn(folder);
  for (const std::wstring& name : folders) Insert(item, name, folder + L"\\" + name);
  TVITEMW data{};
  data.mask = TVIF_CHILDREN | TVIF_PARAM;
  data.hItem = item;
  data.cChildren = folders.empty() ? 0 : 1;
  data.lParam = kRead;
  TreeView_SetItem(tree_, &data);
}

HTREEITEM FolderTree::ChildNamed(HTREEITEM parent, const std::wstring& name) const {
  for (HTREEITEM child = parent == TVI_ROOT ? TreeView_GetRoot(tree_)
                                            : TreeView_GetChild(tree_, parent);
       child != nullptr; child = TreeView_GetNextSibling(tree_, child)) {
    if (SameName(ItemText(tree_, child), name)) return child;
  }
  return nullptr;
}

std::string FolderTree::SelectedFolder() const {
  HTREEITEM selected = TreeView_GetSelection(tree_);
  return selected == nullptr ? std::string() : Utf8FromWide(PathOf(selected));
}

void FolderTree::SelectFolder(const std::string& folder) {
  const std::wstring path = Wide(folder);
  HTREEITEM item = nullptr;
  std::size_t start = 0;
  while (start < path.size()) {
    std::size_t end = path.find(L'\\', start);
    if (end == std::wstring::npos) end = path.size();
    if (end > start) {
      if (item != nullptr) {
        TVITEMW data{};
        data.mask = TVIF_PARAM;
        data.hItem = item;
        TreeView_GetItem(tree_, &data);
        if (data.lParam == kNotRead) Fill(item);
        TreeView_Expand(tree_, item, TVE_EXPAND);
      }
      HTREEITEM next =
          ChildNamed(item == nullptr ? TVI_ROOT : item, path.substr(start, end - start));
      if (next == nullptr) break;
      item = next;
    }
    start = end + 1;
  }
  if (item == nullptr) return;
  TreeView_SelectItem(tree_, item);
  TreeView_EnsureVisible(tree_, item);
}

void FolderTree::ClearSelection() { TreeView_SelectItem(tree_, nullptr); }

bool FolderTree::Notify(const NMHDR& header, LRESULT& result) {
  if (header.hwndFrom != tree_) return false;
  if (header.code == TVN_ITEMEXPANDINGW) {
    const auto& change = reinterpret_cast<const NMTREEVIEWW&>(header);
    if (change.action == TVE_EXPAND &&
        (changes_ == FolderChanges::Followed || change.itemNew.lParam == kNotRead))
      Fill(change.itemNew.hItem);
    result = FALSE;
    return true;
  }
  if (header.code == NM_RCLICK) {
    TVHITTESTINFO hit{};
    GetCursorPos(&hit.pt);
    ScreenToClient(tree_, &hit.pt);
    if (HTREEITEM item = TreeView_HitTest(tree_, &hit)) TreeView_SelectItem(tree_, item);
    result = TRUE;
    return true;
  }
  return false;
}

}  // namespace quillmoor::win32
