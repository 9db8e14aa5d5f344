// The words of one command: its operands and its options, read as people expect them.
#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillmoor {

// An option a command takes: "--long" and, when shortName isn't 0, "-s". An option with a
// valueName takes a value, as "--long=VALUE" or "--long VALUE".
struct OptionSpec {
  std::string_view longName;
  char shortName = 0;
  std::string_view valueName = {};
};

struct CommandLine {
  std::vector<std::string> operands;
  // The options given, by long name; a flag's value is empty. The last value given counts.
  std::map<std::string, std::string, std::less<>> options;
  // "--help" or "-h" was given before any "--".
  bool help = false;
  // The first thing wrong, as one line; empty when nothing was.
  std::string problem;

  bool Has(std::string_view longName) const { return options.contains(longName); }
  std::optional<std::string> Value(std::string_view longName) const;
};

// Reads the words behind command. "--" ends the options: every word behind it is an operand,
// as is "-" alone. Short flags may be written together ("-qv"). Reading goes on after a
// problem, so that a "--help" anywhere is still seen.
CommandLine ReadCommandLine(std::string_view command, std::span<const std::string> words,
                            std::span<const OptionSpec> accepted);

}  // namespace quillmoor
