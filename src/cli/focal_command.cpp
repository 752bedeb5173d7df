#include "cli/focal_command.h"

#include <optional>
#include <string_view>
#include <vector>

#include "focal/charset.h"
#include "focal/listing_compiler.h"
#include "focal/program_source.h"
#include "focal/xrom.h"
#include "image/image_file.h"
#include "platform/files.h"
#include "platform/process.h"
#include "raw/raw_export.h"

namespace plomb {

namespace {

constexpr std::string_view kVersion = "plomb-focal 1.0.0";
constexpr std::string_view kUsage =
    "Usage: plomb-focal list [--bytes] [--ascii] [--xrom FILE]... FILE [LABEL]...\n"
    "       plomb-focal compile [--xrom FILE]... LISTING [RAWFILE]\n"
    "       plomb-focal --help | --version\n";
constexpr std::string_view kHelp =
    "\n"
    "Lists the programs of an HP-41 memory image or raw program file as FOCAL\n"
    "text, and compiles FOCAL listings into raw program files.\n"
    "\n"
    "  list      print the listing of every program in FILE (an image or a raw\n"
    "            file), or of the programs holding one of the global LABELs\n"
    "  compile   compile LISTING into RAWFILE (LISTING with its extension\n"
    "            replaced by .RAW when not given)\n"
    "  --bytes   begin each line with where it lies and its bytes in hex\n"
    "  --ascii   write only ASCII (X^2, ENTER^, X#Y?, SIGMA+, ...)\n"
    "  --xrom F  read module function names from F (lines \"rr nn NAME\")\n"
    "\n"
    "A FILE or LISTING of \"-\" is standard input; a RAWFILE of \"-\" standard\n"
    "output. Exit status: 0 success, 1 bad input, 2 usage error.\n";
// A listing or a name table larger than this is not one.
constexpr std::size_t kMaxTextFileBytes = 1 << 20;

struct Options {
  bool bytes = false;
  bool ascii = false;
  std::vector<std::string> xrom_files;
  std::vector<std::string> operands;
};

// Appends `text`, its lines ended the system's way.
void append_lines(std::string& out, std::string_view text) {
  for (const char c : text) {
    if (c == '\n') out += kTextLineEnd;
    else out.push_back(c);
  }
}

int usage_error(FocalStreams& streams, const std::string& message) {
  append_lines(streams.err, "plomb-focal: " + message + "\n");
  append_lines(streams.err, kUsage);
  return kExitUsage;
}

int input_error(FocalStreams& streams, const std::string& where, const std::string& message) {
  append_lines(streams.err, "plomb-focal: " + where + ": " + message + "\n");
  return kExitBadInput;
}

// Reads a whole file (or standard input for "-") of at most `limit` bytes;
// `length` is set to the file's whole length.
std::optional<std::vector<std::uint8_t>> read_file(const std::string& name, std::size_t limit, std::uint64_t& length) {
  std::optional<InputFile> file = name == "-" ? InputFile::standard_input() : InputFile::open_for_reading(name);
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> bytes(limit + 1);
  bytes.resize(file->read_up_to(bytes));
  length = name == "-" ? bytes.size() : file->length();
  if (bytes.size() > limit) bytes.resize(limit);
  return bytes;
}

std::optional<std::string> read_text_file(const std::string& name, FocalStreams& streams, int& status) {
  std::uint64_t length = 0;
  const auto bytes = read_file(name, kMaxTextFileBytes, length);
  if (!bytes) {
    status = input_error(streams, name, "cannot read the file");
    return std::nullopt;
  }
  if (length > kMaxTextFileBytes) {
    status = input_error(streams, name, "larger than a listing can be (1 MiB)");
    return std::nullopt;
  }
  return std::string(bytes->begin(), bytes->end());
}

bool load_xrom_tables(const Options& options, XromNames& xrom, FocalStreams& streams, int& status) {
  for (const std::string& name : options.xrom_files) {
    const auto text = read_text_file(name, streams, status);
    if (!text) return false;
    if (const auto error = xrom.add_file(*text, name)) {
      status = input_error(streams, name + ":" + error->substr(0, error->find(':')), error->substr(error->find(':') + 2));
      return false;
    }
  }
  return true;
}

// A LABEL argument as calculator bytes: its characters read as a quoted
// text's are.
std::vector<std::uint8_t> label_bytes(std::string_view label) {
  std::vector<std::uint8_t> bytes;
  while (!label.empty()) {
    std::size_t used = 0;
    const auto b = read_text_character(label, used);
    bytes.push_back(b ? *b : static_cast<std::uint8_t>(label[0]));
    label.remove_prefix(used > 0 ? used : 1);
  }
  return bytes;
}

bool holds_any(const SourceProgram& program, const std::vector<std::vector<std::uint8_t>>& wanted) {
  for (const auto& label : program.labels) {
    for (const auto& w : wanted) {
      if (label == w) return true;
    }
  }
  return false;
}

int list(const Options& options, FocalStreams& streams) {
  if (options.operands.empty()) return usage_error(streams, "list needs a FILE");
  const std::string& name = options.operands[0];
  XromNames xrom;
  int status = kExitOk;
  if (!load_xrom_tables(options, xrom, streams, status)) return status;
  std::uint64_t length = 0;
  const auto bytes = read_file(name, name == "-" ? kMaxTextFileBytes : kMaxImageFileBytes, length);
  if (!bytes) return input_error(streams, name, "cannot read the file");
  const ProgramSource source = read_program_source(*bytes, length, xrom, options.ascii);

  std::vector<std::vector<std::uint8_t>> wanted;
  for (std::size_t i = 1; i < options.operands.size(); ++i) {
    wanted.push_back(label_bytes(options.operands[i]));
    bool held = false;
    for (const SourceProgram& program : source.programs) held = held || holds_any(program, {wanted.back()});
    if (!held && source.error.empty()) {
      return input_error(streams, name, "no program holds the global label \"" + options.operands[i] + "\"");
    }
  }
  bool first = true;
  for (const SourceProgram& program : source.programs) {
    if (!wanted.empty() && !holds_any(program, wanted)) continue;
    if (!first) streams.out += kTextLineEnd;
    first = false;
    ListingStyle style{.ascii = options.ascii, .where = {}, .line_end = kTextLineEnd};
    if (options.bytes) style.where = [&program](std::size_t offset) { return where_text(program, offset); };
    append_listing(streams.out, program.listing, program.bytes, style);
  }
  if (!source.error.empty()) return input_error(streams, name, source.error);
  return kExitOk;
}

// LISTING with its extension replaced by .RAW.
std::string default_raw_name(const std::string& listing) {
  const auto separator = listing.find_last_of("/\\:");
  const auto dot = listing.rfind('.');
  const bool has_extension = dot != std::string::npos && (separator == std::string::npos || dot > separator);
  return (has_extension ? listing.substr(0, dot) : listing) + ".RAW";
}

bool same_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

int compile(const Options& options, FocalStreams& streams) {
  if (options.operands.empty() || options.operands.size() > 2) {
    return usage_error(streams, "compile needs a LISTING and at most one RAWFILE");
  }
  const std::string& listing_name = options.operands[0];
  if (listing_name == "-" && options.operands.size() < 2) {
    return usage_error(streams, "give RAWFILE when the listing comes from standard input");
  }
  const std::string raw_name = options.operands.size() > 1 ? options.operands[1] : default_raw_name(listing_name);
  if (listing_name != "-" && same_ignoring_case(raw_name, listing_name)) {
    return usage_error(streams, "the raw file would replace the listing " + listing_name + "; give RAWFILE");
  }
  XromNames xrom;
  int status = kExitOk;
  if (!load_xrom_tables(options, xrom, streams, status)) return status;
  const auto text = read_text_file(listing_name, streams, status);
  if (!text) return status;

  const CompileResult result = compile_listing(*text, xrom);
  if (!result.ok) {
    const std::string where =
        result.error_line > 0 ? listing_name + ":" + std::to_string(result.error_line) : listing_name;
    return input_error(streams, where, result.error);
  }
  for (const int line : result.inner_dot_end_lines) {
    append_lines(streams.err, "plomb-focal: " + listing_name + ":" + std::to_string(line) +
                                  ": warning: .END. is not the last instruction; it is kept, and a load leaves it "
                                  "inside program memory (write END there to load the programs one after another)\n");
  }
  const std::vector<std::uint8_t> contents = raw_file_contents(result.program);
  if (raw_name == "-") {
    streams.out.append(contents.begin(), contents.end());
  } else if (!replace_file(raw_name, contents)) {
    return input_error(streams, raw_name, "cannot write the file");
  }
  return kExitOk;
}

// Sorts the arguments after the command into options and operands.
std::optional<Options> parse_options(std::span<const std::string> arguments, bool listing, FocalStreams& streams,
                                     int& status) {
  Options options;
  bool operands_only = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (operands_only || a == "-" || a.empty() || a[0] != '-') {
      options.operands.push_back(a);
    } else if (a == "--") {
      operands_only = true;
    } else if (a == "--xrom" && i + 1 < arguments.size()) {
      options.xrom_files.push_back(arguments[++i]);
    } else if (listing && a == "--bytes") {
      options.bytes = true;
    } else if (listing && a == "--ascii") {
      options.ascii = true;
    } else {
      status = usage_error(streams, a == "--xrom" ? "--xrom needs a FILE" : "unknown option " + a);
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace

int run_focal(std::span<const std::string> arguments, FocalStreams& streams) {
  if (arguments.empty()) return usage_error(streams, "no command given");
  const std::string& command = arguments[0];
  if (command == "--help" || command == "-h") {
    append_lines(streams.out, kUsage);
    append_lines(streams.out, kHelp);
    return kExitOk;
  }
  if (command == "--version") {
    append_lines(streams.out, std::string(kVersion) + "\n");
    return kExitOk;
  }
  if (command != "list" && command != "compile") return usage_error(streams, "unknown command " + command);
  int status = kExitOk;
  const auto options = parse_options(arguments.subspan(1), command == "list", streams, status);
  if (!options) return status;
  return command == "list" ? list(*options, streams) : compile(*options, streams);
}

}  // namespace plomb
