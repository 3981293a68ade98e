// Stand-in libmat: the PowerPC modules link it and call nothing in it.
#include "mxarray.hpp"

extern "C" HOSTAPI int matstandin(void) { return 0; }
