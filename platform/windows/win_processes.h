// Command lines for CreateProcessW. Windows hands a child one string; the C
// runtime of the child splits it back into arguments by fixed rules
// (backslashes count only before a double quote), so each argument is quoted
// to come out of that split exactly as given.
#pragma once

#include <string>
#include <vector>

namespace tavix::platform::windows {

// One argument as it must be written so that the runtime's split returns it
// unchanged: as is when it holds no blank and no double quote and is not
// empty, else between double quotes with quotes and the backslashes before
// them escaped.
std::string quoteArgument(const std::string& argument);

// The program between double quotes (its name is split by simpler rules: up
// to the closing quote, no escapes), then each argument quoted. Empty when the
// program's name holds a double quote, which no file name can.
std::string commandLine(const std::string& program, const std::vector<std::string>& arguments);

}  // namespace tavix::platform::windows
