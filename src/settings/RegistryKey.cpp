#include "settings/RegistryKey.h"

#include <stdexcept>
#include <utility>

#include "io/WideText.h"
#include "operations/SettingsValues.h"

namespace quillmoor {

namespace {

// The UTF-16 spelling of a key or value name. Quillmoor's names are its own UTF-8 texts.
std::wstring WideName(const std::string& name) {
  std::optional<std::wstring> wide = WideFromUtf8(name);
  if (!wide) throw std::invalid_argument("a registry name that is not UTF-8: " + name);
  return std::move(*wide);
}

}  // namespace

std::optional<RegistryKey> RegistryKey::OpenForReading(HKEY root, const std::string& path,
                                                       REGSAM view) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, WideName(path).c_str(), 0, KEY_QUERY_VALUE | view, &key) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return RegistryKey(key);
}

std::optional<RegistryKey> RegistryKey::OpenForWriting(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(root, WideName(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return RegistryKey(key);
}

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}

RegistryKey::~RegistryKey() {
  if (key_ != nullptr) ::RegCloseKey(key_);
}

std::optional<std::string> RegistryKey::ReadText(const std::string& name) const {
  const std::wstring valueName = WideName(name);
  std::wstring data;
  DWORD type = REG_NONE;
  DWORD size = 0;
  LSTATUS status = ERROR_MORE_DATA;
  // The value may grow between asking its size and reading it: ask again then.
  while (status == ERROR_MORE_DATA) {
    status = ::RegGetValueW(key_, nullptr, valueName.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                            nullptr, &size);
    if (status != ERROR_SUCCESS) break;
    if (type != REG_SZ && type != REG_EXPAND_SZ) throw SettingsTypeError(name);
    // One character more than asked: a value stored without its end gets one added.
    data.assign(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    status = ::RegGetValueW(key_, nullptr, valueName.c_str(),
                            RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, &type, data.data(),
                            &size);
  }
  if (status != ERROR_SUCCESS) return std::nullopt;
  return Utf8FromWide(std::wstring_view(data.c_str()));
}

bool RegistryKey::WriteText(const std::string& name, const std::string& text) const {
  const std::optional<std::wstring> data = WideFromUtf8(text);
  if (!data) return false;
  const auto size = static_cast<DWORD>((data->size() + 1) * sizeof(wchar_t));
  return ::RegSetValueExW(key_, WideName(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data->c_str()), size) == ERROR_SUCCESS;
}

}  // namespace quillmoor
