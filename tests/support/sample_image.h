// The bundled sample image, examples/ZEMF: a 320-register calculator with
// R00 at 0x1C0 and four small programs. make_sample writes it; a test checks
// that the committed file is exactly what this produces.
#pragma once

#include "support/image_builder.h"

namespace plomb::testing {

// The image with its programs, a key assignment register at the bottom of
// main memory and a few data registers in use.
MemoryImage sample_image();

}  // namespace plomb::testing
