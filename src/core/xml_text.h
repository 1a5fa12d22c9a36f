#pragma once
// XML written straight into a string, byte for byte as a pugixml document
// of the same elements saves with its default format: a declaration, one
// tab per level, " />" closing an element without children, the same
// character references. For files too large to build as a document first.
#include <string>
#include <string_view>
#include <vector>

namespace tfx {

class XmlTextWriter {
 public:
  // Appends the declaration to the text.
  explicit XmlTextWriter(std::string& text);

  // Names are kept until the element is closed.
  void open(std::string_view name);
  // A value ends at its first NUL, as a document's values do.
  void attribute(std::string_view name, std::string_view value);
  // Numbers as "{:.Nf}" and "{}" write them.
  void decimalAttribute(std::string_view name, double value, int decimals);
  void integerAttribute(std::string_view name, long long value);
  // Ends the element opened last.
  void close();
  // A whole element without children whose attributes the caller has
  // written as text already, ` name="value"` each: the quick way for long
  // runs of elements alike.
  void element(std::string_view name, std::string_view attributes);
  // Whether a value is written as it is, without references.
  static bool plain(std::string_view value);

 private:
  void startAttribute(std::string_view name);
  void endStartTag();

  std::string& text_;
  std::vector<std::string_view> open_;
  bool inStartTag_ = false;
};

}  // namespace tfx
