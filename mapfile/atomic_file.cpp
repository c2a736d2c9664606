// A temporary file beside the target, written and flushed, then renamed over
// it: rename replaces a file in one step, so readers see the old contents or
// the new, never a mix, and a failure before it leaves the old file alone.
#include "mapfile/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>

AtomicWriteFault atomicWriteFault = nullptr;

namespace {

namespace fs = std::filesystem;

int Fault(std::size_t step) {
    return atomicWriteFault != nullptr ? atomicWriteFault(static_cast<int>(step)) : 0;
}

// Links are followed one at a time, so that a link to a file that does not
// exist yet is written through as well. A loop of links is left to fail when
// the file is opened.
fs::path FollowLinks(fs::path path) {
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) break;
        const fs::path target = fs::read_symlink(path, error);
        if (error) break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

// What the new file takes over from the old one.
struct OldFile {
    bool exists = false;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
};

// The permissions a file created by fopen would get.
mode_t NewFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The file as it is must be a regular file this process may write to: a
// read-only map is not replaced behind its owner's back.
bool CheckTarget(const fs::path& target, OldFile& old, int& error) {
    const int fd = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        old.mode = NewFileMode();
        error = errno == ENOENT ? 0 : errno;  // a missing file is simply new
        return error == 0;
    }
    struct stat info {};
    error = fstat(fd, &info) == 0 ? 0 : errno;
    close(fd);
    if (error == 0 && !S_ISREG(info.st_mode)) {
        error = EINVAL;  // a device or pipe: replacing it would be no save
    }
    old = {true, static_cast<mode_t>(info.st_mode & 07777), info.st_uid, info.st_gid};
    return error == 0;
}

struct TempFile {
    std::string path;
    int fd = -1;
};

bool CreateTemp(const fs::path& target, TempFile& temp, int& error) {
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    temp.path = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
    temp.fd = mkstemp(temp.path.data());
    error = temp.fd < 0 ? errno : 0;
    return temp.fd >= 0;
}

// The errno value of a failed write, 0 once every byte is out.
int WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return written < 0 ? errno : EIO;
        done += static_cast<std::size_t>(written);
    }
    return 0;
}

// Writes, permissions, flush to disk and close; the errno value of the first
// step that failed, or 0. The file is closed in every case.
int FillTemp(int fd, std::span<const std::string> chunks, const OldFile& old) {
    int error = 0;
    for (std::size_t k = 0; k < chunks.size() && error == 0; ++k) {
        error = Fault(k + 1);
        if (error == 0) error = WriteAll(fd, chunks[k]);
    }
    if (error == 0 && old.exists && (old.owner != geteuid() || old.group != getegid())) {
        // Only a privileged user can give the file back to its owner; anyone
        // else saves a file of their own, as with any editor that renames.
        [[maybe_unused]] const int kept = fchown(fd, old.owner, old.group);
    }
    if (error == 0 && fchmod(fd, old.mode) != 0) error = errno;
    if (error == 0) error = Fault(chunks.size() + 1);
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    return error;
}

// The rename itself reaches the disk with the directory. The file has been
// replaced by then, so a failure here is no failed save.
void SyncDirectory(const fs::path& target) {
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

bool WriteFileAtomically(const char* path, std::span<const std::string> chunks, int& error) {
    if (path == nullptr || *path == '\0') {
        error = ENOENT;
        return false;
    }
    // 1. The file itself, behind any links, and what it is now.
    const fs::path target = FollowLinks(path);
    OldFile old;
    TempFile temp;
    if (!CheckTarget(target, old, error) || !CreateTemp(target, temp, error)) {
        return false;
    }
    // 2. The new contents in full, on disk, under the temporary name.
    error = FillTemp(temp.fd, chunks, old);
    // 3. In place of the old file, in one step.
    if (error == 0) error = Fault(chunks.size() + 2);
    if (error == 0 && std::rename(temp.path.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temp.path.c_str());
        return false;
    }
    SyncDirectory(target);
    return true;
}
