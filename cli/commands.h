// The subcommands of vartolik-cli. Each takes the arguments after its name (argv[0] is the
// subcommand's name), prints to stdout and stderr, and returns the process exit code:
// 0 done, 1 done with a problem worth knowing, 2 refused or failed.
#pragma once

struct CliCommand {
  const char* name;
  int (*run)(int argc, char** argv);
  const char* summary;  // one line for the command list
};

int searchCommand(int argc, char** argv);
int countCommand(int argc, char** argv);
int encodeCommand(int argc, char** argv);
int decodeCommand(int argc, char** argv);
int teacherCommand(int argc, char** argv);
int exportCommand(int argc, char** argv);
int glossCommand(int argc, char** argv);
