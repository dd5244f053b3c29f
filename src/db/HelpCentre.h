#pragma once

namespace tarnwick {

// The maker's web pages the connection-failure window points at.
inline constexpr const char* SQLConnectionHelpURL =
    "https://help.vexholm.example.com/taxation/articles/cannot-connect-to-sql-server";
inline constexpr const char* ContactUsURL = "https://www.vexholm.example.com/contact";

} // namespace tarnwick
