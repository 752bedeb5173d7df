#include "image/image_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <vector>

#include "image/summary.h"
#include "platform/files.h"
#include "program/listing.h"

namespace plomb {

namespace {

constexpr std::size_t kRecordsForLowBottom = 337;

bool signature_matches(std::span<const std::uint8_t> signature) {
  // Bytes 6 and 8 name the calculator model and may hold anything.
  constexpr char kPattern[] = "HPHP4X-X";
  for (std::size_t i = 0; i < kSignatureBytes; ++i) {
    if (i == 5 || i == 7) continue;
    if (signature[i] != static_cast<std::uint8_t>(kPattern[i])) return false;
  }
  return true;
}

// Reads the data registers that follow the status registers straight into
// the register array, from `bottom` up to at most the last register of the
// array; only whole registers count.
void read_data_registers(MemoryImage& image, InputFile& file) {
  const auto first = static_cast<std::size_t>(address_of(image.bottom, 0));
  const std::span<std::uint8_t> room(image.registers.data() + first, image.registers.size() - first);
  const std::size_t got = file.read_up_to(room);
  const std::size_t whole = got - got % kRegisterBytes;
  std::fill(room.begin() + static_cast<std::ptrdiff_t>(whole), room.begin() + static_cast<std::ptrdiff_t>(got),
            std::uint8_t{0});
  image.top = image.bottom + static_cast<int>(whole / kRegisterBytes) - 1;
}

}  // namespace

bool read_image(RunState& state, Console& out, const std::string& name, bool save_flag) {
  auto file = InputFile::open_for_update(name);
  if (!file) return false;

  // The header and status registers first; the data registers then go
  // straight to their place in the register array, with no copy between.
  std::array<std::uint8_t, kFirstDataOffset> head;
  const std::size_t got = file->read_up_to(head);
  const std::uint64_t length = file->length();
  const std::span<const std::uint8_t> bytes(head.data(), got);

  MemoryImage& image = state.image;
  const std::size_t signature_length = std::min(got, kSignatureBytes);
  image.header.assign(reinterpret_cast<const char*>(bytes.data()), signature_length);
  out.line("CALC=" + image.header);
  if (got < kSignatureBytes || !signature_matches(bytes.first(kSignatureBytes))) return false;
  if (got < kHeaderBytes) return false;
  image.header.assign(reinterpret_cast<const char*>(bytes.data()), kHeaderBytes);
  if (got < kFirstDataOffset) return false;
  std::memcpy(image.registers.data(), bytes.data() + kHeaderBytes, kStatusBytes);

  if (length < kHeaderBytes || (length - kHeaderBytes) % kRegisterBytes != 0) return false;
  const std::uint64_t records = (length - kHeaderBytes) / kRegisterBytes;
  image.bottom = records >= kRecordsForLowBottom ? kLowBottom : kHighBottom;
  read_data_registers(image, *file);

  derive_fields(image);
  print_summary(image, out);
  return list_programs(state, out, save_flag);
}

std::vector<std::uint8_t> image_file_contents(const MemoryImage& image) {
  std::vector<std::uint8_t> bytes(image.header.begin(), image.header.end());
  bytes.insert(bytes.end(), image.registers.begin(), image.registers.begin() + kStatusBytes);
  if (image.top >= image.bottom) {
    const auto first = image.registers.begin() + address_of(image.bottom, 0);
    const auto last = image.registers.begin() + address_of(image.top + 1, 0);
    bytes.insert(bytes.end(), first, last);
  }
  return bytes;
}

bool write_image(const MemoryImage& image, const std::string& name) {
  return replace_file(name, image_file_contents(image));
}

}  // namespace plomb
