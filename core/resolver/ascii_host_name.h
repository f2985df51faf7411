#pragma once

#include <string>

namespace lookwell {

// The name to ask the resolver for. A name of ASCII bytes alone goes as it is,
// byte for byte; any other in its ASCII form by IDNA 2008 with the UTS #46
// mapping, non-transitional, as getaddrinfo's AI_IDN makes it. name is UTF-8,
// whatever the locale. A name that IDNA rejects stays as typed, so the resolver
// answers it as it always has.
std::string asciiHostName(const std::string& name);

} // namespace lookwell
