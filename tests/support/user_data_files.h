#pragma once
// Recordings whose box headers are tricky for a walk that looks for the "udat" box, with what
// both readers of user data (the viewer's and the player library's) must make of them: the
// sizes are the 32-bit field of the box, so a 64-bit size (1) or "to the end" (0) ends the walk.

#include <string>
#include <vector>

#include "box_bytes.h"

namespace tripdesk::test {

struct TrickyRecording {
    std::string name;
    Bytes bytes;
    bool hasUserData;   // the box is found and its three chunks are where they belong
};

inline Bytes ThreeStepUserData() {
    Bytes gps(3 * 128, 0);
    for (int i = 0; i < 3; ++i) std::copy_n("$GPRMC,", 7, gps.begin() + 128 * i);
    return Box("udat", Concat({Box("TIME", Bytes(12)), Box("GPSI", gps), Box("SENS", Bytes(36))}));
}

// A box with a 64-bit size: size field 1, the type, then the whole size in 8 bytes.
inline Bytes LargeSizeBox(const char* type, const Bytes& payload) {
    Bytes box;
    AppendBigEndian(box, 1, 4);
    box.insert(box.end(), type, type + 4);
    AppendBigEndian(box, 16 + payload.size(), 8);
    box.insert(box.end(), payload.begin(), payload.end());
    return box;
}

inline Bytes WithSize(Bytes box, std::uint32_t size) {
    StoreBigEndian32(box, 0, size);
    return box;
}

inline std::vector<TrickyRecording> TrickyRecordings() {
    const Bytes ftyp = Box("ftyp", Bytes(16));
    const Bytes mdat = Box("mdat", Bytes(64, 1));
    const Bytes udat = ThreeStepUserData();
    Bytes cut = Concat({ftyp, mdat, udat});
    cut.resize(ftyp.size() + mdat.size() + 6);
    return {
        {"plain", Concat({ftyp, mdat, Box("moov", Bytes(20)), udat}), true},
        {"udat_size_beyond_end", Concat({ftyp, mdat, WithSize(udat, 0xFFFFFF00u)}), true},
        {"large_size_media_before", Concat({ftyp, LargeSizeBox("mdat", Bytes(64, 1)), udat}), false},
        {"to_end_media_before", Concat({ftyp, WithSize(mdat, 0), udat}), false},
        {"size_one_free_before", Concat({ftyp, WithSize(Box("free", Bytes(8)), 1), udat}), false},
        {"media_past_end_before", Concat({ftyp, WithSize(mdat, 0x7FFFFFFFu), udat}), false},
        {"large_size_udat", Concat({ftyp, mdat, LargeSizeBox("udat", Bytes(udat.begin() + 8, udat.end()))}), false},
        {"udat_header_cut", cut, false},
    };
}

} // namespace tripdesk::test
