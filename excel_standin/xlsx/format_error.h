#pragma once
// What the archive and part readers throw when a file is not a workbook they
// can read: a damaged archive, broken XML, a missing part. The text is German
// and says what is wrong; the file store puts the file's name in front.

#include <stdexcept>

namespace brackwell::win::xlsx {

class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace brackwell::win::xlsx
