#pragma once
// Everything one pairing run reads and changes, passed by reference to every step.

#include "data/register.h"
#include "data/table.h"
#include "pairing/options.h"
#include "pairing/random.h"
#include "services/services.h"

namespace toq::pairing {

/// The table being paired, the register it names, the options, the generator and the user.
struct PairingContext {
  data::Table& table;
  const data::Register& players;
  const PairingOptions& options;
  Random& random;
  services::Services& ui;
};

}  // namespace toq::pairing
