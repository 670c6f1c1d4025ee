#include "platform/connection.h"

#include <QCoreApplication>
#include <QNetworkInformation>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/number_text.h"

namespace platform {

namespace {

constexpr unsigned kRouteUp = 0x0001;
constexpr unsigned kRouteReject = 0x0200;

std::optional<bool>& Forced() {
    static std::optional<bool> forced;
    return forced;
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t start = line.find_first_not_of(" \t", at);
        if (start == std::string_view::npos) break;
        const std::size_t end = std::min(line.find_first_of(" \t", start), line.size());
        fields.push_back(line.substr(start, end - start));
        at = end;
    }
    return fields;
}

// Calls each(fields) for every line of text.
template <class Each>
void ForEachLine(std::string_view text, Each each) {
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        each(Fields(text.substr(0, end)));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

bool UsableDefault(std::string_view interface, std::string_view flagsHex) {
    const std::optional<unsigned> flags = ParseInteger<unsigned>(flagsHex, 16);
    return interface != "lo" && flags && (*flags & kRouteUp) && !(*flags & kRouteReject);
}

// Kernel tables report no size: read them to their end.
std::string ReadProcText(const char* path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Qt's answer, when a backend is there and knows.
std::optional<bool> ReachabilityAnswer() {
    if (!QCoreApplication::instance()) return std::nullopt;
    static const bool loaded = QNetworkInformation::load(QNetworkInformation::Feature::Reachability);
    const QNetworkInformation* information = loaded ? QNetworkInformation::instance() : nullptr;
    if (!information) return std::nullopt;
    switch (information->reachability()) {
    case QNetworkInformation::Reachability::Online:
    case QNetworkInformation::Reachability::Site: return true;
    case QNetworkInformation::Reachability::Disconnected:
    case QNetworkInformation::Reachability::Local: return false;
    case QNetworkInformation::Reachability::Unknown: break;
    }
    return std::nullopt;
}

} // namespace

bool HasDefaultRoute(std::string_view ipv4Routes, std::string_view ipv6Routes) {
    bool found = false;
    // Iface Destination Gateway Flags RefCnt Use Metric Mask ...
    ForEachLine(ipv4Routes, [&found](const std::vector<std::string_view>& f) {
        if (f.size() >= 8 && f[1] == "00000000" && f[7] == "00000000" && UsableDefault(f[0], f[3])) found = true;
    });
    // Destination PrefixLength Source SourcePrefix NextHop Metric RefCnt Use Flags Iface
    ForEachLine(ipv6Routes, [&found](const std::vector<std::string_view>& f) {
        if (f.size() >= 10 && f[0] == std::string_view("00000000000000000000000000000000") && f[1] == "00" &&
            UsableDefault(f[9], f[8]))
            found = true;
    });
    return found;
}

bool InternetGetConnectedState() {
    if (Forced()) return *Forced();
    if (const std::optional<bool> answer = ReachabilityAnswer()) return *answer;
    return HasDefaultRoute(ReadProcText("/proc/net/route"), ReadProcText("/proc/net/ipv6_route"));
}

void ForceConnectedStateForTests(std::optional<bool> connected) { Forced() = connected; }

} // namespace platform
