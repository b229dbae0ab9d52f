#include "dictionary_package.h"

#include <cstring>

namespace {

// The value of attribute name in a tag's text, entities left as they are; empty when absent.
std::string Attribute(const std::string& tag, const char* name) {
  for (std::size_t at = tag.find(name); at != std::string::npos; at = tag.find(name, at + 1)) {
    std::size_t p = at + std::strlen(name);
    while (p < tag.size() && tag[p] == ' ') ++p;
    if (p >= tag.size() || tag[p] != '=') continue;
    if (at > 0 && tag[at - 1] != ' ' && tag[at - 1] != '\t' && tag[at - 1] != '\n' && tag[at - 1] != '\r')
      continue;
    ++p;
    while (p < tag.size() && tag[p] == ' ') ++p;
    if (p >= tag.size() || (tag[p] != '"' && tag[p] != '\'')) continue;
    std::size_t end = tag.find(tag[p], p + 1);
    if (end == std::string::npos) return std::string();
    return tag.substr(p + 1, end - p - 1);
  }
  return std::string();
}

std::string Unescaped(const std::string& text) {
  static const struct {
    const char* entity;
    char c;
  } kEntities[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    bool replaced = false;
    for (const auto& e : kEntities) {
      if (text.compare(i, std::strlen(e.entity), e.entity) == 0) {
        out += e.c;
        i += std::strlen(e.entity);
        replaced = true;
        break;
      }
    }
    if (!replaced) out += text[i++];
  }
  return out;
}

std::vector<std::string> Items(const std::string& value, const std::string& separator) {
  std::vector<std::string> items;
  std::string item;
  auto flush = [&] {
    if (!item.empty()) items.push_back(item);
    item.clear();
  };
  for (char c : value) {
    bool split = separator.empty() ? (c == ' ' || c == '\t' || c == '\r' || c == '\n')
                                   : separator.find(c) != std::string::npos;
    if (split)
      flush();
    else
      item += c;
  }
  flush();
  return items;
}

// folder + the location after "%origin%/", with "." and ".." resolved; empty when it leaves the
// package or names no file.
std::string MemberPath(const std::string& location, const std::string& folder) {
  static const std::string kOrigin = "%origin%/";
  std::string path =
      location.compare(0, kOrigin.size(), kOrigin) == 0 ? folder + location.substr(kOrigin.size()) : location;
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    start = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (parts.empty()) return std::string();
      parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string joined;
  for (const std::string& part : parts) joined += (joined.empty() ? "" : "/") + part;
  return joined;
}

struct OpenNode {
  std::string format;
  std::vector<std::string> locations;
  std::vector<std::string> locales;
};

}  // namespace

std::vector<PackagedDictionary> ReadDictionaryDeclarations(const std::string& xcu,
                                                           const std::string& folder) {
  std::vector<PackagedDictionary> found;
  std::vector<OpenNode> nodes;
  std::string prop;  // the name of the property being read
  std::size_t at = 0;
  while ((at = xcu.find('<', at)) != std::string::npos) {
    std::size_t end = xcu.find('>', at);
    if (end == std::string::npos) break;
    std::string tag = xcu.substr(at + 1, end - at - 1);
    at = end + 1;
    bool closing = !tag.empty() && tag[0] == '/';
    bool empty = !tag.empty() && tag.back() == '/';
    std::string name =
        tag.substr(closing ? 1 : 0, tag.find_first_of(" \t\r\n/", closing ? 1 : 0) - (closing ? 1 : 0));
    if (name == "node" && !closing && !empty) {
      nodes.emplace_back();
    } else if (name == "node" && closing && !nodes.empty()) {
      OpenNode node = std::move(nodes.back());
      nodes.pop_back();
      PackagedDictionary d{PackagedDictionary::kSpelling, {}, node.locales};
      if (node.format == "DICT_Thes") d.kind = PackagedDictionary::kThesaurus;
      if (node.format != "DICT_SpellChecker" && node.format != "DICT_Thes") continue;
      for (const std::string& location : node.locations) {
        std::string path = MemberPath(location, folder);
        if (path.empty()) {
          d.locations.clear();
          break;
        }
        d.locations.push_back(path);
      }
      if (!d.locations.empty()) found.push_back(std::move(d));
    } else if (name == "prop" && !closing) {
      prop = empty ? std::string() : Attribute(tag, "oor:name");
    } else if (name == "prop" && closing) {
      prop.clear();
    } else if (name == "value" && !closing && !empty && !nodes.empty() && !prop.empty()) {
      std::size_t close = xcu.find("</value>", at);
      if (close == std::string::npos) break;
      std::string value = Unescaped(xcu.substr(at, close - at));
      std::string separator = Unescaped(Attribute(tag, "oor:separator"));
      at = close + 8;
      OpenNode& node = nodes.back();
      if (prop == "Format")
        node.format = Items(value, "").empty() ? std::string() : Items(value, "")[0];
      else if (prop == "Locations")
        node.locations = Items(value, separator);
      else if (prop == "Locales")
        node.locales = Items(value, separator);
    }
  }
  return found;
}
