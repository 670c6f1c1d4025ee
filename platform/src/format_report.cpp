#include "format_report.h"

namespace platform {

void FormatReport::send(unsigned command, void* info) {
    if (callback_ != nullptr && !callback_(command, 0, info)) goOn_ = false;
}

void FormatReport::progress(std::uint64_t part, std::uint64_t whole) {
    if (done_ || whole == 0) return;
    std::uint32_t percent = static_cast<std::uint32_t>(part >= whole ? 99 : part * 100 / whole);
    if (percent > 99) percent = 99;
    if (reported_ && percent <= percent_) return;
    percent_ = percent;
    reported_ = true;
    send(FMIFS_PROGRESS, &percent);
}

void FormatReport::made() {
    if (done_ || percent_ == 100) return;
    std::uint32_t percent = 100;
    percent_ = percent;
    reported_ = true;
    send(FMIFS_PROGRESS, &percent);
}

void FormatReport::output(const std::string& line) {
    if (done_) return;
    send(FMIFS_OUTPUT, const_cast<char*>(line.c_str()));
}

void FormatReport::done(bool success) {
    if (done_) return;
    done_ = true;
    std::uint8_t flag = success ? 1 : 0;
    if (callback_ != nullptr) callback_(FMIFS_DONE, 0, &flag);
}

} // namespace platform
