#include "catalogue/playlist_label.h"

#include "catalogue/recording_name.h"
#include "platform/text_rules.h"

namespace catalogue {
namespace {

int iconFor(RecordingKind kind) {
    switch (kind) {
    case RecordingKind::Event: return kIconEvent;
    case RecordingKind::Parking: return kIconParking;
    case RecordingKind::Infinity: break;
    }
    return kIconContinuous;
}

} // namespace

PlaylistLabel labelFor(std::string_view path, int channelMode) {
    const RecordingName name = RecordingName::parse(platform::CutUtf8(path, kLabelSourceMaxBytes), channelMode);
    PlaylistLabel label;
    if (!name.kind || name.rear) return label;
    label.iconId = iconFor(*name.kind);
    label.date = name.displayDate();
    label.name = labelForm(name.displayName());
    return label;
}

std::string labelForm(std::string_view text) {
    return std::string(platform::CutUtf8(text, kLabelMaxBytes));
}

} // namespace catalogue
