#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "samplecard/civil_time.h"
#include "samplecard/route.h"

// NMEA 0183 sentences as a GPS receiver of the recorder sends them, without the line ending.
namespace samplecard::nmea {

// XOR of every character of the body (the text between "$" and "*").
std::uint8_t checksum(std::string_view body);
// "$" + body + "*" + two upper-case hex digits.
std::string sentence(std::string_view body);

std::string latitudeField(double latitude);    // "ddmm.mmmm", sign dropped
std::string longitudeField(double longitude);  // "dddmm.mmmm", sign dropped

std::string rmc(const RoutePoint& point, const CivilTime& time);
std::string gga(const RoutePoint& point, const CivilTime& time);
std::string vtg(const RoutePoint& point);
// messageIndex selects one of the three messages of a satellites-in-view report.
std::string gsv(int messageIndex);

}  // namespace samplecard::nmea
