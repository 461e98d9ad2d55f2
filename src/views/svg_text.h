#pragma once
// The SVG document as it is built: one buffer, numbers with two decimals,
// model texts escaped.
#include <string>
#include <string_view>

#include "views/number_text.h"
#include "views/projection.h"

namespace orvant {

// The document is built in one buffer; numbers with a fixed two decimals.
struct SvgText {
  std::string out;

  SvgText& Raw(std::string_view text) {
    out.append(text);
    return *this;
  }
  SvgText& Num(double v) {
    AppendFixed2(out, v);
    return *this;
  }
  SvgText& Int(long long v) {
    AppendInt(out, v);
    return *this;
  }
  SvgText& Point(PagePoint p) {
    Num(p.x);
    out += ' ';
    return Num(p.y);
  }
  SvgText& MoveTo(PagePoint p) {
    out += 'M';
    return Point(p);
  }
  SvgText& LineTo(PagePoint p) {
    out += 'L';
    return Point(p);
  }
  // Model text: trailing blanks and control characters dropped, markup characters escaped, control
  // characters as blanks; text that is not UTF-8 is taken as Latin-1.
  SvgText& Text(std::string_view text);
};

}  // namespace orvant
