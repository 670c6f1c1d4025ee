#pragma once
// The callback side of one format call: progress by whole percent that never decreases (100 only
// once the file system is made), output lines, and exactly one done report, the last one.

#include <cstdint>
#include <string>

#include "platform/format_service.h"

namespace platform {

class FormatReport {
public:
    explicit FormatReport(FormatCallback callback) : callback_(callback) {}
    // A call that ends without saying so has failed.
    ~FormatReport() { done(false); }
    FormatReport(const FormatReport&) = delete;
    FormatReport& operator=(const FormatReport&) = delete;

    // Percent of the work before the file system is made: reported only when it has grown, and
    // held below 100.
    void progress(std::uint64_t part, std::uint64_t whole);
    void made();
    void output(const std::string& line);
    void done(bool success);

    // False once the callback has asked to stop.
    bool goOn() const { return goOn_ && !done_; }

private:
    void send(unsigned command, void* info);

    FormatCallback callback_;
    std::uint32_t percent_ = 0;
    bool reported_ = false;
    bool goOn_ = true;
    bool done_ = false;
};

} // namespace platform
