#include "cli/RunPlan.h"

#include "cli/PrintableText.h"
#include "paths/PathText.h"

namespace quillmoor {

RunPlan::RunPlan(const std::vector<std::string>& wadPaths) {
  for (const std::string& path : wadPaths) {
    wads_.push_back({path, "Updating " + FileNamePart(path) + " : ", {}});
  }
}

void RunPlan::Progress(const std::string& text) {
  for (std::size_t k = current_; k < wads_.size(); ++k) {
    if (!text.starts_with(wads_[k].progressPrefix)) continue;
    current_ = k;
    std::vector<std::string>& lines = wads_[k].lines;
    lines.insert(lines.end(), pending_.begin(), pending_.end());
    pending_.clear();
    return;
  }
}

void RunPlan::Print(std::ostream& out) const {
  for (std::size_t k = 0; k < wads_.size(); ++k) {
    if (k > 0) out << '\n';
    out << PrintableText(wads_[k].path) << ':';
    if (wads_[k].lines.empty()) out << " unchanged";
    out << '\n';
    for (const std::string& line : wads_[k].lines) out << PrintableText(line) << '\n';
  }
}

}  // namespace quillmoor
