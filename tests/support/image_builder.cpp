#include "support/image_builder.h"

#include "image/image_file.h"
#include "image/status_fields.h"
#include "program/chain_entry.h"

namespace plomb::testing {

ImageBuilder::ImageBuilder(int bottom, int top, int r00) : bottom_(bottom), top_(top), r00_(r00) {}

ImageBuilder& ImageBuilder::signature(std::string_view eight_bytes) {
  signature_ = std::string(eight_bytes);
  return *this;
}

ImageBuilder& ImageBuilder::label(std::string_view text, std::uint8_t key) {
  entries_.push_back(program_.size());
  program_.insert(program_.end(), {0xC0, 0x00, static_cast<std::uint8_t>(0xF1 + text.size()), key});
  program_.insert(program_.end(), text.begin(), text.end());
  return *this;
}

ImageBuilder& ImageBuilder::code(std::initializer_list<std::uint8_t> bytes) {
  program_.insert(program_.end(), bytes);
  return *this;
}

ImageBuilder& ImageBuilder::code(const std::vector<std::uint8_t>& bytes) {
  program_.insert(program_.end(), bytes.begin(), bytes.end());
  return *this;
}

ImageBuilder& ImageBuilder::end(std::uint8_t third) {
  entries_.push_back(program_.size());
  program_.insert(program_.end(), {0xC0, 0x00, third});
  return *this;
}

ImageBuilder& ImageBuilder::end_tag(std::uint8_t third) {
  end_tag_ = third;
  return *this;
}

int ImageBuilder::end_register() const {
  // The .END. takes bytes 2..0 of the register below the last program byte's
  // register, or of that register itself when bytes 2..0 are still free.
  const ByteAddress last_byte = r00_ * kRegisterBytes - static_cast<ByteAddress>(program_.size());
  const ByteAddress below = last_byte - 1;  // first free byte
  return below % kRegisterBytes >= 2 ? below / kRegisterBytes : below / kRegisterBytes - 1;
}

MemoryImage ImageBuilder::image() const {
  MemoryImage image;
  image.header = signature_ + std::string("\x01\x02\x03\x04\x05", 5);
  image.bottom = bottom_;
  image.top = top_;

  const ByteAddress top_byte = r00_ * kRegisterBytes - 1;
  for (std::size_t i = 0; i < program_.size(); ++i) {
    set_byte(image, top_byte - static_cast<ByteAddress>(i), program_[i]);
  }
  const int end_register = this->end_register();
  const ByteAddress end_address = address_of(end_register, 2);
  set_byte(image, end_address, 0xC0);
  set_byte(image, end_address - 1, 0x00);
  set_byte(image, end_address - 2, end_tag_);

  // Each entry links to the one above it; the topmost carries 0.
  ByteAddress above = -1;
  std::vector<ByteAddress> chain;
  for (const std::size_t offset : entries_) chain.push_back(top_byte - static_cast<ByteAddress>(offset));
  chain.push_back(end_address);
  for (const ByteAddress f : chain) {
    const auto [first, second] = encode_link(above < 0 ? 0 : above - f);
    set_byte(image, f, first);
    set_byte(image, f - 1, second);
    above = f;
  }

  // R00 lives in nibbles 3-5 of status register 13, next to the .END.
  set_byte(image, address_of(0x00D, 1), static_cast<std::uint8_t>((r00_ & 0x0F) << 4));
  set_byte(image, address_of(0x00D, 2), static_cast<std::uint8_t>(r00_ >> 4));
  set_end_register(image, end_register);
  set_program_pointer(image, top_byte);
  set_line_number(image, 0);
  return image;
}

std::vector<std::uint8_t> ImageBuilder::file() const { return image_file_contents(image()); }

std::vector<std::uint8_t> file_of(const MemoryImage& image) { return image_file_contents(image); }

}  // namespace plomb::testing
