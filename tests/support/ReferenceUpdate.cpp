#include "ReferenceUpdate.h"

#include "TempDir.h"
#include "WadBuilder.h"
#include "operations/TrackNames.h"
#include "paths/CodePage.h"
#include "paths/EntryNames.h"
#include "paths/PathText.h"

namespace quillmoor::testing {

namespace {

std::int64_t Int32At(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return static_cast<std::int32_t>(value);
}

bool Holds(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> parts(1);
  for (const char c : text) {
    if (c == '\\') {
      parts.emplace_back();
    } else {
      parts.back() += c;
    }
  }
  return parts;
}

std::string Joined(const std::vector<std::string>& parts, std::size_t from) {
  std::string text;
  for (std::size_t i = from; i < parts.size(); ++i) text += (i > from ? "\\" : "") + parts[i];
  return text;
}

std::string TrackOfWad(const std::string& wadFile) {
  const std::string base = LowerCase1252(wadFile.substr(0, wadFile.size() - 4));
  for (const std::string_view track : TrackNames) {
    if (base == track) return base;
  }
  return "";
}

// The source's key, mode (0 plain, 1 qualifying, 2 race), whether the key is compared with
// whole names, and the track whose folder holds it.
struct PlainSource {
  std::string key;
  int mode = 0;
  bool cars = false;
  std::string track;
};

// A file of a source folder, by the folder's own name and the path below it.
PlainSource PlainFolderSource(const std::string& r) {
  const std::vector<std::string> parts = Split(r);
  PlainSource source;
  source.key = parts.back();
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    if (parts[i] == "race") source.mode = 2;
    if (parts[i] == "qualifying" && source.mode == 0) source.mode = 1;
  }
  // A track's folder anywhere decides first, the innermost one; else the first "cars" folder,
  // a row of them counting as one.
  for (std::size_t i = parts.size() - 1; i-- > 0 && source.track.empty();) {
    for (const std::string_view track : TrackNames) {
      if (parts[i] == track) {
        source.track = track;
        source.key = "maps\\" + source.track + "\\" + Joined(parts, i + 1);
      }
    }
  }
  for (std::size_t i = 0; i + 1 < parts.size() && source.track.empty() && !source.cars; ++i) {
    if (parts[i] == "cars") {
      while (i + 2 < parts.size() && parts[i + 1] == "cars") ++i;
      source.cars = true;
      source.key = Joined(parts, i);
    }
  }
  return source;
}

PlainSource PlainFileSource(const std::string& p) {
  PlainSource source;
  source.mode = Holds(p, "\\race\\") ? 2 : Holds(p, "\\qualifying\\") ? 1 : 0;
  source.cars = Holds(p, "\\cars\\");
  source.key = source.cars ? p.substr(p.rfind("\\cars\\") + 1) : FileNamePart(p, '\\');
  return source;
}

std::string PlainAddedName(const std::string& wadFile, const PlainSource& source) {
  std::string prefix;
  if (LowerCase1252(wadFile) == "cars.wad") prefix = "cars\\";
  for (const std::string_view track : TrackNames) {
    if (wadFile.substr(0, wadFile.size() - 4) == track)
      prefix = "maps\\" + std::string(track) + "\\";
  }
  std::string name = source.key.starts_with(prefix) ? "" : prefix;
  if (!Holds(source.key, "\\") && source.mode == 2) name += "race\\";
  if (!Holds(source.key, "\\") && source.mode == 1) name += "qualifying\\";
  return name + source.key;
}

bool Passes(const PlainSource& source, const std::string& e) {
  const std::string fileName = FileNamePart(e, '\\');
  if (!source.track.empty()) return source.key == e;
  if (source.mode == 2) return source.key == fileName && Holds("\\" + e, "\\race\\");
  if (source.mode == 1) return source.key == fileName && Holds("\\" + e, "\\qualifying\\");
  return source.cars ? source.key == e : source.key == fileName;
}

}  // namespace

