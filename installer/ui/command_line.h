// The installer's command line: plain text rules, no windows.
#pragma once

#include <string>

// "/uninstall|path" or "/Uninstall|path" selects uninstall mode with that script path (taken as
// it stands, blanks included). "/Uninstall" alone also selects it, with the whole text as path.
// The switch is compared exactly; anything else means install mode with "Install.ini". The whole
// argument may stand in double quotes (trailing blanks after the closing one ignored), as Windows
// writes an argument that holds a blank: "/uninstall|C:\My Files\App.ini" in quotes reads as without.
bool IsUninstallCommand(const std::string& argument, std::string& scriptPath);

// The argument without the double quotes around it, when it starts with one and its last
// character other than a blank is the other; else the argument as it is.
std::string WithoutQuotes(const std::string& argument);

// How a start of the program is to run.
enum class StartKind {
  kDialog,      // the dialog; the command line chooses the mode as IsUninstallCommand says
  kHelp,        // "/?": a message box with the command-line forms
  kUnattended,  // "/S ...": the script's list without the dialog and without questions
  kUnknown,     // "/S" followed by text that is none of the forms below: nothing runs
};

struct StartCommand {
  StartKind kind = StartKind::kDialog;
  bool uninstall = false;  // an unattended uninstall
  std::string scriptPath;  // its script
  std::string folder;      // "/D=" of an unattended install; empty for the script's default
  // The dialog's mode, from the whole line as IsUninstallCommand reads it (kDialog only).
  bool dialogUninstall = false;
  std::string dialogScriptPath;
};

// The unattended forms, the switches case-sensitive, blanks allowed between them:
//   "/S"                        install into the script's default folder
//   "/S /D=folder"              install into folder: the rest of the line, blanks included
//   "/S /uninstall|script"      uninstall (and "/S /Uninstall|script", as without "/S"; the
//                               argument may be quoted: /S "/uninstall|script")
// Every other text runs the dialog exactly as before.
StartCommand ParseStartCommand(const std::string& commandLine);

// What "/?" shows.
extern const char kCommandLineHelp[];
