#pragma once
// A file system of a test's own that can be filled up: a 64 KiB tmpfs mounted on a temporary
// folder while the test runs. Mounting needs root; without it, reason says why there is none
// and the test skips itself.

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <string>

struct SmallDisk {
    QTemporaryDir dir;
    bool mounted = false;
    std::string reason;

    SmallDisk() {
        if (::geteuid() != 0) {
            reason = "mounting a small file system needs root";
            return;
        }
        const QByteArray path = QFile::encodeName(dir.path());
        mounted = ::mount("tmpfs", path.constData(), "tmpfs", 0, "size=64k,mode=0700") == 0;
        if (!mounted) reason = std::string("tmpfs could not be mounted: ") + std::strerror(errno);
    }
    ~SmallDisk() {
        if (mounted) ::umount2(QFile::encodeName(dir.path()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    QString Path(const QString& name) const { return dir.filePath(name); }

    // Writes zeros into a file of its own until not one more byte fits; true when it did.
    bool Fill() const {
        const QByteArray path = QFile::encodeName(Path(QStringLiteral("filler")));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        if (fd < 0) return false;
        static const char zeros[4096] = {};
        for (std::size_t chunk = sizeof zeros; chunk > 0; chunk /= 2) {
            while (::write(fd, zeros, chunk) == static_cast<ssize_t>(chunk)) {
            }
        }
        const bool full = ::write(fd, zeros, 1) < 0 && errno == ENOSPC;
        ::close(fd);
        return full;
    }
};
