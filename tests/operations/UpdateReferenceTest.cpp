// The update's index and offset bookkeeping against the plain way of doing it: scan every
// entry for every source file, move every offset by hand. On many generated wads and source
// trees, both must give the same wad.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "FakeHost.h"
#include "TempDir.h"
#include "WadBuilder.h"
#include "operations/TrackNames.h"
#include "operations/Update.h"
#include "paths/CodePage.h"
#include "paths/EntryNames.h"
#include "paths/FileListing.h"
#include "paths/PathText.h"
#include "wad/WadDirectory.h"

namespace quillmoor {
namespace {

using testing::FakeHost;
using testing::TempDir;
using testing::WadBuilder;

struct PlainEntry {
  std::string name;
  std::int64_t offset;
  std::int64_t size;
  std::string data;
  bool operator==(const PlainEntry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const PlainEntry& entry) {
  return out << "\n  " << entry.name << " @" << entry.offset << " +" << entry.size << " '"
             << entry.data << "'";
}

bool Holds(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

std::string PlainAddedName(const std::string& wadFile, const std::string& key) {
  if (LowerCase1252(wadFile) == "cars.wad") return "cars\\" + key;
  for (const std::string_view track : TrackNames) {
    if (wadFile.size() >= 4 && wadFile.substr(0, wadFile.size() - 4) == track) {
      return "maps\\" + std::string(track) + "\\" + key;
    }
  }
  return key;
}

// The update of one wad, step by step as the plain algorithm goes.
std::vector<PlainEntry> PlainUpdate(std::vector<PlainEntry> entries, const std::string& wadFile,
                                    const std::string& sourceText,
                                    const std::vector<std::string>& sources, bool singleFile) {
  const std::string folderText = *EntryTextFromNativePath(sourceText);
  for (const std::string& path : sources) {
    const std::string p = LowerCase1252(*EntryTextFromNativePath(path));
    const int mode = Holds(p, "\\race\\") ? 2 : Holds(p, "\\qualifying\\") ? 1 : 0;
    const bool cars = Holds(p, "\\cars\\");
    std::string key = FileNamePart(p, '\\');
    if (cars && singleFile) key = p.substr(p.rfind("\\cars\\") + 1);
    if (cars && !singleFile)
      key = p.substr(folderText.size() + (folderText.back() == '\\' ? 0 : 1));

    std::optional<std::size_t> match;
    for (std::size_t j = 0; j < entries.size() && !match; ++j) {
      const std::string e = LowerCase1252(WithoutNul(entries[j].name));
      const std::string fileName = FileNamePart(e, '\\');
      const bool passes = mode == 2   ? key == fileName && Holds(e, "\\race\\")
                          : mode == 1 ? key == fileName && Holds(e, "\\qualifying\\")
                          : cars      ? key == e
                                      : key == fileName;
      if (passes) match = j;
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
      entries.push_back({PlainAddedName(wadFile, key),
                         4 + 136 * static_cast<std::int64_t>(entries.size() + 1), size, data});
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
  for (const PlainEntry& entry : entries) {
    if (!entry.data.empty()) wad.Bytes(entry.offset, entry.data);
  }
  return wad.Build();
}

std::vector<PlainEntry> EntriesOf(const std::string& wad) {
  WadReader reader(wad, NativeFileSystem());
  std::vector<PlainEntry> entries;
  for (const WadDirectoryEntry& entry : reader.Entries()) {
    entries.push_back({EntryName(entry), entry.Offset, entry.Size, ""});
    reader.ReadBlock(entry, entries.back().data);
  }
  return entries;
}

// Generated wads and source trees, drawn from a few names so that they meet often.
class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  std::string Pick(const std::vector<std::string>& choices) {
    return choices[Below(choices.size())];
  }
  std::size_t Below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
  }
  std::string Bytes(std::size_t most) {
    return std::string(Below(most + 1), static_cast<char>('a' + Below(26)));
  }

  std::string EntryName() {
    const std::string folder = Pick({"", "maps\\monza2001\\", "cars\\ferrari\\", "Cars\\Williams\\",
                                     "maps\\x\\race\\", "maps\\x\\Qualifying\\", "misc\\"});
    return folder + Pick({"a.tex", "B.TEX", "c.dat", "setup.txt", "\xC9t\xE9.dat"});
  }

  std::string SourcePath() {
    return Pick({"", "Race/", "qualifying/", "Cars/ferrari/", "cars/Williams/", "x/race/y/",
                 "Qualifying/race/"}) +
           Pick({"a.tex", "b.tex", "C.DAT", "setup.txt", "new.bin", "\xC3\xA9t\xC3\xA9.dat"});
  }

  // A wad laid out as the game's are (blocks in some order, gaps, empty entries sharing the
  // next block's offset) or, now and then, any way at all.
  WadBuilder Wad() {
    const std::size_t count = Below(40);
    WadBuilder wad;
    const bool anyWay = Below(8) == 0;
    std::int64_t at = 4 + 136 * static_cast<std::int64_t>(count);
    const std::int64_t dataStart = at;
    for (std::size_t i = 0; i < count; ++i) {
      const std::string data = Below(3) == 0 ? std::string() : Bytes(8);
      const std::int64_t offset =
          anyWay ? dataStart + static_cast<std::int64_t>(Below(30)) : at + (Below(4) == 0 ? 2 : 0);
      wad.Record(EntryName(), static_cast<std::int32_t>(offset),
                 static_cast<std::int32_t>(data.size()));
      wad.Bytes(offset, anyWay ? std::string(data.size(), 'z') : data);
      at = offset + static_cast<std::int64_t>(data.size());
    }
    return wad;
  }

 private:
  std::mt19937 random_;
};

TEST(UpdateAgainstThePlainAlgorithm, GivesTheSameWadOnGeneratedWadsAndSources) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    Generator generate(seed);
    TempDir dir;
    const std::string wadFile = generate.Pick({"cars.wad", "monza2001.wad", "other.wad"});
    const std::string wad = generate.Wad().WriteTo(dir / wadFile);
    const std::size_t sources = generate.Below(25);
    for (std::size_t i = 0; i < sources; ++i) {
      dir.WriteFile("mod/" + generate.SourcePath(), generate.Bytes(12));
    }
    std::filesystem::create_directories(dir / "mod");
    const bool singleFile = sources > 0 && generate.Below(6) == 0;
    std::string sourceText = dir / "mod";
    if (generate.Below(2) == 0) sourceText += "/";
    std::vector<std::string> list = ListFiles(sourceText, "*.*", true, false, 63);
    if (singleFile) {
      sourceText = list.front();
      if (sourceText.ends_with(".bin")) continue;  // a four-letter extension names a folder
      list = {sourceText};
    }
    const std::vector<PlainEntry> expected =
        PlainUpdate(EntriesOf(wad), wadFile, sourceText, list, singleFile);

    FakeHost host;
    ProgramState state;
    host.wadText = wad;
    host.sourceText = sourceText;
    RunUpdate(host, state, NativeFileSystem());
    ASSERT_TRUE(host.messages.empty()) << "seed " << seed << ": " << host.messages[0];
    ASSERT_EQ(testing::ReadFile(wad), WadBytes(expected))
        << "seed " << seed << ::testing::PrintToString(expected);
  }
}

}  // namespace
}  // namespace quillmoor
