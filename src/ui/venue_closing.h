#pragma once
// Closing the window while the event is served: the phones and the projector stop following.

#include "services/services.h"

namespace toq::ui {

/// The question "会場公開中です。終了するとページが更新されなくなります。終了しますか？"
/// while the event is served; true when the window may close (nothing is served, or the user
/// said yes).
bool mayCloseWhileServing(services::Services& ui, bool serving);

}  // namespace toq::ui
