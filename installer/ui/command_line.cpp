#include "command_line.h"

std::string WithoutQuotes(const std::string& argument) {
  const std::size_t last = argument.find_last_not_of(' ');
  if (argument.size() < 2 || argument[0] != '"' || last == 0 || argument[last] != '"') return argument;
  return argument.substr(1, last - 1);
}

bool IsUninstallCommand(const std::string& argument, std::string& scriptPath) {
  // Windows quotes an argument that holds a blank, as a registered uninstall string does.
  const std::string commandLine = WithoutQuotes(argument);
  const std::size_t bar = commandLine.find('|');
  const std::string before = commandLine.substr(0, bar);
  const bool uninstall =
      (bar != std::string::npos && bar > 0 && before == "/uninstall") || before == "/Uninstall";
  if (uninstall) scriptPath = bar == std::string::npos ? commandLine : commandLine.substr(bar + 1);
  return uninstall;
}

StartCommand ParseStartCommand(const std::string& commandLine) {
  StartCommand command;
  // The system hands the text over with its leading blanks removed; trailing ones are common
  // after a switch typed by hand.
  const std::size_t last = commandLine.find_last_not_of(' ');
  const std::string trimmed = commandLine.substr(0, last == std::string::npos ? 0 : last + 1);
  if (trimmed == "/?") {
    command.kind = StartKind::kHelp;
    return command;
  }
  if (trimmed != "/S" && commandLine.compare(0, 3, "/S ") != 0) {
    command.dialogUninstall = IsUninstallCommand(commandLine, command.dialogScriptPath);
    return command;
  }

  command.kind = StartKind::kUnattended;
  const std::size_t from = commandLine.find_first_not_of(' ', 2);
  const std::string rest = from == std::string::npos ? std::string() : commandLine.substr(from);
  if (rest.empty()) return command;
  if (rest.compare(0, 3, "/D=") == 0) {
    command.folder = rest.substr(3);
  } else if (IsUninstallCommand(rest, command.scriptPath)) {
    command.uninstall = true;
  } else {
    command.kind = StartKind::kUnknown;
  }
  return command;
}

const char kCommandLineHelp[] =
    "Install.exe\n"
    "    installs with Install.ini from the current folder, in the dialog.\n"
    "Install.exe /S\n"
    "    installs without the dialog into the script's default folder.\n"
    "Install.exe /S /D=folder\n"
    "    installs without the dialog into folder (the rest of the line, blanks included).\n"
    "Quenrow.exe /uninstall|script\n"
    "    uninstalls with the script, in the dialog.\n"
    "Quenrow.exe /S /uninstall|script\n"
    "    uninstalls without the dialog.\n"
    "\n"
    "Without the dialog nothing is asked: a step that fails ends the run, as Abort would.\n"
    "Exit code: 0 the whole list ran, 1 a step failed and the run ended there, 2 nothing ran\n"
    "(the script could not be loaded, or a switch after /S is unknown).";
