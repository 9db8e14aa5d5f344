#include "win32/Dialogs.h"

#include <commdlg.h>

#include "io/WideText.h"
#include "operations/Version.h"
#include "win32/WindowText.h"

namespace quillmoor::win32 {

namespace {

// Room for many files chosen at once.
constexpr std::size_t kFileBufferLength = 32768;

OPENFILENAMEW DialogSetup(HWND owner, const std::wstring& title, const std::wstring& filter,
                          std::wstring& buffer) {
  OPENFILENAMEW setup{};
  setup.lStructSize = sizeof(setup);
  setup.hwndOwner = owner;
  setup.lpstrTitle = title.c_str();
  setup.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  setup.lpstrFile = buffer.data();
  setup.nMaxFile = static_cast<DWORD>(buffer.size());
  setup.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
  return setup;
}

std::wstring Caption() { return Wide(kProgramTitle); }

}  // namespace

std::wstring CommonDialogFilter(const std::string& filter) {
  if (filter.empty()) return {};
  std::wstring wide = Wide(filter);
  for (wchar_t& c : wide) {
    if (c == L'|') c = L'\0';
  }
  wide.push_back(L'\0');
  wide.push_back(L'\0');
  return wide;
}

std::vector<std::string> ChosenFiles(const std::wstring& buffer) {
  std::vector<std::wstring> parts;
  for (std::size_t start = 0; start < buffer.size() && buffer[start] != L'\0';) {
    const std::size_t end = buffer.find(L'\0', start);
    parts.push_back(buffer.substr(start, end - start));
    start = end + 1;
  }
  if (parts.size() <= 1) {
    return parts.empty() ? std::vector<std::string>{} : std::vector{Utf8FromWide(parts[0])};
  }
  std::wstring folder = parts[0];
  if (folder.back() != L'\\') folder.push_back(L'\\');
  std::vector<std::string> files;
  for (std::size_t i = 1; i < parts.size(); ++i) files.push_back(Utf8FromWide(folder + parts[i]));
  return files;
}

std::vector<std::string> SystemDialogs::OpenFiles(HWND owner, const OpenDialogSettings& settings) {
  const std::wstring title = Wide(settings.title);
  const std::wstring filter = CommonDialogFilter(settings.filter);
  const std::wstring folder = Wide(settings.initialFolder);
  const std::wstring extension = Wide(settings.defaultExtension);
  std::wstring buffer(kFileBufferLength, L'\0');
  OPENFILENAMEW setup = DialogSetup(owner, title, filter, buffer);
  setup.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  setup.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  setup.Flags |= OFN_FILEMUSTEXIST | (settings.multiSelect ? OFN_ALLOWMULTISELECT : 0);
  if (!GetOpenFileNameW(&setup)) return {};
  return ChosenFiles(buffer);
}

std::optional<std::string> SystemDialogs::SaveFile(HWND owner, const std::string& title,
                                                   const std::string& fileName,
                                                   const std::string& filter) {
  const std::wstring wideTitle = Wide(title);
  const std::wstring wideFilter = CommonDialogFilter(filter);
  std::wstring buffer = Wide(fileName);
  buffer.resize(kFileBufferLength, L'\0');
  OPENFILENAMEW setup = DialogSetup(owner, wideTitle, wideFilter, buffer);
  if (!GetSaveFileNameW(&setup)) return std::nullopt;
  return Utf8FromWide(buffer.c_str());
}

void SystemDialogs::Message(HWND owner, const std::string& text) {
  MessageBoxW(owner, Wide(text).c_str(), Caption().c_str(), MB_OK);
}

bool SystemDialogs::Question(HWND owner, const std::string& text) {
  return MessageBoxW(owner, Wide(text).c_str(), Caption().c_str(),
                     MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void SystemDialogs::Error(HWND owner, const std::string& text) {
  MessageBoxW(owner, Wide(text).c_str(), Caption().c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace quillmoor::win32
