// The properties dialog, where the background colour is chosen from six.
#pragma once

#include <cstdint>

#include "runtime/services.h"

namespace vorlin {

class MDate;

class FrmProperties final : public Form {
 public:
  enum Control : int { kOptColour, kCmdCancel, kCmdOK };

  FrmProperties(Services& services, MDate& mDate) : services_(services), mDate_(mDate) {}

  const FormDesc& description() const override { return formDescription(); }
  static const FormDesc& formDescription();
  Status handle(const Event& event) override;

 private:
  Status load();
  Status ok();
  Status cancel();

  Services& services_;
  MDate& mDate_;
  std::int16_t savedColour_ = 0;
};

}  // namespace vorlin
