#include "cli/CommandLine.h"

#include <algorithm>

namespace quillmoor {

namespace {

class Reader {
 public:
  Reader(std::string_view command, std::span<const std::string> words,
         std::span<const OptionSpec> accepted)
      : command_(command), words_(words), accepted_(accepted) {}

  CommandLine Read() {
    bool optionsEnded = false;
    for (at_ = 0; at_ < words_.size(); ++at_) {
      const std::string& word = words_[at_];
      if (optionsEnded || word == "-" || !word.starts_with("-")) {
        line_.operands.push_back(word);
      } else if (word == "--") {
        optionsEnded = true;
      } else if (word == "--help" || word == "-h") {
        line_.help = true;
      } else if (word.starts_with("--")) {
        ReadLong(word);
      } else {
        ReadShorts(word);
      }
    }
    return std::move(line_);
  }

 private:
  void ReadLong(const std::string& word) {
    const std::size_t equals = word.find('=');
    const std::string_view name = std::string_view(word).substr(2, equals - 2);
    const auto option = std::ranges::find(accepted_, name, &OptionSpec::longName);
    if (option == accepted_.end()) {
      return Problem("unknown option '" + word.substr(0, equals) + "' for " + command_);
    }
    if (option->valueName.empty()) {
      if (equals != std::string::npos) {
        return Problem("option '--" + std::string(name) + "' takes no value");
      }
      line_.options[std::string(name)] = "";
    } else if (equals != std::string::npos) {
      line_.options[std::string(name)] = word.substr(equals + 1);
    } else if (at_ + 1 < words_.size()) {
      line_.options[std::string(name)] = words_[++at_];
    } else {
      Problem("--" + std::string(name) + " needs a " + std::string(option->valueName));
    }
  }

  void ReadShorts(const std::string& word) {
    for (const char letter : std::string_view(word).substr(1)) {
      const auto option = std::ranges::find(accepted_, letter, &OptionSpec::shortName);
      if (option == accepted_.end() || !option->valueName.empty()) {
        return Problem("unknown option '-" + std::string(1, letter) + "' for " + command_);
      }
      line_.options[std::string(option->longName)] = "";
    }
  }

  void Problem(std::string problem) {
    if (line_.problem.empty()) line_.problem = std::move(problem);
  }

  std::string command_;
  std::span<const std::string> words_;
  std::span<const OptionSpec> accepted_;
  std::size_t at_ = 0;
  CommandLine line_;
};

}  // namespace

std::optional<std::string> CommandLine::Value(std::string_view longName) const {
  const auto found = options.find(longName);
  if (found == options.end()) return std::nullopt;
  return found->second;
}

CommandLine ReadCommandLine(std::string_view command, std::span<const std::string> words,
                            std::span<const OptionSpec> accepted) {
  return Reader(command, words, accepted).Read();
}

}  // namespace quillmoor
