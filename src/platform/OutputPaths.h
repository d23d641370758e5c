// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>

namespace tessera {

// Where an output really goes and the temporary file it is written to first.

// The file a path names once symbolic links are followed, even when the last one dangles (the
// new file is made where it points, and the link stays a link). Sets `refusal` instead for a
// path that names one of this process's descriptors (/dev/stdout, /proc/self/fd/1, however
// spelt): the file behind it is not ours to rename over; and for links that loop.
std::string resolveTarget(const std::string& path, std::string& refusal);

// Why an existing file cannot be an output because the program's standard input, output or
// error is that very file (`>> build.log` and a name for build.log), or empty.
std::string standardStreamRefusal(const struct stat& st);

// Whether two output names lead to one file, by device and inode once links are followed, or,
// for a file not made yet, to the same name in the same folder.
bool sameTarget(const std::string& a, const std::string& b);

// Why a target that exists as a regular file cannot be replaced safely, or empty.
std::string replacementRefusal(const std::string& target, const struct stat& st);

// Why creating a file beside `target` failed with `err`, said about the folder when it is the
// folder that refuses.
std::string creationFailure(const std::string& target, int err);

// A temporary file beside `target`, locked (flock) for as long as it is open. Unnamed where the
// file system allows (`name` stays empty): a killed process then leaves nothing behind. Otherwise
// named after the target (cut so that any name the folder takes works), which
// removeStaleTemporaries() cleans up once its owner is gone. Returns -1 with `err` set.
int createTemporary(const std::string& target, mode_t perms, std::string& name, int& err);

// Gives an unnamed file the name `name`, which must be free. Returns false with errno set (EEXIST
// when the name is taken).
bool linkUnnamed(int fd, const std::string& name);

// Gives an unnamed temporary file the name `name` (chosen here) beside `target`. Returns false
// with errno set.
bool linkTemporary(int fd, const std::string& target, std::string& name);

// The note beside `target` that lists a pair of outputs being published (see OutputPair.h).
std::string pairNoteName(const std::string& target);

// Removes the named temporary files of `target` whose process is gone (no lock held on them).
// It reads the whole folder: call it only where such files can be.
void removeStaleTemporaries(const std::string& target);

}  // namespace tessera
