#pragma once
// Reads the SVG previews with Qt's XML reader, which refuses whatever is not well-formed
// (bad UTF-8, a second root, tags closed out of order, an attribute given twice, an
// unknown entity, markup in text), and lists the elements with their attributes.

#include <QXmlStreamReader>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace mq::test {

struct XmlElement {
  std::string Name;
  std::map<std::string, std::string> Attributes;
  std::string Text;  // the text right inside it, entities resolved (for <text> and <title>)

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

inline XmlDocument ReadXml(std::string_view text) {
  XmlDocument doc;
  QXmlStreamReader reader(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  std::vector<std::size_t> open;  // indexes into Elements
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isStartElement()) {
      XmlElement& e = doc.Elements.emplace_back(XmlElement{reader.name().toString().toStdString(), {}, {}});
      for (const QXmlStreamAttribute& a : reader.attributes())
        e.Attributes[a.name().toString().toStdString()] = a.value().toString().toStdString();
      open.push_back(doc.Elements.size() - 1);
    }
    if (reader.isEndElement()) open.pop_back();
    if (reader.isCharacters() && !open.empty())
      doc.Elements[open.back()].Text += reader.text().toString().toStdString();
  }
  if (reader.hasError())
    doc.Error = "line " + std::to_string(reader.lineNumber()) + ": " + reader.errorString().toStdString();
  return doc;
}

}  // namespace mq::test
