// The host build's machine until a test installs its own.
#include "platform/os/sim/SimSystem.h"

System& DefaultSystem() {
  static SimSystem machine;
  return machine;
}
