// The properties dialog, where the background colour is chosen from six.
#pragma once

#include <cstdint>

#include "runtime/forms.h"

namespace vorlin {

class Program;

class FrmProperties final : public Form {
 public:
  enum Control : int { kOptColour, kCmdCancel, kCmdOK };

  explicit FrmProperties(Program& program) : program_(program) {}

  const FormDesc& description() const override;
  Status handle(const Event& event) override;

  std::int16_t savedColour() const { return savedColour_; }

 private:
  Status load();
  Status ok();
  Status cancel();

  Program& program_;
  std::int16_t savedColour_ = 0;
};

}  // namespace vorlin
