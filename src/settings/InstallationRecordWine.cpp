#include "settings/InstallationRecord.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTextStream>
#include <array>
#include <system_error>

#include "operations/SettingsValues.h"
#include "paths/PathIgnoringCase.h"
#include "settings/WinePrefixes.h"

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

// Whether line is a value ('"name"=data' or '@=data') whose data goes on in the next line:
// Wine breaks long hex data after a comma with a backslash.
bool IsContinued(QStringView line) {
  return (line.startsWith(u'"') || line.startsWith(u'@')) && line.endsWith(u'\\');
}

// The lines of system.reg, trimmed, each value whole on one line. Only lines that start with
// '[' (a key) or with '"' or '@' (a value) matter; the readers below pass over comments and
// blank lines.
QStringList RegistryLines(QTextStream& in) {
  QStringList lines;
  QString line;
  bool continued = false;
  while (in.readLineInto(&line)) {
    if (continued) {
      lines.last().chop(1);
      lines.last() += line.trimmed();
    } else {
      lines.append(line.trimmed());
    }
    continued = IsContinued(lines.last());
  }
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

// The text spelt by hex data ("43,00,3a,00,..."): UTF-16LE code units, up to the first NUL
// when there is one; nothing when the data isn't a whole number of code units in hex bytes.
std::optional<QString> HexText(QStringView data) {
  QByteArray bytes;
  for (QStringView byte : data.split(u',')) {
    bool isHex = false;
    const uint value = byte.trimmed().toUInt(&isHex, 16);
    if (!isHex || value > 0xFF) return std::nullopt;
    bytes.append(static_cast<char>(value));
  }
  if (bytes.size() % 2 != 0) return std::nullopt;
  QString text =
      QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
  return text.left(text.indexOf(QChar(u'\0')));
}

// The text of the "Directory" data: a plain string, or an expandable one read as it stands,
// written quoted or, as Wine does for a value without its closing NUL, in hex. Data of any
// other type throws SettingsTypeError.
QString DirectoryText(QStringView data) {
  std::optional<QString> text;
  if (data.startsWith(u"hex(1):") || data.startsWith(u"hex(2):")) {
    text = HexText(data.mid(7));
  } else {
    if (data.startsWith(u"str(2):")) data = data.mid(7);
    qsizetype pos = 1;
    if (data.startsWith(u'"')) text = ReadEscaped(data, pos, u'"');
  }
  if (!text) throw SettingsTypeError(kDirectoryValue);
  return *text;
}

// The native path of the drive-qualified Windows path, through the prefix's link for that
// drive, each folder found without regard to case as Windows finds it; the empty text when
// the path names no drive or the drive's link leads nowhere.
std::string NativePath(const QString& windowsPath, const fs::path& prefix) {
  const char16_t drive = windowsPath.isEmpty() ? u'\0' : windowsPath[0].toLower().unicode();
  if (windowsPath.size() < 2 || windowsPath[1] != u':' || drive < u'a' || drive > u'z') return {};
  std::error_code error;
  fs::path native =
      fs::canonical(prefix / "dosdevices" / std::string{static_cast<char>(drive), ':'}, error);
  if (error) return {};
  const QStringList parts =
      windowsPath.mid(2).replace(u'/', u'\\').split(u'\\', Qt::SkipEmptyParts);
  for (const QString& part : parts)
    native = PathIgnoringCase((native / part.toStdString()).string());
  return native.string();
}

}  // namespace

std::optional<std::string> ReadWineInstallationRecord(const fs::path& prefix) {
  // Where a 32-bit prefix keeps the game's key, then where a 64-bit one keeps the keys of
  // 32-bit programs; the first that holds "Directory" counts.
  constexpr std::array<QStringView, 2> kInstallDirKeys = {
      u"Software\\Infogrames\\Grand Prix 4\\1.00\\Install Dir",
      u"Software\\Wow6432Node\\Infogrames\\Grand Prix 4\\1.00\\Install Dir"};
  QFile file(prefix / "system.reg");
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QTextStream in(&file);
  const QStringList lines = RegistryLines(in);
  bool keyFound = false;
  for (QStringView keyPath : kInstallDirKeys) {
    const std::optional<InstallDirKey> key = FindInstallDirKey(lines, keyPath);
    keyFound = keyFound || key.has_value();
    if (key && key->directoryData) return NativePath(DirectoryText(*key->directoryData), prefix);
  }
  if (keyFound) return std::string();
  return std::nullopt;
}

InstallationRecordReader PlatformInstallationRecord() {
  return [] { return ReadGameRecordOfPrefixes(WinePrefixes()); };
}

}  // namespace quillmoor
