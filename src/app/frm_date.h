// The hidden host window: it holds the artwork in picture boxes, owns the 10 ms date watch and
// the tray menu, and receives the tray entry's mouse reports.
#pragma once

#include "base/tick_path.h"
#include "base/tray_messages.h"
#include "runtime/services.h"

namespace vorlin {

class MDate;

class FrmDate final : public Form {
 public:
  enum Control : int {
    kSource,  // picture boxes 0 to 5: the backgrounds
    kSourceNumber,
    kSourceText,
    kTmDate,
    kMnuVorlin,
    kMnuProperties,
    kMnuSep,
    kMnuClose,
  };

  // `properties` is the window that Properties shows.
  FrmDate(Services& services, MDate& mDate, Form& properties)
      : services_(services), mDate_(mDate), properties_(properties) {}

  const FormDesc& description() const override;
  VORLIN_TICK_PATH Status handle(const Event& event) override;

  // True when today's date differs from the last one seen, which it then becomes.
  VORLIN_TICK_PATH bool dateChanged();

 private:
  VORLIN_TICK_PATH Status tick();
  Status trayReport(Twips x);
  Status close();

  Services& services_;
  MDate& mDate_;
  Form& properties_;
  double lastDate_ = 0;
};

}  // namespace vorlin
