#include "document_file.h"

#include <cstdio>
#include <vector>

#include "ansi_code_page.h"
#include "utf8_text.h"

namespace {

struct Field {
  const char* name;
  DescriptorKeyID key;
};
const Field kFields[] = {{"Title", Code("ObjN")},
                         {"Photographer", Code("Byln")},
                         {"Description", Code("Cptn")},
                         {"Copyright", Code("CprN")},
                         {"URL", Code("URL ")}};

std::string Escape(const std::string& value) {
  std::string out;
  for (char c : value) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c != '\r') {
      out += c;
    }
  }
  return out;
}

// Line breaks come back as CR LF, as an edit control holds them.
std::string Unescape(const std::string& value) {
  std::string out;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) {
      ++i;
      out += value[i] == 'n' ? std::string("\r\n") : std::string(1, value[i]);
    } else {
      out += value[i];
    }
  }
  return out;
}

}  // namespace

void ParseDocument(const std::string& file, stub::FakeHost& host) {
  host.fileInfo.items.clear();
  const std::string bom = "\xEF\xBB\xBF";
  std::string text = file.compare(0, bom.size(), bom) == 0 ? file.substr(bom.size()) : file;
  if (!IsUtf8(text)) text = stub::Utf8FromAnsi(text);
  std::vector<std::string> keywords;
  bool hasKeywords = false;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = line.substr(0, equals);
    const std::string value = Unescape(line.substr(equals + 1));
    if (key == "Keyword") {
      keywords.push_back(value);
      hasKeywords = true;
      continue;
    }
    for (const Field& field : kFields) {
      if (key == field.name) host.SetField(field.key, value);
    }
  }
  if (hasKeywords) host.SetKeywords(keywords);
}

std::string FormatDocument(const stub::FakeHost& host) {
  std::string text;
  for (const Field& field : kFields) {
    if (host.HasField(field.key))
      text += std::string(field.name) + "=" + Escape(host.Field(field.key)) + "\n";
  }
  for (const std::string& keyword : host.Keywords()) text += "Keyword=" + Escape(keyword) + "\n";
  return text;
}

bool LoadDocument(const char* path, stub::FakeHost& host) {
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return false;
  std::string text;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
  std::fclose(file);
  ParseDocument(text, host);
  return true;
}

bool SaveDocument(const char* path, const stub::FakeHost& host) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  const std::string text = FormatDocument(host);
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}
