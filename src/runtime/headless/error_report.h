// The headless error report: every report kept, in order, for the test to read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/error_report.h"

namespace vorlin {

struct ReportedError {
  std::int32_t code;
  std::string message;
};

class HeadlessErrorReport final : public ErrorReport {
 public:
  std::vector<ReportedError> errors;

  void reportError(const Status& failure) override {
    errors.push_back({failure.code(), std::string(failure.message())});
  }
};

}  // namespace vorlin
