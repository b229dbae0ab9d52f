// The stand-in host for people: runs the plug-in's "Do It" with its dialog on a document kept in a
// small text file, and saves the document when the run was accepted.
//
//   hoststub [--plugin PATH] [--about] DOCUMENT
#include <cstdio>
#include <cstring>
#include <string>

#include "document_file.h"
#include "plugin_loader.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: hoststub [--plugin PATH] [--about] DOCUMENT\n");
  return 2;
}

// The plug-in beside this program, or where the build tree puts it.
std::string DefaultPluginPath() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, n);
  const std::size_t slash = folder.find_last_of("\\/");
  folder = slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
  const std::string beside = folder + "Tavimor.8li";
  const std::string built = folder + "..\\plugin\\Tavimor.8li";
  return GetFileAttributesA(beside.c_str()) == INVALID_FILE_ATTRIBUTES &&
                 GetFileAttributesA(built.c_str()) != INVALID_FILE_ATTRIBUTES
             ? built
             : beside;
}

}  // namespace

int main(int argc, char** argv) {
  std::string pluginPath = DefaultPluginPath();
  const char* document = nullptr;
  bool about = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--plugin") == 0 && i + 1 < argc) {
      pluginPath = argv[++i];
    } else if (std::strcmp(argv[i], "--about") == 0) {
      about = true;
    } else if (argv[i][0] == '-' || document) {
      return Usage();
    } else {
      document = argv[i];
    }
  }
  if (!document && !about) return Usage();

  stub::FakeHost host;
  if (document && !LoadDocument(document, host)) std::printf("%s: new document\n", document);
  LoadedPlugin plugin(pluginPath.c_str());
  if (!plugin.Loaded()) {
    std::fprintf(stderr, "%s\n", plugin.Error().c_str());
    return 1;
  }
  if (about) plugin.About(host);
  int status = 0;
  if (document) {
    PIActionParameters params{kPlugInDialogDisplay, kPlugInDialogOptional, nullptr};
    const SPErr result = plugin.DoIt(host, &params);
    std::printf("Do It: %ld\n", static_cast<long>(result));
    if (result == 0 && !host.played.empty()) {
      if (SaveDocument(document, host)) {
        std::printf("%s saved\n", document);
      } else {
        std::fprintf(stderr, "cannot save %s\n", document);
        status = 1;
      }
    }
    if (params.descriptor) {
      for (const auto& item : host.Strings(params.descriptor))
        std::printf("recorded %s = \"%s\"\n", stub::CodeText(item.first).c_str(), item.second.c_str());
      host.FreeDescriptor(params.descriptor);
    }
  }
  plugin.Unload();
  return status;
}
