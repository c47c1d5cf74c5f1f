#include "ui/venue_closing.h"

namespace toq::ui {

bool mayCloseWhileServing(services::Services& ui, bool serving) {
  return !serving ||
         ui.askYesNo("会場公開中です。終了するとページが更新されなくなります。終了しますか？");
}

}  // namespace toq::ui
