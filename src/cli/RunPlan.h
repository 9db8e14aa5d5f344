// The lines an update reports (each replace and add), under a heading per wad.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace quillmoor {

class RunPlan {
 public:
  // The wads of the run, in the order the run changes them.
  explicit RunPlan(const std::vector<std::string>& wadPaths);

  // A line the run reported for the wad wadPath.
  void Add(const std::string& wadPath, const std::string& line);
  // What the run found: whether it changes (a dry run: would change) the wad wadPath.
  void Changed(const std::string& wadPath, bool changed);

  // Each wad's heading (its path and ':', then " unchanged" for a wad the run leaves as it
  // is), then its lines; a blank line between wads.
  void Print(std::ostream& out) const;

 private:
  struct WadLines {
    std::string path;
    std::vector<std::string> lines;
    bool unchanged = false;
  };
  WadLines* Find(const std::string& wadPath);

  std::vector<WadLines> wads_;
};

}  // namespace quillmoor
