#pragma once
// The one QR encoder of the program (libqrencode, where this build has it): the modules of an
// address, drawn by the window, printed on the slips and shown in the terminal by toq-cli.

#include <string_view>

#include "reports/print/slips.h"

namespace toq::qr {

/// How much of the code may be damaged and still read: Medium for what is printed or shown
/// in the window, Low for the terminal, where a smaller code fits.
enum class Correction { Low, Medium };

/// The modules of the QR code of `utf8` (8-bit mode); none (size 0) when this build has no
/// encoder or the text does not fit.
reports::print::QrModules encode(std::string_view utf8, Correction correction = Correction::Medium);

}  // namespace toq::qr
