#include "cli/RunPlan.h"

#include <algorithm>

#include "cli/PrintableText.h"

namespace quillmoor {

RunPlan::RunPlan(const std::vector<std::string>& wadPaths) {
  for (const std::string& path : wadPaths) wads_.push_back({path, {}, false});
}

RunPlan::WadLines* RunPlan::Find(const std::string& wadPath) {
  const auto found = std::find_if(wads_.begin(), wads_.end(),
                                  [&](const WadLines& wad) { return wad.path == wadPath; });
  return found == wads_.end() ? nullptr : &*found;
}

void RunPlan::Add(const std::string& wadPath, const std::string& line) {
  if (WadLines* wad = Find(wadPath)) wad->lines.push_back(line);
}

void RunPlan::Changed(const std::string& wadPath, bool changed) {
  if (WadLines* wad = Find(wadPath)) wad->unchanged = !changed;
}

void RunPlan::Print(std::ostream& out) const {
  for (std::size_t k = 0; k < wads_.size(); ++k) {
    if (k > 0) out << '\n';
    out << PrintableText(wads_[k].path) << ':';
    if (wads_[k].unchanged) out << " unchanged";
    out << '\n';
    for (const std::string& line : wads_[k].lines) out << PrintableText(line) << '\n';
  }
}

}  // namespace quillmoor
