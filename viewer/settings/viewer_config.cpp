#include "settings/viewer_config.h"

namespace settings {

ViewerConfig WithAppliedLevels(ViewerConfig config) {
    config.gsensorLevel = kAppliedGsensorLevel;
    config.speakerVolume = kAppliedSpeakerVolume;
    config.micVolume = kAppliedMicVolume;
    return config;
}

} // namespace settings
