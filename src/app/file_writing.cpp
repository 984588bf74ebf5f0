#include "app/file_writing.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>

namespace {

// A file descriptor, closed when it goes out of scope unless Close() took it first.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // A failed close can be the first report of a failed write.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

enum class Route { Written, Failed, InPlace };

// The path as the system takes it, made absolute so that its folder is always known.
QByteArray Absolute(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    if (native.startsWith('/')) return native;
    return QFile::encodeName(QDir::currentPath()) + '/' + native;
}

QByteArray FolderOf(const QByteArray& file) {
    const qsizetype slash = file.lastIndexOf('/');
    return slash > 0 ? file.left(slash) : QByteArray("/");
}

// The file a path names: symbolic links followed to their target, which may not exist yet. A
// chain too long to follow ends on a link, which is then refused.
QByteArray FollowLinks(QByteArray path) {
    for (int hops = 0; hops < 40; ++hops) {
        char target[PATH_MAX];
        const ssize_t n = ::readlink(path.constData(), target, sizeof target);
        if (n < 0 || n == static_cast<ssize_t>(sizeof target)) break;
        const QByteArray next(target, n);
        path = next.startsWith('/') ? next : FolderOf(path) + '/' + next;
    }
    return path;
}

bool WriteAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    off_t at = 0;
    while (left > 0) {
        const ssize_t n = ::pwrite(fd, data, static_cast<size_t>(left), at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        left -= n;
        at += n;
    }
    return true;
}

bool ReadAll(int fd, off_t size, QByteArray& bytes) {
    bytes.resize(static_cast<qsizetype>(size));
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::pread(fd, bytes.data() + got, static_cast<size_t>(bytes.size() - got),
                                  static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        got += n;
    }
    bytes.truncate(got);
    return true;
}

// Waits until what was written is on the disk. A file system that cannot sync at all says so
// with EINVAL: there is nothing more to wait for.
bool SyncToDisk(int fd) {
    while (::fsync(fd) != 0) {
        if (errno != EINTR) return errno == EINVAL;
    }
    return true;
}

// Makes a rename last. The new content is on the disk already, so a failure here could at worst
// bring the old file back after a crash: it is not reported.
void SyncFolder(const QByteArray& folder) {
    Descriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid()) ::fsync(dir.Get());
}

// A new file of a name of its own in folder, open for writing, or -1.
int MakeTemporary(const QByteArray& folder, mode_t mode, QByteArray& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const quint32 tag = QRandomGenerator::global()->generate();
        name = folder + "/.quillrun-" + QByteArray::number(tag, 16) + ".tmp";
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Writes bytes to a temporary file beside target and renames it over target. old is the file
// replaced, or null when there is none yet.
Route WriteThroughTemporary(const QByteArray& target, const QByteArray& bytes,
                            const struct stat* old) {
    const QByteArray folder = FolderOf(target);
    QByteArray name;
    // A replacement is readable by its maker only until it has the old owner and mode; a new
    // file gets what the umask leaves of rw-rw-rw-, as any other would.
    Descriptor file(MakeTemporary(folder, old ? 0600 : 0666, name));
    if (!file.Valid()) return old ? Route::InPlace : Route::Failed;
    const auto drop = [&name](Route route) {
        ::unlink(name.constData());
        return route;
    };
    if (old) {
        struct stat made {};
        if (::fstat(file.Get(), &made) != 0) return drop(Route::Failed);
        // Changing the owner clears the set-user-ID and set-group-ID bits: the mode comes after.
        if ((made.st_uid != old->st_uid || made.st_gid != old->st_gid) &&
            ::fchown(file.Get(), old->st_uid, old->st_gid) != 0)
            return drop(Route::InPlace);
        if (::fchmod(file.Get(), old->st_mode & 07777) != 0) return drop(Route::Failed);
    }
    if (!WriteAll(file.Get(), bytes) || !SyncToDisk(file.Get()) || !file.Close())
        return drop(Route::Failed);
    if (::rename(name.constData(), target.constData()) != 0) {
        // A file mounted on its own cannot be renamed over, but it can be written.
        const bool mountedOn = errno == EBUSY || errno == EXDEV;
        return drop(old && mountedOn ? Route::InPlace : Route::Failed);
    }
    SyncFolder(folder);
    return Route::Written;
}

bool CutTo(int fd, qsizetype length) {
    return ::ftruncate(fd, static_cast<off_t>(length)) == 0;
}

// The old bytes fit where they were: only the new length was reserved beyond them.
bool PutBack(int fd, const QByteArray& kept) {
    return WriteAll(fd, kept) && CutTo(fd, kept.size()) && SyncToDisk(fd);
}

// Writes bytes over the content of target, the regular file old describes.
bool WriteInPlace(const QByteArray& target, const QByteArray& bytes, const struct stat& old) {
    // Not waiting to open: should a pipe have taken the file's place meanwhile, it is refused.
    const int flags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    Descriptor file(::open(target.constData(), flags));
    struct stat now {};
    if (!file.Valid() || ::fstat(file.Get(), &now) != 0 || !S_ISREG(now.st_mode) ||
        now.st_dev != old.st_dev || now.st_ino != old.st_ino)
        return false;
    QByteArray kept;
    if (!ReadAll(file.Get(), now.st_size, kept)) return false;
    const qsizetype length = bytes.size();
    if (length > now.st_size) {
        int reserved;
        while ((reserved = ::posix_fallocate(file.Get(), 0, static_cast<off_t>(length))) == EINTR) {
        }
        if (reserved != 0) {
            CutTo(file.Get(), kept.size());  // a reservation cut short may have lengthened it
            return false;
        }
    }
    if (!WriteAll(file.Get(), bytes) || !SyncToDisk(file.Get()) || !CutTo(file.Get(), length) ||
        !SyncToDisk(file.Get())) {
        PutBack(file.Get(), kept);
        return false;
    }
    if (file.Close()) return true;
    Descriptor again(::open(target.constData(), flags));
    if (again.Valid()) PutBack(again.Get(), kept);
    return false;
}

}  // namespace

bool WriteFileSafely(const QString& path, const QByteArray& bytes) {
    const QByteArray target = FollowLinks(Absolute(path));
    struct stat old {};
    if (::lstat(target.constData(), &old) != 0)
        return errno == ENOENT && WriteThroughTemporary(target, bytes, nullptr) == Route::Written;
    // A folder, pipe, device or socket is neither replaced by a file nor written into.
    if (!S_ISREG(old.st_mode)) return false;
    // Nor is a file this user may not write replaced by one they may.
    if (::access(target.constData(), W_OK) != 0) return false;
    if (old.st_nlink == 1) {
        const Route route = WriteThroughTemporary(target, bytes, &old);
        if (route != Route::InPlace) return route == Route::Written;
    }
    return WriteInPlace(target, bytes, old);
}

bool WriteImageSafely(const QImage& image, const QString& path, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format)) return false;
    buffer.close();
    return WriteFileSafely(path, bytes);
}
