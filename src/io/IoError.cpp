#include "io/IoError.h"

#include <utility>

namespace quillmoor {

std::string IoFailureText(IoFailure kind, int errorNumber) {
  switch (kind) {
    case IoFailure::FileNotFound:
      return "Fichier introuvable";
    case IoFailure::InvalidName:
      return "Nom de fichier incorrect";
    case IoFailure::TooManyOpenFiles:
      return "Trop de fichiers ouverts";
    case IoFailure::AccessDenied:
      return "Accès au fichier refusé";
    case IoFailure::ReadBeyondEnd:
      return "Lecture au-delà de la fin de fichier";
    case IoFailure::DiskFull:
      return "Disque plein";
    case IoFailure::Other:
      break;
  }
  return "Erreur E/S " + std::to_string(errorNumber);
}

std::string ErrorBoxText(std::string_view text) {
  std::string shown(text);
  if (!shown.empty() && static_cast<unsigned char>(shown.back()) > '.') shown += '.';
  return shown;
}

IoError::IoError(IoFailure kind, int errorNumber, std::string fileName)
    : std::runtime_error(IoFailureText(kind, errorNumber)),
      kind_(kind),
      errorNumber_(errorNumber),
      fileName_(std::move(fileName)) {}

}  // namespace quillmoor
