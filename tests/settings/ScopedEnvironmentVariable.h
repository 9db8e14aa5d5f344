// An environment variable set or removed for one test, put back as it was afterwards.
#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace quillmoor::testing {

class ScopedEnvironmentVariable {
 public:
  // Sets name to value, or removes it when value is nothing.
  ScopedEnvironmentVariable(const char* name, const std::optional<QByteArray>& value)
      : name_(name) {
    if (qEnvironmentVariableIsSet(name)) saved_ = qgetenv(name);
    if (value) {
      qputenv(name, *value);
    } else {
      qunsetenv(name);
    }
  }
  ~ScopedEnvironmentVariable() {
    if (saved_) {
      qputenv(name_, *saved_);
    } else {
      qunsetenv(name_);
    }
  }
  ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
  ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

 private:
  const char* name_;
  std::optional<QByteArray> saved_;
};

}  // namespace quillmoor::testing
