#ifndef TOOL_VIEWS_XML_TEXT_H_
#define TOOL_VIEWS_XML_TEXT_H_

#include <string>

namespace scenario {

// Text for a page or a plot, in UTF-8: our own strings are, and a source
// text's single bytes that do not form UTF-8 are read as Latin-1.
std::string Utf8Text(const std::string& text);

// The same for XML and HTML, markup characters escaped and control
// characters blanked, so the document stays well-formed.
std::string XmlText(const std::string& text);

}  // namespace scenario

#endif  // TOOL_VIEWS_XML_TEXT_H_
