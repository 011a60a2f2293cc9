#include "fuzz/fuzz_targets.h"

namespace tevral::fuzz {

std::span<const Target> Targets() {
  static constexpr Target kTargets[] = {
      {"frame", FuzzFrame},
      {"panel_frame_parser", FuzzPanelFrameParser},
      {"identification", FuzzIdentification},
      {"current_reply", FuzzCurrentReply},
      {"earlier_reply", FuzzEarlierReply},
      {"earlier_encodings", FuzzEarlierEncodings},
      {"ini_file", FuzzIniFile},
      {"settings_load", FuzzSettingsLoad},
  };
  return kTargets;
}

}  // namespace tevral::fuzz
