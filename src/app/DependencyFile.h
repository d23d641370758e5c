// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tessera {

class OutputFile;

// A file name as make reads it in a rule: spaces and tabs after a backslash, '#' after a
// backslash, '$' doubled, and the backslashes just before a space doubled, the way compilers
// write their dependency files, so make and Ninja read the same names back.
std::string makeQuoted(const std::string& path);

// "TARGET [TARGET]: PREREQUISITE...\n", and an empty rule for each prerequisite after the
// input, so that make does not stop when a palette file is deleted from the project.
std::string depfileText(const std::vector<std::string>& targets,
                        const std::vector<std::string>& prerequisites);

// A dependency file (--depfile) written with the care of an output: its text goes to a
// temporary file beside it when made (where every failure that can be foreseen happens, so a
// run that cannot write it converts nothing), and replaces the file only by publish(), once
// the conversion is done. Dropped unpublished, it leaves the old file as it was.
class DependencyFile {
  public:
    // Throws TesseraError.
    DependencyFile(const std::string& path, const std::vector<std::string>& targets,
                   const std::vector<std::string>& prerequisites);
    ~DependencyFile();
    DependencyFile(const DependencyFile&) = delete;
    DependencyFile& operator=(const DependencyFile&) = delete;

    void publish();  // throws TesseraError

  private:
    std::unique_ptr<OutputFile> file_;
};

}  // namespace tessera
