#pragma once
// What the file format readers and writers throw when a file is not one they
// can read or the content is one the format cannot hold: a damaged archive,
// broken XML, a missing part, a name too long. The text is German and says
// what is wrong; whoever names the file puts its name in front.

#include <stdexcept>

namespace brackwell::formats {

class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace brackwell::formats
