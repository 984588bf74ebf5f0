#pragma once
// Writing a whole file so that a failure never costs what it held before: the one way the
// program saves diagrams, the settings file and pictures.

#include <QByteArray>
#include <QString>

class QImage;

// Makes bytes the content of path, following symbolic links to the file they name (the links
// stay links). True once every write, the flush to the disk and the close have succeeded; when
// false, the file is exactly as it was, or still missing. Anything but a regular file (a folder,
// a pipe, a device) is refused, as is a file this user may not write.
//
// Usually the new content goes to a temporary file in the same folder, given the old file's
// mode, owner and group, and renamed over the old file once it is complete on the disk. The file
// is written in place instead when it has several hard links (each of them keeps seeing it),
// when its owner or group cannot be given to the temporary file, and when no temporary file can
// be made in its folder: the new length is reserved first, so that a full disk is found before
// anything is overwritten, and the old bytes are written back should a write fail all the same.
bool WriteFileSafely(const QString& path, const QByteArray& bytes);

// image encoded in format ("BMP", "PNG") and written as above; false as well when it cannot be
// encoded.
bool WriteImageSafely(const QImage& image, const QString& path, const char* format);
