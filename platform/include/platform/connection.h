#pragma once
// Whether the computer has an Internet connection: Qt's network information reachability (Online,
// or Site for a network without a way out that still has its own services) where a backend is
// there and knows; else whether the kernel's routing table holds a default route on an interface
// other than the loopback one. Tests force the answer.

#include <optional>
#include <string_view>

namespace platform {

bool InternetGetConnectedState();

// Forces InternetGetConnectedState's answer; nothing restores the real state.
void ForceConnectedStateForTests(std::optional<bool> connected);

// The default-route rule on the texts of /proc/net/route and /proc/net/ipv6_route.
bool HasDefaultRoute(std::string_view ipv4Routes, std::string_view ipv6Routes);

} // namespace platform
