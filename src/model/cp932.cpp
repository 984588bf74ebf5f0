#include "model/cp932.h"

#include <iconv.h>
#include <cerrno>

namespace {

bool IsAscii(QStringView text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80) return false;
    return true;
}

bool IsAscii(const char* bytes, qsizetype length) {
    for (qsizetype i = 0; i < length; ++i)
        if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
    return true;
}

// One iconv descriptor per direction, opened on first use and reset before every conversion.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns false at the first unconvertible input sequence and
    // leaves in/inLeft pointing at it.
    bool Convert(char*& in, size_t& inLeft, QByteArray& out) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            char buf[256];
            char* o = buf;
            size_t oLeft = sizeof buf;
            const size_t r = iconv(cd_, &in, &inLeft, &o, &oLeft);
            out.append(buf, static_cast<qsizetype>(o - buf));
            if (r == static_cast<size_t>(-1) && errno != E2BIG) return false;
        }
        char buf[16];
        char* o = buf;
        size_t oLeft = sizeof buf;
        iconv(cd_, nullptr, nullptr, &o, &oLeft);
        out.append(buf, static_cast<qsizetype>(o - buf));
        return true;
    }

private:
    iconv_t cd_;
};

Converter& ToCodePage() {
    thread_local Converter c("CP932", "UTF-16LE");
    return c;
}

Converter& FromCodePage() {
    thread_local Converter c("UTF-16LE", "CP932");
    return c;
}

QString Utf16(const QByteArray& le) {
    return QString(reinterpret_cast<const QChar*>(le.constData()), le.size() / 2);
}

}  // namespace

QByteArray ToCp932(QStringView text) {
    if (IsAscii(text)) {
        QByteArray out;
        out.resize(text.size());
        for (qsizetype i = 0; i < text.size(); ++i) out[i] = static_cast<char>(text[i].unicode());
        return out;
    }
    QByteArray out;
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text.utf16()));
    size_t inLeft = static_cast<size_t>(text.size()) * 2;
    while (!ToCodePage().Convert(in, inLeft, out)) {
        // Skip the character the code page lacks (a surrogate pair counts as one).
        const char16_t c = static_cast<char16_t>(static_cast<unsigned char>(in[0]) |
                                                 (static_cast<unsigned char>(in[1]) << 8));
        const size_t skip = (QChar::isHighSurrogate(c) && inLeft >= 4) ? 4 : 2;
        in += skip;
        inLeft -= skip;
        out.append('?');
    }
    return out;
}

QString FromCp932(const char* bytes, qsizetype length) {
    if (IsAscii(bytes, length)) return QString::fromLatin1(bytes, length);
    QByteArray out;
    char* in = const_cast<char*>(bytes);
    size_t inLeft = static_cast<size_t>(length);
    while (!FromCodePage().Convert(in, inLeft, out)) {
        // An invalid or cut-off byte sequence: replace one byte and go on.
        ++in;
        --inLeft;
        out.append("\xFD\xFF", 2);
    }
    return Utf16(out);
}

int TextWidthUnits(QStringView text) {
    int units = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            ++units;
            continue;
        }
        const QByteArray bytes = ToCp932(text.mid(i, 1));
        units += bytes.size() == 2 ? 2 : 1;
    }
    return units;
}
