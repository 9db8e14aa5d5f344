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

  // A line the run reported; it belongs to the wad whose progress text comes next.
  void Add(const std::string& line) { pending_.push_back(line); }
  // A progress text of the run: "Updating NAME : ..." after each source put into the wad
  // NAME.
  void Progress(const std::string& text);

  // Each wad's heading (its path and ':'), then its lines, or "unchanged" on the heading's
  // line for a wad the run doesn't change; a blank line between wads.
  void Print(std::ostream& out) const;

 private:
  struct WadLines {
    std::string path;
    std::string progressPrefix;
    std::vector<std::string> lines;
  };
  std::vector<WadLines> wads_;
  std::size_t current_ = 0;
  std::vector<std::string> pending_;
};

}  // namespace quillmoor
