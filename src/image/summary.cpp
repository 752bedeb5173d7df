#include "image/summary.h"

#include <algorithm>
#include <string>

#include "image/status_fields.h"
#include "program/address.h"

namespace plomb {

namespace {

constexpr int kEndFirstByte = 2;  // the .END. fills bytes 2, 1 and 0 of its register

// Walks down from the .END. register over registers whose byte 6 is zero,
// never below the start of main memory. Registers past the array read as zero.
int lowest_free_register(const MemoryImage& image, int end_register) {
  int first_free = end_register;
  while (first_free > kMainMemoryFirst && byte_at(image, address_of(first_free - 1, 6)) == 0) {
    --first_free;
  }
  return first_free;
}

}  // namespace

void derive_fields(MemoryImage& image) {
  image.mem_end = std::min(image.top + 1, kMainMemoryEnd);
  image.r00 = get_r00(image);
  const int end_register = get_end_register(image);
  image.first_free = lowest_free_register(image, end_register);
  image.end_address = address_of(end_register, kEndFirstByte);
  image.program_pointer = get_program_pointer(image);
  image.line_number = get_line_number(image);
}

void print_summary(const MemoryImage& image, Console& out) {
  out.line("REGS=" + std::to_string(image.mem_end - kMainMemoryFirst) +
           " SIZE=" + std::to_string(image.mem_end - image.r00) + " R00=" + hex3(image.r00) +
           " BOTTOM=" + hex3(image.bottom) + " TOP=" + hex3(image.top) + " ");
  out.line("FIRST=" + hex3(image.first_free) + " .END.=" + address_text(image.end_address) +
           " PRGM=" + address_text(image.program_pointer) + " LINE=" + hex3(image.line_number));
}

int free_space(const MemoryImage& image) {
  return image.end_address - kEndFirstByte - kRegisterBytes * image.first_free;
}

}  // namespace plomb
