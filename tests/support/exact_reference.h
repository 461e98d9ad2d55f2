#pragma once
// A slow, exact reference for number rendering, shared by the number tests
// and the number fuzz target: it writes the exact binary value out in
// decimal and rounds those digits by hand.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace orvant::testing {

// |x| written out exactly (160 places hold any float, 800 digits any double).
inline std::string ExactDigits(double x, std::chars_format f, int prec) {
  char b[1200];
  return std::string(b, std::to_chars(b, b + sizeof b, std::fabs(x), f, prec).ptr);
}

inline void IncrementDigits(std::string& d) {
  for (size_t i = d.size(); i-- > 0; d[i] = '0')
    if (d[i] != '9') { ++d[i]; return; }
  d.insert(0, 1, '1');
}

// |x| rounded to sig significant digits, halves away from zero or to even,
// on the exact digits; the digits are returned, the decimal exponent set.
inline std::string RoundSig(double x, int sig, bool toEven, int& exp) {
  std::string e = ExactDigits(x, std::chars_format::scientific, 800);
  std::string m = e.substr(0, 1) + e.substr(2, sig - 1);
  std::string rest = e.substr(sig + 1, e.find('e') - sig - 1);
  exp = std::atoi(e.c_str() + e.find('e') + 1);
  bool above = rest.find_first_not_of('0', 1) != std::string::npos;
  if (rest[0] > '5' || (rest[0] == '5' && (!toEven || above || (m.back() - '0') % 2))) IncrementDigits(m);
  if (static_cast<int>(m.size()) > sig) m.pop_back(), ++exp;
  return m;
}

// The digits m as m[0], a point (if point) and the rest, then "E", the
// exponent's sign ("-", or "+" if plus) and at least expDigits digits.
inline std::string ExponentForm(const std::string& m, bool point, int exp, bool plus, size_t expDigits) {
  std::string e = std::to_string(std::abs(exp));
  if (e.size() < expDigits) e.insert(0, expDigits - e.size(), '0');
  return m.substr(0, 1) + (point ? "." : "") + m.substr(1) + "E" + (exp < 0 ? "-" : plus ? "+" : "") + e;
}

// v rendered by a pattern: "#"/"0" integer places, an optional point with
// "0" then "#" decimals, or the exponent form "0[.0...]E(+|-)0...".
inline std::string RefPattern(float v, const std::string& pat) {
  size_t ePos = pat.find_first_of("Ee");
  if (ePos != std::string::npos) {
    size_t dot = pat.find('.');
    int zeros = dot == std::string::npos ? 0 : static_cast<int>(ePos - dot - 1);
    int exp = 0;
    std::string m = v == 0 ? std::string(static_cast<size_t>(zeros) + 1, '0') : RoundSig(v, zeros + 1, false, exp);
    return std::string(v < 0 ? "-" : "") +
           ExponentForm(m, dot != std::string::npos, exp, pat[ePos + 1] == '+', pat.size() - ePos - 2);
  }
  size_t dot = pat.find('.');
  std::string ip = pat.substr(0, dot), fp = dot == std::string::npos ? "" : pat.substr(dot + 1);
  size_t d = fp.size(), zeros = static_cast<size_t>(std::count(fp.begin(), fp.end(), '0'));
  size_t minInt = ip.find('0') == std::string::npos ? 0 : ip.size() - ip.find('0');
  std::string e = ExactDigits(v, std::chars_format::fixed, 160);
  size_t p = e.find('.');
  std::string digits = e.substr(0, p) + e.substr(p + 1, d);
  if (e[p + 1 + d] >= '5') IncrementDigits(digits);
  std::string in = digits.substr(0, digits.size() - d), fr = digits.substr(digits.size() - d);
  in.erase(0, in.find_first_not_of('0'));
  bool zero = in.empty() && fr.find_first_not_of('0') == std::string::npos;
  if (in.size() < minInt) in.insert(0, minInt - in.size(), '0');
  while (fr.size() > zeros && fr.back() == '0') fr.pop_back();
  return (v < 0 && !zero ? "-" : "") + in + (dot == std::string::npos ? "" : "." + fr);
}

// A right-justified field: the last width characters of width blanks and s.
inline std::string RightJustified(const std::string& s, int width) {
  return (std::string(static_cast<size_t>(width), ' ') + s).substr(s.size());
}

// A bare number: the value rounded to sig significant digits (halves to
// even), trailing zeros dropped; exponent form (at least two exponent
// digits) at 10^expAt and above or below 1E-04.
inline std::string RefBare(double x, int sig, int expAt) {
  if (x == 0) return " 0 ";
  int exp = 0;
  std::string m = RoundSig(x, sig, true, exp);
  m.erase(m.find_last_not_of('0') + 1);
  std::string t;
  if (exp >= expAt || exp < -4) {
    t = ExponentForm(m, m.size() > 1, exp, true, 2);
  } else if (exp >= 0) {
    size_t intDigits = static_cast<size_t>(exp) + 1;
    t = m.size() <= intDigits ? m + std::string(intDigits - m.size(), '0')
                              : m.substr(0, intDigits) + "." + m.substr(intDigits);
  } else {
    t = "." + std::string(static_cast<size_t>(-exp - 1), '0') + m;
  }
  return (x < 0 ? "-" : " ") + t + " ";
}

}  // namespace orvant::testing