std::vector<PlainEntry> PlainUpdate(std::vector<PlainEntry> entries, const std::string& wadFile,
                                    const std::string& sourceText, const std::string& ownName,
                                    const std::vector<std::string>& sources, bool singleFile) {
  const std::string folderText = *EntryTextFromNativePath(sourceText);
  for (const std::string& path : sources) {
    const std::string p = LowerCase1252(*EntryTextFromNativePath(path));
    PlainSource source;
    if (singleFile) {
      source = PlainFileSource(p);
    } else {
      const std::string below = p.substr(folderText.size() + (folderText.back() == '\\' ? 0 : 1));
      source = PlainFolderSource(LowerCase1252(ownName) + "\\" + below);
    }
    if (!source.track.empty() && source.track != TrackOfWad(wadFile)) continue;

    std::optional<std::size_t> match;
    for (std::size_t j = 0; j < entries.size() && !match; ++j) {
      if (Passes(source, LowerCase1252(WithoutNul(entries[j].name)))) match = j;
    }
    const std::string name = PlainAddedName(wadFile, source);
    for (std::size_t j = 0; j < entries.size() && !match; ++j) {
      if (LowerCase1252(WithoutNul(entries[j].name)) == name) match = j;
    }
    const std::string data = testing::ReadFile(path);
    const auto size = static_cast<std::int64_t>(data.size());
    if (match) {
      PlainEntry& m = entries[*match];
      const std::int64_t difference = size - m.size;
      for (std::size_t j = 0; j < entries.size(); ++j) {
        const bool shared = m.size == 0 && j != *match && entries[j].offset == m.offset;
        if (entries[j].offset > m.offset || (shared && difference != 0)) {
          entries[j].offset += difference;
        }
      }
      m.size = size;
      m.data = data;
    } else {
      for (PlainEntry& other : entries) other.offset += size + 136;
      entries.push_back(
          {name, 4 + 136 * static_cast<std::int64_t>(entries.size() + 1), size, data, ""});
    }
  }
  return entries;
}

// The wad the entries make: records in order, then each block at its offset, the later block
// winning where two overlap.
std::string WadBytes(const std::vector<PlainEntry>& entries) {
  WadBuilder wad;
  for (const PlainEntry& entry : entries) {
    wad.Record(entry.name, static_cast<std::int32_t>(entry.offset),
               static_cast<std::int32_t>(entry.size));
  }
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!entries[i].field.empty())
      wad.Bytes(4 + 136 * static_cast<std::int64_t>(i), entries[i].field);
  }
  for (const PlainEntry& entry : entries) {
    if (!entry.data.empty()) wad.Bytes(entry.offset, entry.data);
  }
  return wad.Build();
}

// Whether every entry of the written wad reads the bytes meant for it.
bool EveryEntryReadsItsData(const std::vector<PlainEntry>& entries) {
  const std::string written = WadBytes(entries);
  for (const PlainEntry& entry : entries) {
    const auto offset = static_cast<std::size_t>(entry.offset);
    if (entry.size > 0 && written.compare(offset, entry.data.size(), entry.data) != 0) return false;
  }
  return true;
}

std::ostream& operator<<(std::ostream& out, const PlainEntry& entry) {
  return out << "\n  " << entry.name << " @" << entry.offset << " +" << entry.size << " '"
             << entry.data << "'";
}

std::optional<std::vector<PlainEntry>> PlainEntriesOf(const std::string& wadBytes) {
  if (wadBytes.size() < 4) return std::nullopt;
  const std::int64_t count = Int32At(wadBytes, 0);
  if (count < 0 || 4 + 136 * count > static_cast<std::int64_t>(wadBytes.size()))
    return std::nullopt;
  std::vector<PlainEntry> entries;
  for (std::int64_t i = 0; i < count; ++i) {
    const auto at = static_cast<std::size_t>(4 + 136 * i);
    const std::string field = wadBytes.substr(at, 128);
    PlainEntry entry{field.substr(0, field.find('\0')), Int32At(wadBytes, at + 128),
                     Int32At(wadBytes, at + 132), "", field};
    if (entry.size > 0) {
      if (entry.offset < 0 ||
          entry.offset + entry.size > static_cast<std::int64_t>(wadBytes.size())) {
        return std::nullopt;
      }
      entry.data = wadBytes.substr(static_cast<std::size_t>(entry.offset),
                                   static_cast<std::size_t>(entry.size));
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace quillmoor::testing
