// The generator is an executable, not a library, so its sources are compiled into the
// test binary here, once, for the unit tests of the encoders and the help.
#include "../../tools/assets/backgrounds.cpp"
#include "../../tools/assets/bmp.cpp"
#include "../../tools/assets/gif.cpp"
#include "../../tools/assets/help.cpp"
#include "../../tools/assets/images.cpp"
#include "../../tools/assets/noise.cpp"
#include "../../tools/assets/output.cpp"
#include "../../tools/assets/quantize.cpp"
#include "../../tools/assets/sounds.cpp"
#include "../../tools/assets/wav.cpp"
