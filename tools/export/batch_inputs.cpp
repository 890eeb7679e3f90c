// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/export/batch_inputs.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace veltrasko {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view RecordExtension = ".vrc";

// Files copied from other systems may carry the extension in capitals.
bool HasRecordExtension(const fs::path& path) {
  const std::string name = path.filename().string();
  if (name.size() <= RecordExtension.size()) return false;
  return std::equal(RecordExtension.begin(), RecordExtension.end(), name.end() - RecordExtension.size(),
                    [](char wanted, char c) { return wanted == (c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); });
}

// The folder's record files sorted by name; a problem when there are none.
void AddFolder(const std::string& folder, RecordInputs& inputs) {
  std::vector<std::string> found;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    std::error_code typeError;
    if (HasRecordExtension(entry->path()) && !entry->is_directory(typeError)) found.push_back(entry->path().string());
  }
  if (error) {
    inputs.Problems.push_back(folder + ": cannot list the folder: " + error.message());
    return;
  }
  if (found.empty()) inputs.Problems.push_back(folder + ": no *.vrc record file in the folder");
  std::sort(found.begin(), found.end());
  inputs.RecordFiles.insert(inputs.RecordFiles.end(), found.begin(), found.end());
}

// Links and ".." resolved as far as the path exists, so that two spellings
// of one path compare equal.
std::string AbsolutePath(const std::string& path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(path, error);
  const fs::path resolved = error ? fs::path() : fs::weakly_canonical(absolute, error);
  return error ? path : resolved.string();
}

bool SameFile(const std::string& first, const std::string& second) {
  std::error_code error;
  return fs::equivalent(first, second, error);
}

}  // namespace

RecordInputs CollectRecordFiles(const std::vector<std::string>& inputs) {
  RecordInputs collected;
  for (const std::string& input : inputs) {
    std::error_code error;
    if (fs::is_directory(input, error)) {
      collected.Batch = true;
      AddFolder(input, collected);
    } else {
      // Anything else is read as a record file, which says itself when it cannot be.
      collected.RecordFiles.push_back(input);
    }
  }
  collected.Batch = collected.Batch || collected.RecordFiles.size() > 1;
  return collected;
}

std::string BatchOutputPath(const std::string& defaultPath, const std::optional<std::string>& folder) {
  if (!folder) return defaultPath;
  return (fs::path(*folder) / fs::path(defaultPath).filename()).string();
}

std::string DefaultSummaryPath(std::string_view recordPath) {
  if (recordPath.ends_with(RecordExtension)) recordPath.remove_suffix(RecordExtension.size());
  return std::string(recordPath) + ".summary.txt";
}

OutputClaims::OutputClaims(const std::vector<std::string>& recordFiles) {
  for (const std::string& recordFile : recordFiles) recordFiles_.insert(AbsolutePath(recordFile));
}

std::optional<std::string> OutputClaims::Claim(const std::string& output, const std::string& recordPath) {
  const std::string absolute = AbsolutePath(output);
  // Paths miss a second name (a hard link) of a file; the file system
  // itself is asked about the record file at hand.
  if (SameFile(output, recordPath) || recordFiles_.contains(absolute))
    return output + " is a record file itself; not overwritten";
  if (!claimed_.insert(absolute).second) return output + " is the output of an earlier record file; not overwritten";
  return std::nullopt;
}

}  // namespace veltrasko
