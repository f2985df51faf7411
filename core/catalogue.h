#pragma once

#include <string>

namespace lookwell {

// Ids of the program's numbered texts.
namespace text {
inline constexpr unsigned kAboutMenuItem = 101;
inline constexpr unsigned kTitleIdle = 103;
inline constexpr unsigned kTitleSearching = 104;
inline constexpr unsigned kUnknownError = 105;
inline constexpr unsigned kAddressFormatError = 106;
inline constexpr unsigned kResolverStartError = 107;
inline constexpr unsigned kClipboardError = 108;
inline constexpr unsigned kClassA = 112;
inline constexpr unsigned kClassB = 113;
inline constexpr unsigned kClassC = 114;
inline constexpr unsigned kClassUnknown = 115;
inline constexpr unsigned kNetworkDown = 256;
inline constexpr unsigned kInsufficientBuffer = 257;
inline constexpr unsigned kHostNotFound = 258;
inline constexpr unsigned kServerNotFound = 259;
inline constexpr unsigned kUnrecoverable = 260;
inline constexpr unsigned kNoEntry = 261;
} // namespace text

enum class Severity { Error, Warning };

// The text of an id, or an empty text when the id has none.
std::string loadText(unsigned id);

} // namespace lookwell
