#include "cli/run.h"

#include <memory>

#include "cli/arguments.h"
#include "image/run_state.h"
#include "image/image_file.h"
#include "raw/raw_import.h"

namespace plomb {

namespace {

constexpr std::string_view kUsageLines[] = {
    "USAGE (load): PLOMB <FILENAME.RAW> [<ZEMF.OLD>] [<ZEMF.NEW>]",
    "      (save): PLOMB - [<ZEMF>] [PRGM.RAW]",
    "  (save all): PLOMB * [<ZEMF>] [PRGM.RAW]",
    "  (list all): PLOMB ? [<ZEMF>]",
};

void announce(const RunSettings& settings, Console& out) {
  out.line(std::string(settings.save_flag ? "SAVE " : "LOAD ") + settings.image_name + " ...");
  // The image reader's first line continues this one.
  if (settings.mode == Mode::load) out.open_text("RAW=" + settings.raw_name + " ");
}

}  // namespace

void run(std::span<const std::string> arguments, Console& out) {
  out.line();
  out.line(kTitle);
  out.line(kNotice);
  out.line();

  auto settings = settings_from_arguments(arguments);
  if (!settings) {
    for (const std::string_view usage : kUsageLines) out.line(usage);
    return;
  }
  // The state is a few kilobytes; keep it off the stack of the caller.
  auto state = std::make_unique<RunState>();
  state->settings = *settings;
  announce(state->settings, out);

  const std::string& image_name = state->settings.image_name;
  if (!read_image(*state, out, image_name, state->settings.save_flag)) {
    out.line("INVALID " + image_name + " FILE.");
    return;
  }
  if (state->settings.mode == Mode::load) import_raw_program(*state, out);
}

}  // namespace plomb
