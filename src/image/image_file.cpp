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

// Loads the data registers that follow the status registers, from `bottom`
// up to at most the last register of the array.
void load_data_registers(MemoryImage& image, std::span<const std::uint8_t> data) {
  int r = image.bottom;
  std::size_t offset = 0;
  while (r <= kLastRegister && offset + kRegisterBytes <= data.size()) {
    std::memcpy(&image.registers[static_cast<std::size_t>(address_of(r, 0))], data.data() + offset,
                kRegisterBytes);
    offset += kRegisterBytes;
    ++r;
  }
  image.top = r - 1;
}

// Reads the data registers straight into the register array, from `bottom`
// up to at most the last register of the array; only whole registers count.
void read_data_registers(MemoryImage& image, InputFile& file) {
  const auto first = static_cast<std::size_t>(address_of(image.bottom, 0));
  const std::span<std::uint8_t> room(image.registers.data() + first, image.registers.size() - first);
  const std::size_t got = file.read_up_to(room);
  const std::size_t whole = got - got % kRegisterBytes;
  std::fill(room.begin() + static_cast<std::ptrdiff_t>(whole), room.begin() + static_cast<std::ptrdiff_t>(got),
            std::uint8_t{0});
  image.top = image.bottom + static_cast<int>(whole / kRegisterBytes) - 1;
}

// Checks the header and loads the status registers from `head`, the first
// kFirstDataOffset bytes of the file (or fewer when it is shorter), and sets
// `bottom` from the file's whole length.
bool parse_image_head(std::span<const std::uint8_t> head, std::uint64_t length, MemoryImage& image) {
  const std::size_t got = head.size();
  image.header.assign(reinterpret_cast<const char*>(head.data()), std::min(got, kSignatureBytes));
  if (got < kSignatureBytes || !signature_matches(head.first(kSignatureBytes))) return false;
  if (got < kFirstDataOffset) return false;
  std::memcpy(image.registers.data(), head.data() + kHeaderBytes, kStatusBytes);

  if (length < kHeaderBytes || (length - kHeaderBytes) % kRegisterBytes != 0) return false;
  image.header.assign(reinterpret_cast<const char*>(head.data()), kHeaderBytes);
  const std::uint64_t records = (length - kHeaderBytes) / kRegisterBytes;
  image.bottom = records >= kRecordsForLowBottom ? kLowBottom : kHighBottom;
  return true;
}

}  // namespace

bool parse_image(std::span<const std::uint8_t> bytes, std::uint64_t length, MemoryImage& image) {
  if (!parse_image_head(bytes.first(std::min(bytes.size(), kFirstDataOffset)), length, image)) return false;
  load_data_registers(image, bytes.subspan(kFirstDataOffset));
  derive_fields(image);
  return true;
}

bool read_image(RunState& state, Console& out, const std::string& name, bool save_flag) {
  auto file = InputFile::open_for_update(name);
  if (!file) return false;

  // The header and status registers first; the data registers then go
  // straight to their place in the register array, with no copy between.
  std::array<std::uint8_t, kFirstDataOffset> head;
  const std::size_t got = file->read_up_to(head);
  MemoryImage& image = state.image;
  const bool valid = parse_image_head(std::span<const std::uint8_t>(head.data(), got), file->length(), image);
  out.line("CALC=" + image.header.substr(0, kSignatureBytes));
  if (!valid) return false;
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
