#include "map/route_track.h"

#include <gtest/gtest.h>

#include <fstream>

#include "box_bytes.h"
#include "sample_card.h"
#include "samplecard/udat_writer.h"
#include "test_folders.h"

namespace map {
namespace {

namespace fs = std::filesystem;

// The route the generator planned: its "$GPRMC" entries away from 0, 0.
std::vector<RoutePoint> PlannedRoute(const std::vector<samplecard::TelemetryEntry>& entries) {
    std::vector<RoutePoint> route;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (samplecard::sentenceKindFor(static_cast<int>(i)) != samplecard::SentenceKind::Rmc) continue;
        const samplecard::RoutePoint& p = entries[i].point;
        if (p.latitude != 0.0 || p.longitude != 0.0) route.push_back({p.latitude, p.longitude, static_cast<int>(i)});
    }
    return route;
}

// Minutes with four decimals and texts with six: within 1.5e-6 degrees of the plan.
void ExpectRoute(const RouteTrack& track, const std::vector<RoutePoint>& planned, std::size_t entries) {
    EXPECT_EQ(track.entryCount(), entries);
    ASSERT_EQ(track.points().size(), planned.size());
    ASSERT_FALSE(planned.empty());
    for (const std::size_t i : {std::size_t{0}, planned.size() / 2, planned.size() - 1}) {
        EXPECT_NEAR(track.points()[i].latitude, planned[i].latitude, 1.5e-6) << i;
        EXPECT_NEAR(track.points()[i].longitude, planned[i].longitude, 1.5e-6) << i;
        EXPECT_EQ(track.points()[i].entry, planned[i].entry) << i;
    }
}

TEST(RouteTrackTest, SampleCardRecordingGivesThePlannedRoute) {
    const tripdesk::test::SampleCard& card = tripdesk::test::SampleCard::get();
    const samplecard::PlannedRecording& recording = card.single(0);
    const auto telemetry = card.plan().telemetryOf(recording.fileName);
    RouteTrack track;
    track.Load(card.path(recording));
    EXPECT_EQ(track.path(), card.path(recording));
    ExpectRoute(track, PlannedRoute(telemetry), telemetry.size());
    ASSERT_FALSE(track.points().empty());
    EXPECT_GT(track.points().front().latitude, 0.0);
    EXPECT_GT(track.points().front().longitude, 0.0);
}

TEST(RouteTrackTest, SouthWestRouteKeepsItsSigns) {
    samplecard::TelemetrySpec spec;
    spec.entries = 120;
    spec.driveOffsetSeconds = 20;
    spec.hemisphere = samplecard::Hemisphere::SouthWest;
    const auto telemetry = samplecard::buildTelemetry(spec);
    const std::vector<std::uint8_t> udat = samplecard::buildUdatBox(samplecard::TimeTag::Time, telemetry);
    using tripdesk::test::Box;
    using tripdesk::test::Bytes;
    const Bytes file = tripdesk::test::Concat({Box("ftyp", Bytes(16)), Box("mdat", Bytes(64)), Bytes(udat.begin(), udat.end())});
    const fs::path path = tripdesk::test::FreshFolder("sw") / "drf2_20110512_093015.mp4";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::ssize(file));

    RouteTrack track;
    track.Load(path.string());
    ExpectRoute(track, PlannedRoute(telemetry), telemetry.size());
    ASSERT_FALSE(track.points().empty());
    EXPECT_LT(track.points().front().latitude, 0.0);
    EXPECT_LT(track.points().front().longitude, 0.0);
}

TEST(RouteTrackTest, NoUserDataNoRoute) {
    const fs::path folder = tripdesk::test::FreshFolder("plain");
    using tripdesk::test::Box;
    using tripdesk::test::Bytes;
    const Bytes file = tripdesk::test::Concat({Box("ftyp", Bytes(16)), Box("mdat", Bytes(64)), Box("moov", Bytes(20))});
    std::ofstream(folder / "a.mp4", std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::ssize(file));
    RouteTrack track;
    track.Load((folder / "a.mp4").string());
    EXPECT_TRUE(track.points().empty());
    EXPECT_EQ(track.entryCount(), 0u);
    track.Load((folder / "missing.mp4").string());
    EXPECT_TRUE(track.points().empty());
    track.Load("");
    EXPECT_TRUE(track.points().empty());
}

} // namespace
} // namespace map
