// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/process_runner.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <stdexcept>

#include "support/temporary_folder.h"
#include "support/whole_files.h"

extern char** environ;

namespace veltrasko::test {

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& captureFolder) {
  const std::string outPath = captureFolder + "/process.out";
  const std::string errPath = captureFolder + "/process.err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  // Relative paths in the arguments name files of the test's folder.
  posix_spawn_file_actions_addchdir_np(&actions, captureFolder.c_str());

  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) throw std::runtime_error("cannot start " + program);
  int status = 0;
  waitpid(pid, &status, 0);

  ProcessResult result;
  result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.Out = ReadWholeText(outPath);
  result.Err = ReadWholeText(errPath);
  return result;
}

std::string ToolPath(const char* variable) {
  const char* path = std::getenv(variable);
  if (path == nullptr || *path == '\0') throw std::runtime_error(std::string(variable) + " is not set");
  return path;
}

std::string MakeRecordFile(const TemporaryFolder& folder, std::string_view name, std::vector<std::string> arguments) {
  const std::string path = folder.File(name);
  arguments.push_back(path);
  const ProcessResult result = RunProcess(ToolPath("VRCGEN"), arguments, folder.Path().string());
  EXPECT_EQ(result.ExitCode, 0) << result.Err;
  return path;
}

}  // namespace veltrasko::test
