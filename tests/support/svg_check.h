#pragma once
// A small XML reader for checking the SVG previews: well-formedness (valid UTF-8, one
// root element, tags closed in order, quoted attributes given once, only the predefined
// and numeric entities, no markup in text) and the elements with their attributes.

#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace mq::test {

struct XmlElement {
  std::string Name;
  std::map<std::string, std::string> Attributes;
  int Depth = 0;     // 0 for the root
  std::string Text;  // the text right inside it (for <text> and <title>)

  // The first word of the class attribute: the preview item's kind.
  std::string Kind() const {
    const auto c = Attributes.find("class");
    return c == Attributes.end() ? std::string() : c->second.substr(0, c->second.find(' '));
  }
};

struct XmlDocument {
  std::string Error;  // empty when well-formed
  std::vector<XmlElement> Elements;

  int Count(const std::string& name, const std::string& kind) const {
    int n = 0;
    for (const XmlElement& e : Elements) n += e.Name == name && e.Kind() == kind;
    return n;
  }
};

namespace xml {

inline bool ValidUtf8(std::string_view s) {
  for (std::size_t k = 0; k < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[k]);
    const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || k + n > s.size()) return false;
    for (std::size_t j = 1; j < n; ++j)
      if ((static_cast<unsigned char>(s[k + j]) >> 6) != 2) return false;
    k += n;
  }
  return true;
}

// Text or an attribute value: no '<', every '&' starts a known entity.
inline bool CleanText(std::string_view s) {
  for (std::size_t k = 0; k < s.size(); ++k) {
    if (s[k] == '<') return false;
    if (s[k] != '&') continue;
    const std::size_t end = s.find(';', k);
    if (end == std::string_view::npos) return false;
    const std::string_view name = s.substr(k + 1, end - k - 1);
    const bool numeric = name.size() > 1 && name[0] == '#';
    if (!numeric && name != "amp" && name != "lt" && name != "gt" && name != "quot" && name != "apos")
      return false;
    k = end;
  }
  return true;
}

inline bool NameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == ':' || c == '.';
}

}  // namespace xml

inline XmlDocument ReadXml(std::string_view s) {
  XmlDocument doc;
  const auto fail = [&](std::size_t at, const std::string& why) {
    doc.Error = "at " + std::to_string(at) + ": " + why;
    return doc;
  };
  if (!xml::ValidUtf8(s)) return fail(0, "not UTF-8");
  std::vector<std::size_t> open;  // indexes into Elements
  std::size_t k = 0;
  bool rooted = false;
  while (k < s.size()) {
    const std::size_t lt = s.find('<', k);
    const std::string_view text = s.substr(k, lt == std::string_view::npos ? std::string_view::npos : lt - k);
    if (!xml::CleanText(text)) return fail(k, "bad text");
    if (open.empty() && text.find_first_not_of(" \r\n\t") != std::string_view::npos)
      return fail(k, "text outside the root");
    if (!open.empty()) doc.Elements[open.back()].Text += std::string(text);
    if (lt == std::string_view::npos) break;
    k = lt;
    if (s.substr(k, 4) == "<!--" || s.substr(k, 2) == "<?") {
      const std::string_view close = s[k + 1] == '?' ? "?>" : "-->";
      const std::size_t end = s.find(close, k);
      if (end == std::string_view::npos) return fail(k, "unclosed");
      k = end + close.size();
      continue;
    }
    const bool closing = s.substr(k, 2) == "</";
    std::size_t at = k + (closing ? 2 : 1), name_end = at;
    while (name_end < s.size() && xml::NameChar(s[name_end])) ++name_end;
    const std::string name(s.substr(at, name_end - at));
    if (name.empty()) return fail(k, "no element name");
    at = name_end;
    if (closing) {
      at = s.find_first_not_of(" \r\n\t", at);
      if (at == std::string_view::npos || s[at] != '>') return fail(k, "bad closing tag");
      if (open.empty() || doc.Elements[open.back()].Name != name)
        return fail(k, "</" + name + "> closes nothing open");
      open.pop_back();
      k = at + 1;
      continue;
    }
    if (open.empty() && rooted) return fail(k, "a second root element");
    XmlElement element{name, {}, static_cast<int>(open.size()), {}};
    for (;;) {
      at = s.find_first_not_of(" \r\n\t", at);
      if (at == std::string_view::npos) return fail(k, "unclosed tag");
      if (s[at] == '>' || s.substr(at, 2) == "/>") break;
      std::size_t eq = at;
      while (eq < s.size() && xml::NameChar(s[eq])) ++eq;
      const std::string attribute(s.substr(at, eq - at));
      if (attribute.empty() || eq + 1 >= s.size() || s[eq] != '=' || (s[eq + 1] != '"' && s[eq + 1] != '\''))
        return fail(at, "bad attribute");
      const std::size_t end = s.find(s[eq + 1], eq + 2);
      if (end == std::string_view::npos || !xml::CleanText(s.substr(eq + 2, end - eq - 2)))
        return fail(at, "bad attribute value");
      if (!element.Attributes.emplace(attribute, std::string(s.substr(eq + 2, end - eq - 2))).second)
        return fail(at, "attribute " + attribute + " twice");
      at = end + 1;
    }
    rooted = true;
    doc.Elements.push_back(element);
    if (s[at] == '>') open.push_back(doc.Elements.size() - 1);
    k = at + (s[at] == '>' ? 1 : 2);
  }
  if (!open.empty()) return fail(s.size(), "<" + doc.Elements[open.back()].Name + "> is not closed");
  if (!rooted) return fail(0, "no root element");
  return doc;
}

}  // namespace mq::test
