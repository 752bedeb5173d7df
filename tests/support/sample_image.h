// The bundled sample image, examples/ZEMF: a 320-register calculator with
// R00 at 0x1C0 and four small programs. make_sample writes it; a test checks
// that the committed file is exactly what this produces.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "support/image_builder.h"

namespace plomb::testing {

// The image with its programs, a key assignment register at the bottom of
// main memory and a few data registers in use.
MemoryImage sample_image();

// The extra files of the shared end-to-end cases, by name: the sample under
// a name with a blank, the sample with only 7 bytes free below its .END.,
// and a raw file of the sample's first program with a wrong checksum.
std::vector<std::pair<std::string, std::vector<std::uint8_t>>> case_fixtures();

}  // namespace plomb::testing
