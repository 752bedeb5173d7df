#include "focal/xrom.h"

#include "focal/text_pieces.h"

namespace plomb {

namespace {

bool small_number(std::string_view word, int limit, int& value) {
  if (word.empty() || word.size() > 2 || word.find_first_not_of("0123456789") != std::string_view::npos) return false;
  value = 0;
  for (const char c : word) value = value * 10 + (c - '0');
  return value <= limit;
}

XromName make_name(int rom, int function, std::string_view name, std::string_view unicode_name, int source) {
  return {static_cast<std::uint8_t>(rom), static_cast<std::uint8_t>(function), std::string(name),
          std::string(unicode_name), source, upper_ascii(name), upper_ascii(unicode_name)};
}

}  // namespace

XromNames::XromNames() {
  for (const XromFunction& f : builtin_xrom_functions()) {
    names_.push_back(make_name(f.rom, f.function, f.name, f.unicode_name, 0));
  }
}

std::optional<std::string> XromNames::add_file(std::string_view text, std::string_view file_name) {
  file_names_.emplace_back(file_name);
  const int source = static_cast<int>(file_names_.size());
  int line_number = 0;
  while (!text.empty()) {
    ++line_number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    line = line.substr(0, line.find('#'));
    const auto words = words_of(line);
    if (words.empty()) continue;
    int rom = 0;
    int function = 0;
    if (words.size() < 3 || words.size() > 4 || !small_number(words[0], 31, rom) ||
        !small_number(words[1], 63, function)) {
      return std::to_string(line_number) + ": expected \"rr nn NAME [NAME]\" with rr 0-31 and nn 0-63";
    }
    names_.push_back(make_name(rom, function, words[2], words.size() == 4 ? words[3] : std::string_view{}, source));
  }
  return std::nullopt;
}

std::string_view XromNames::name_of(int rom, int function, bool ascii) const {
  for (auto it = names_.rbegin(); it != names_.rend(); ++it) {
    if (it->rom != rom || it->function != function) continue;
    return ascii || it->unicode_name.empty() ? std::string_view(it->name) : std::string_view(it->unicode_name);
  }
  return {};
}

XromLookup XromNames::lookup(std::string_view name) const {
  const std::string wanted = upper_ascii(name);
  XromLookup result;
  const XromName* chosen = nullptr;
  for (const XromName& entry : names_) {
    if (entry.key != wanted && entry.unicode_key != wanted) continue;
    if (chosen == nullptr || entry.source > chosen->source) {
      chosen = &entry;
    } else if (entry.source == chosen->source && entry.source > 0 &&
               (entry.rom != chosen->rom || entry.function != chosen->function)) {
      chosen = &entry;  // within one file the later line wins
    }
  }
  if (chosen == nullptr) return result;
  // Two files that give the name different numbers.
  for (const XromName& entry : names_) {
    if (entry.source == 0 || entry.source == chosen->source) continue;
    if (entry.key != wanted && entry.unicode_key != wanted) continue;
    if (entry.rom != chosen->rom || entry.function != chosen->function) {
      result.conflict = std::make_pair(entry, *chosen);
      return result;
    }
  }
  result.found = true;
  result.rom = chosen->rom;
  result.function = chosen->function;
  return result;
}

}  // namespace plomb
