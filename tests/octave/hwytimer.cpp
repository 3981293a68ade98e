// Preloaded into octave-cli for memcheck runs only: the timer query that an image library
// of Octave calls at start-up measures itself with an instruction that valgrind's virtual
// CPU refuses. A constant resolution serves; nothing the modules do uses it.
#include <cstdint>

namespace hwy {
namespace platform {
uint64_t TimerResolution() { return 32; }
}  // namespace platform
}  // namespace hwy
