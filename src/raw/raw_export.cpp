#include "raw/raw_export.h"

#include "platform/files.h"

namespace plomb {

namespace {

std::string counter_text(int counter) {
  std::string digits = std::to_string(counter);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  return digits;
}

std::string safe_label(std::string label) {
  for (char& c : label) c = file_name_byte(c);
  return label;
}

}  // namespace

std::vector<std::uint8_t> raw_file_contents(std::span<const std::uint8_t> program) {
  std::vector<std::uint8_t> contents(program.begin(), program.end());
  std::uint8_t checksum = 0;
  for (const std::uint8_t b : program) checksum = static_cast<std::uint8_t>(checksum + b);
  contents.push_back(checksum);
  const std::size_t fill = kRawBlockBytes - contents.size() % kRawBlockBytes;
  contents.resize(contents.size() + fill, 0);
  return contents;
}

std::string raw_file_name(const SaveCursor& cursor, const RunSettings& settings) {
  if (settings.mode == Mode::save_all) return settings.output_name + ".RAW";
  const std::string base = cursor.label_name.empty() ? settings.output_name : safe_label(cursor.label_name);
  return base + "." + counter_text(cursor.counter);
}

void save_raw_file(SaveCursor& cursor, const RunState& state, Console& out, bool save_flag) {
  if (!save_flag || cursor.hi < 0) return;
  if (cursor.lo < cursor.hi) {
    std::vector<std::uint8_t> program;
    program.reserve(static_cast<std::size_t>(cursor.hi - cursor.lo + 1));
    for (ByteAddress a = cursor.hi; a >= cursor.lo; --a) program.push_back(byte_at(state.image, a));
    const std::string name = raw_file_name(cursor, state.settings);
    if (replace_file(name, raw_file_contents(program))) out.line("->" + name + " ");
    ++cursor.counter;
    cursor.lo = cursor.hi + 1;
  }
  cursor.label_name.clear();
}

}  // namespace plomb
