#pragma once
// PNG files of the program's pictures. A picture of at most 256 colours, as the canvas draws
// them, is written with a palette of as few bits a pixel as its colours need and compressed
// quickly: the largest canvas's picture takes a few milliseconds, where a general encoder takes
// tens. A picture of more colours (a smooth one) goes through Qt's PNG writer.

#include <QByteArray>

class QImage;

// The PNG file of image; empty when it cannot be encoded (a null image).
QByteArray EncodePng(const QImage& image);
