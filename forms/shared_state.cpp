#include "forms/shared_state.h"

namespace quillet {

void InitSharedState() {
  ButtonState.fill(-1);
  TodayOnly = 0;
  MainPanelWidth = 1700;
  MainPanelHeight = 4260;
}

}  // namespace quillet
