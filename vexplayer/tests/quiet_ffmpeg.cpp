// FFmpeg's complaints about the damaged files these tests open on purpose are noise.

#include <gtest/gtest.h>

extern "C" {
#include <libavutil/log.h>
}

namespace {

class QuietFfmpeg : public ::testing::Environment {
public:
    void SetUp() override { av_log_set_level(AV_LOG_FATAL); }
};

[[maybe_unused]] const ::testing::Environment* const kQuietFfmpeg = ::testing::AddGlobalTestEnvironment(new QuietFfmpeg);

} // namespace
