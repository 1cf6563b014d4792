// When the program cannot go on, it ends at once. The runtime's own handler would print the
// failure's demangled type name on a console a GUI program does not have, and brings a
// demangler of its own into the executable for that.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
  std::abort();
}
} // namespace __gnu_cxx
