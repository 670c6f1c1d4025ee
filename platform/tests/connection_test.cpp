#include "platform/connection.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

constexpr const char* kIpv4Head =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";
constexpr const char* kIpv4Lan = "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n";
constexpr const char* kIpv6Link =
    "fe800000000000000000000000000000 40 00000000000000000000000000000000 00 "
    "00000000000000000000000000000000 00000100 00000002 00000000 00000001     eth0\n";

TEST(ConnectionTest, DefaultRouteOnARealInterfaceCounts) {
    const std::string ipv4 = std::string(kIpv4Head) + "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n" + kIpv4Lan;
    EXPECT_TRUE(HasDefaultRoute(ipv4, ""));
    const std::string ipv6 = std::string(kIpv6Link) +
                             "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
                             "fd000000000000000000000000000001 00000400 00000003 00000000 00000003     wlan0\n";
    EXPECT_TRUE(HasDefaultRoute(kIpv4Head, ipv6));
}

TEST(ConnectionTest, NoDefaultRouteLoopbackRejectedOrDownDoNotCount) {
    EXPECT_FALSE(HasDefaultRoute("", ""));
    EXPECT_FALSE(HasDefaultRoute(std::string(kIpv4Head) + kIpv4Lan, kIpv6Link));
    // The header itself, a default on lo, one that is down, one that rejects.
    EXPECT_FALSE(HasDefaultRoute(std::string(kIpv4Head) + "lo\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\t0\t0\n", ""));
    EXPECT_FALSE(HasDefaultRoute(std::string(kIpv4Head) + "eth0\t00000000\t010200C0\t0002\t0\t0\t0\t00000000\t0\t0\t0\n", ""));
    EXPECT_FALSE(HasDefaultRoute(std::string(kIpv4Head) + "eth0\t00000000\t010200C0\t0201\t0\t0\t0\t00000000\t0\t0\t0\n", ""));
    // A route to 0.0.0.0 with a mask is no default; a cut line is ignored.
    EXPECT_FALSE(HasDefaultRoute(std::string(kIpv4Head) + "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t000000FF\t0\t0\t0\n", ""));
    EXPECT_FALSE(HasDefaultRoute("eth0\t00000000\t010200C0\t0003", ""));
    // Linux's IPv6 "unreachable" default lies on lo with the reject flag.
    EXPECT_FALSE(HasDefaultRoute("", "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
                                     "00000000000000000000000000000000 ffffffff 00000001 00000000 00200200       lo\n"));
    EXPECT_FALSE(HasDefaultRoute("", "00000000000000000000000000000000 00 00000000000000000000000000000000 00 "
                                     "fd000000000000000000000000000001 00000400 00000003 00000000 0000zz03     eth0\n"));
}

TEST(ConnectionTest, ForcedAnswerWins) {
    ForceConnectedStateForTests(false);
    EXPECT_FALSE(InternetGetConnectedState());
    ForceConnectedStateForTests(true);
    EXPECT_TRUE(InternetGetConnectedState());
    ForceConnectedStateForTests(std::nullopt);
}

} // namespace
} // namespace platform
