// Files by name: the one place that knows the operating system's file calls.
//
// The tool reads two kinds of file, memory images and raw program files, and
// only ever through InputFile, which refuses anything but an existing regular
// file that could be opened for reading and writing (the user's copy of the
// calculator is never read from a file the tool could not also update). Reads
// are bounded by the caller's buffer, so a huge file is never read whole.
//
// Every file the tool writes is replaced atomically: the new contents go to a
// temporary file in the same directory, are synced, and are renamed over the
// target. A failure at any point leaves the old file whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace plomb {

class InputFile {
 public:
  // Opens an existing file for reading and writing. Returns nothing when the
  // file is missing, is not a regular file, carries no write permission for
  // anyone (the read-only mark), or the system refuses to open it.
  static std::optional<InputFile> open_for_update(const std::string& name);
  // Opens an existing regular file for reading only; a write-protected file
  // opens too. Returns nothing for anything else.
  static std::optional<InputFile> open_for_reading(const std::string& name);
  // Standard input, read as it comes; its length is unknown (0).
  static InputFile standard_input();

  InputFile(InputFile&& other) noexcept;
  InputFile& operator=(InputFile&& other) noexcept;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  // The file's length in bytes when it was opened.
  std::uint64_t length() const { return length_; }
  // Reads from the current position until `into` is full or the file ends;
  // returns the number of bytes read.
  std::size_t read_up_to(std::span<std::uint8_t> into);

 private:
  InputFile(int fd, std::uint64_t length, bool owned = true) : fd_(fd), length_(length), owned_(owned) {}
  int fd_ = -1;
  std::uint64_t length_ = 0;
  bool owned_ = true;  // closed on destruction
};

// Replaces (or creates) the file `name` with `bytes`, atomically. A symbolic
// link is followed and the file it names is replaced. An existing target
// keeps its permission bits; one that is not a regular file, carries the
// read-only mark or cannot be opened for writing is left alone. Returns false,
// with every existing file unchanged, when anything fails.
bool replace_file(const std::string& name, std::span<const std::uint8_t> bytes);

// The byte to use in a file name for a byte of a label: bytes that would
// choose a directory, end the name or that the system refuses in names
// become '_'.
char file_name_byte(char c);

// Writes all of `bytes` to the descriptor, retrying short writes.
bool write_all(int fd, std::string_view bytes);

}  // namespace plomb
