// Helpers every part of the Windows backend shares: text between the
// engine's UTF-8 and the system's UTF-16, and the system's error texts.
#pragma once

#include <string>

namespace tavix::platform::windows {

// Invalid sequences become U+FFFD either way.
std::wstring toWide(const std::string& utf8);
std::string toUtf8(const std::wstring& wide);
std::string toUtf8(const wchar_t* wide);

// The system's description of an error code (GetLastError's), without its
// line end, followed by the code: "The system cannot find the file specified. (2)".
std::string errorText(unsigned long code);

}  // namespace tavix::platform::windows
