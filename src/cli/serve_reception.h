#pragma once
// `toq-cli serve --reception`: the reception's address, printed on a line of its own.

#include <ostream>

#include "server/server.h"

namespace toq::cli {

/// "受付用…:" and the reception's address with its key after '#'; nothing while it is off.
void printReceptionUrl(std::ostream& out, const server::Server& s);

}  // namespace toq::cli
