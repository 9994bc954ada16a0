#pragma once

// Web addresses shown and opened by the about and notice windows. Captions show host and path
// without the scheme; the address opened is HTTP.
namespace tv {

inline constexpr const char* kMakerSite = "www.oskelund.invalid";
inline constexpr const char* kProductSite = "www.tramvik.invalid";

} // namespace tv
