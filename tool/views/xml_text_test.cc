#include "tool/views/xml_text.h"

#include <gtest/gtest.h>

namespace scenario {
namespace {

// A source text's bytes reach a page as well-formed UTF-8 XML: markup
// escaped, control characters blanked, UTF-8 kept, a single byte that is
// no UTF-8 read as Latin-1.
TEST(XmlTextTest, AnyBytesBecomeWellFormedText) {
  struct Case {
    const char* bytes;
    const char* xml;
  } cases[] = {
      {"Ronsale", "Ronsale"},
      {"<a & \"b\">", "&lt;a &amp; &quot;b&quot;&gt;"},
      {"Citt\xC3\xA0", "Citt\xC3\xA0"},
      {"Citt\xE0", "Citt\xC3\xA0"},
      {"a\x01\tb", "a  b"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(XmlText(c.bytes), c.xml) << c.bytes;
  }
  EXPECT_EQ(Utf8Text("\xE0<"), "\xC3\xA0<");
}

}  // namespace
}  // namespace scenario
