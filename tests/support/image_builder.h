// Builds memory images for tests and for the bundled sample: programs are
// given in program order and laid out downward from R00 with correct links,
// closed by a .END. on byte 2 of its register.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "image/memory_image.h"

namespace plomb::testing {

class ImageBuilder {
 public:
  // An image whose file holds registers `bottom` to `top` with R00 at `r00`.
  ImageBuilder(int bottom = 0x0C0, int top = 0x1FF, int r00 = 0x1C0);

  ImageBuilder& signature(std::string_view eight_bytes);
  // A global label; the key byte is 0 when the label is assigned to no key.
  ImageBuilder& label(std::string_view text, std::uint8_t key = 0);
  // Instruction bytes in program order.
  ImageBuilder& code(std::initializer_list<std::uint8_t> bytes);
  ImageBuilder& code(const std::vector<std::uint8_t>& bytes);
  // An END with the given third byte.
  ImageBuilder& end(std::uint8_t third = 0x0D);
  // The third byte of the .END. (0x29 marks packed memory).
  ImageBuilder& end_tag(std::uint8_t third);

  // The loaded image, as the reader would hold it before deriving fields.
  MemoryImage image() const;
  // The bytes of its file.
  std::vector<std::uint8_t> file() const;

  // The register of the .END. the layout produces.
  int end_register() const;

 private:
  int bottom_, top_, r00_;
  std::string signature_ = "HPHP41-C";
  std::uint8_t end_tag_ = 0x2D;
  std::vector<std::uint8_t> program_;   // program order, from R00 * 7 - 1 down
  std::vector<std::size_t> entries_;    // offsets of chain entries in program_
};

// The whole image file with chain, nothing else: a convenience for tests.
std::vector<std::uint8_t> file_of(const MemoryImage& image);

}  // namespace plomb::testing
