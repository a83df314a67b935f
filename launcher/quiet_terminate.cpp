// The launcher has no console. The C++ runtime's default handler for a fatal error (an
// exception nobody catches, std::terminate) would print the error's type to standard error,
// which nobody reads, and it brings the runtime's name demangler with it: about 50 KB of the
// exe. The launcher's own handler ends the process the same way, without the message.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
