// Runs the korvana command-line binary for the command-line tests: with a data folder
// ("home") and settings file of its own inside a test's temporary folder, from that folder
// (so relative file names resolve there), capturing standard output, standard error and
// the exit status.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "support/temp_folder.h"

namespace korvana::testing {

struct CliRun {
  int status = -1;  // the exit status, -1 when the program did not exit normally
  std::string out;
  std::string err;
};

inline CliRun RunKorvana(const std::string& binary, const TempFolder& dir, const std::string& args) {
  const std::string command = "cd '" + dir.Path() + "' && '" + binary + "' --home '" + (dir / "home") +
                              "' --config '" + (dir / "registry.ini") + "' " + args + " 2>'" +
                              (dir / "stderr.txt") + "'";
  CliRun r;
  FILE* p = ::popen(command.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  const int status = ::pclose(p);
  r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.err = dir.Read("stderr.txt");
  return r;
}

}  // namespace korvana::testing
