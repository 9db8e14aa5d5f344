// Names on Windows: the new file that becomes a new version, and the plain renames and
// removals that a commit is made of. Every rename is MoveFileExW with MOVEFILE_WRITE_THROUGH,
// which returns once the rename is on the disk, so a folder needs no sync of its own.
#include <windows.h>

#include "io/WideText.h"
#include "io/WindowsErrors.h"
#include "io/WindowsFile.h"

namespace quillmoor {

std::unique_ptr<File> CreateWindowsNew(const std::string& name) {
  const HANDLE handle =
      ::CreateFileW(WideName(name).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) throw LastError(name);
  return WindowsFileFromHandle(handle, name);
}

bool WindowsExists(const std::string& name) {
  return ::GetFileAttributesW(WideName(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

// The name as the folder spells it when something has it: a replaced wad keeps its spelling
// ("Monza2001.WAD" stays so, whatever case the caller wrote), as Windows' own replacing does.
std::wstring SpellingOnDisk(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = ::FindFirstFileW(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return path;
  ::FindClose(search);
  const std::wstring::size_type separator = path.find_last_of(L"\\/");
  return path.substr(0, separator == std::wstring::npos ? 0 : separator + 1) + found.cFileName;
}

}  // namespace

void RenameWindows(const std::string& from, const std::string& to) {
  const std::wstring source = WideName(from);
  const std::wstring destination = SpellingOnDisk(WideName(to));
  if (::MoveFileExW(source.c_str(), destination.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return;
  }
  // A rename can't replace a file that is held open, as the wad is by the run's own lock;
  // ReplaceFileW can, and keeps the name's attributes.
  const DWORD error = ::GetLastError();
  if ((error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) &&
      ::ReplaceFileW(destination.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr)) {
    return;
  }
  throw LastError(to);
}

bool LinkWindowsIfPossible(const std::string& existing, const std::string& newName) {
  if (::CreateHardLinkW(WideName(newName).c_str(), WideName(existing).c_str(), nullptr)) {
    return true;
  }
  // Whatever the refusal (FAT and exFAT volumes, network shares, a file with all its links), the
  // commit then moves the old version aside instead, which needs no link.
  return false;
}

void RemoveWindows(const std::string& name) {
  const std::wstring wide = WideName(name);
  // A new version took the read-only attribute of the file it replaced: it goes all the same.
  ::SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!::DeleteFileW(wide.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND) {
    throw LastError(name);
  }
}

std::vector<std::string> NamesInWindowsFolder(const std::string& folder) {
  std::wstring pattern = WideName(folder.empty() ? "." : folder);
  if (!pattern.ends_with(L'\\') && !pattern.ends_with(L'/')) pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found;
  const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) throw LastError(folder);
  std::vector<std::string> names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(Utf8FromWide(name));
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

}  // namespace quillmoor
