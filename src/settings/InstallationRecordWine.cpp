#include "settings/InstallationRecord.h"

#include <QFile>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTextStream>
#include <array>
#include <system_error>

#include "operations/SettingsValues.h"

namespace quillmoor {
namespace {

namespace fs = std::filesystem;

// The value of the game's key that names its folder.
constexpr const char* kDirectoryValue = "Directory";

// Whether c is a digit of base (8 or 16).
bool IsDigitOf(QChar c, int base) {
  const qsizetype value = QStringView(u"0123456789abcdef").indexOf(c.toLower());
  return value >= 0 && value < base;
}

// The code unit spelt by the up to maximum digits of base at text[pos], pos moving past them;
// nothing when text[pos] is no such digit.
std::optional<QChar> ReadCodeUnit(QStringView text, qsizetype& pos, qsizetype maximum, int base) {
  qsizetype length = 0;
  while (length < maximum && pos + length < text.size() && IsDigitOf(text[pos + length], base)) {
    ++length;
  }
  if (length == 0) return std::nullopt;
  const QChar unit(text.mid(pos, length).toUShort(nullptr, base));
  pos += length;
  return unit;
}

// The control character a C-style escape letter stands for.
std::optional<QChar> ControlCharacter(QChar letter) {
  switch (letter.unicode()) {
    case u'a':
      return QChar(u'\a');
    case u'b':
      return QChar(u'\b');
    case u't':
      return QChar(u'\t');
    case u'n':
      return QChar(u'\n');
    case u'v':
      return QChar(u'\v');
    case u'f':
      return QChar(u'\f');
    case u'r':
      return QChar(u'\r');
    case u'e':
      return QChar(0x1B);
    default:
      return std::nullopt;
  }
}

// The character the escape at text[pos], just behind its backslash, stands for; pos moves past
// the escape. \x takes up to four hex digits, a digit up to three octal ones, and any other
// character (\\, \", \]) stands for itself.
QChar ReadEscape(QStringView text, qsizetype& pos) {
  if (const std::optional<QChar> octal = ReadCodeUnit(text, pos, 3, 8)) return *octal;
  const QChar letter = text[pos++];
  if (letter == u'x') return ReadCodeUnit(text, pos, 4, 16).value_or(letter);
  return ControlCharacter(letter).value_or(letter);
}

// The text of the escaped string from text[pos] up to its closing character, pos moving past
// that character; nothing when the string isn't closed. Two \x escapes that form a surrogate
// pair give one character.
std::optional<QString> ReadEscaped(QStringView text, qsizetype& pos, QChar closing) {
  QString unescaped;
  while (pos < text.size()) {
    const QChar c = text[pos++];
    if (c == closing) return unescaped;
    unescaped += (c == u'\\' && pos < text.size()) ? ReadEscape(text, pos) : c;
  }
  return std::nullopt;
}

// The lines of system.reg, trimmed. Only lines that start with '[' (a key) or with '"' or '@'
// (a value) matter; comments, blank lines and the continuation lines of long hex values start
// with none of these, so the readers below pass over them.
QStringList RegistryLines(QTextStream& in) {
  QStringList lines;
  QString line;
  while (in.readLineInto(&line)) lines.append(line.trimmed());
  return lines;
}

// The key path of a "[path] timestamp" line, unescaped.
std::optional<QString> KeyPathOf(QStringView keyLine) {
  qsizetype pos = 1;
  return ReadEscaped(keyLine, pos, u']');
}

struct RegistryValue {
  QString name;      // empty for the key's default value
  QStringView data;  // still escaped, type prefix and all
};

// The value of a '"name"=data' or '@=data' line.
std::optional<RegistryValue> ParseValue(QStringView line) {
  qsizetype pos = 1;
  std::optional<QString> name;
  if (line.startsWith(u'@')) {
    name.emplace();
  } else if (line.startsWith(u'"')) {
    name = ReadEscaped(line, pos, u'"');
  }
  if (!name || pos >= line.size() || line[pos] != u'=') return std::nullopt;
  return RegistryValue{*name, line.mid(pos + 1)};
}

// What the file holds under the game's key: the data of its "Directory" value, if any.
struct InstallDirKey {
  std::optional<QString> directoryData;
};

// The key keyPath, compared without regard to case; nothing when the file lacks it.
std::optional<InstallDirKey> FindInstallDirKey(const QStringList& lines, QStringView keyPath) {
  std::optional<InstallDirKey> key;
  bool inKey = false;
  for (const QString& line : lines) {
    if (line.startsWith(u'[')) {
      inKey = KeyPathOf(line).value_or(QString()).compare(keyPath, Qt::CaseInsensitive) == 0;
      if (inKey && !key) key.emplace();
      continue;
    }
    const std::optional<RegistryValue> value = inKey ? ParseValue(line) : std::nullopt;
    if (value &&
        value->name.compare(QLatin1StringView(kDirectoryValue), Qt::CaseInsensitive) == 0) {
      key->directoryData = value->data.toString();
    }
  }
  return key;
}

// The text of the "Directory" data: a plain string, or an expandable one read as it stands.
// Data of any other type throws SettingsTypeError.
QString DirectoryText(QStringView data) {
  constexpr QStringView kExpandableString = u"str(2):";
  if (data.startsWith(kExpandableString)) data = data.mid(kExpandableString.size());
  qsizetype pos = 1;
  const std::optional<QString> text =
      data.startsWith(u'"') ? ReadEscaped(data, pos, u'"') : std::nullopt;
  if (!text) throw SettingsTypeError(kDirectoryValue);
  return *text;
}

// The native path of the drive-qualified Windows path, through the prefix's link for that
// drive; the empty text when the path names no drive or the drive's link leads nowhere.
std::string NativePath(const QString& windowsPath, const fs::path& prefix) {
  const char16_t drive = windowsPath.isEmpty() ? u'\0' : windowsPath[0].toLower().unicode();
  if (windowsPath.size() < 2 || windowsPath[1] != u':' || drive < u'a' || drive > u'z') return {};
  std::error_code error;
  fs::path native =
      fs::canonical(prefix / "dosdevices" / std::string{static_cast<char>(drive), ':'}, error);
  if (error) return {};
  const QStringList parts =
      windowsPath.mid(2).replace(u'/', u'\\').split(u'\\', Qt::SkipEmptyParts);
  for (const QString& part : parts) native /= part.toStdString();
  return native.string();
}

}  // namespace

std::optional<std::string> ReadWineInstallationRecord(const fs::path& prefix) {
  // Where a 32-bit prefix keeps the game's key, then where a 64-bit one keeps the keys of
  // 32-bit programs.
  constexpr std::array<QStringView, 2> kInstallDirKeys = {
      u"Software\\Infogrames\\Grand Prix 4\\1.00\\Install Dir",
      u"Software\\Wow6432Node\\Infogrames\\Grand Prix 4\\1.00\\Install Dir"};
  QFile file(prefix / "system.reg");
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QTextStream in(&file);
  const QStringList lines = RegistryLines(in);
  for (QStringView keyPath : kInstallDirKeys) {
    const std::optional<InstallDirKey> key = FindInstallDirKey(lines, keyPath);
    if (!key) continue;
    if (!key->directoryData) return std::string();
    return NativePath(DirectoryText(*key->directoryData), prefix);
  }
  return std::nullopt;
}

InstallationRecordReader PlatformInstallationRecord() {
  return [] { return ReadWineInstallationRecord(DefaultWinePrefix()); };
}

}  // namespace quillmoor
