#include "shell/navigation.h"

namespace quillet {

Navigation& ProgramNavigation() {
  static Navigation navigation;
  return navigation;
}

}  // namespace quillet
