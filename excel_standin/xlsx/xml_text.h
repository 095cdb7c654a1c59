#pragma once
// Text as it goes into and comes out of SpreadsheetML: XML escaping, and the
// _xHHHH_ escapes Office uses for characters XML cannot carry (ST_Xstring).

#include <string>
#include <string_view>

namespace brackwell::win::xlsx {

// &, <, >, " and, for attribute values, tab, CR and LF as character references.
std::string XmlEscaped(std::string_view utf8);

// Characters XML 1.0 cannot hold as _xHHHH_, and a literal "_xHHHH_" with its
// underscore escaped, so that reading decodes exactly the original text.
std::string XstringEncoded(std::string_view utf8);
std::string XstringDecoded(std::string_view utf8);

}  // namespace brackwell::win::xlsx
