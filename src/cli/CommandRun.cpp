#include "cli/CommandRun.h"

#include "cli/PrintableText.h"

namespace quillmoor {

int WrongUsage(std::ostream& err, const std::string& problem) {
  err << "quillmoor-cli: " << problem << "\nTry 'quillmoor-cli --help'.\n";
  return kExitUsage;
}

void ClearProgress(const CommandRun& run) {
  if (std::ostream* progress = run.Progress()) *progress << "\r\x1b[K" << std::flush;
}

int Finish(const CliHost& host, const CommandRun& run) {
  ClearProgress(run);
  if (!host.Refusal().empty()) {
    run.streams.err << PrintableText(host.Refusal()) << '\n';
    return kExitFailure;
  }
  if (!run.Quiet()) run.streams.err << host.StatusText() << '\n';
  return kExitSuccess;
}

}  // namespace quillmoor
