// The state of one run: what the command line asked for, the one memory
// image being worked on, and the .END.'s tag left by the last listing.
// Every operation of the tool takes this record explicitly; nothing is global.
#pragma once

#include <cstdint>
#include <string>

#include "image/memory_image.h"

namespace plomb {

enum class Mode { load, save, save_all, list_all };

struct RunSettings {
  Mode mode = Mode::list_all;
  std::string raw_name;     // load mode: the raw program file to import
  std::string image_name;   // the memory image file to read
  std::string output_name;  // raw file base name, or the image to write
  bool save_flag = false;   // set in the two save modes
};

struct RunState {
  RunSettings settings;
  MemoryImage image;
  // The third byte of the .END. as the last listing saw it; an import gives
  // it to the .END. it creates, so a packed mark survives.
  std::uint8_t end_tag = 0;
};

}  // namespace plomb
