#include "widgets/JpegDecoder.h"

#include <QFile>
#include <QPixmapCache>

#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <jpeglib.h>

namespace
{

// Pictures beyond this many pixels are refused instead of allocated: a broken
// or hostile header can claim up to 65500 x 65500 pixels.
constexpr qint64 kMaxPixels = 32 * 1024 * 1024;

// libjpeg's default error handler prints and calls exit(). Ours formats the
// message and jumps back to the decoding function instead; warnings (corrupt
// or missing data libjpeg can work around) are only counted, in num_warnings.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void onFatalError(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void onMessage(j_common_ptr)
{
    // Keep libjpeg quiet on stderr; the warning count is what matters.
}

// Everything the decoding function touches lives here, outside the frame of
// the function that calls setjmp, so nothing it changes is lost by the jump.
struct DecodeJob {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    const unsigned char* data = nullptr;
    unsigned long size = 0;
    QImage* image = nullptr;
    const char* failure = nullptr; // our own reason, when libjpeg had none
};

// Kept out of line so the QImage temporaries live and die in this frame and
// never in the frame of runDecode.
bool allocateImage(QImage* image, int width, int height)
{
    *image = QImage(width, height, QImage::Format_RGB32);
    return !image->isNull();
}

QRgb cmykToRgb(const JSAMPLE* p, bool inverted)
{
    // Adobe writes CMYK inverted (0 = full ink); plain CMYK has 255 = full ink.
    int c = p[0], m = p[1], y = p[2], k = p[3];
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    return qRgb((c * k + 127) / 255, (m * k + 127) / 255, (y * k + 127) / 255);
}

void convertCmykRow(const JSAMPLE* in, QRgb* out, int width, bool inverted)
{
    for (int x = 0; x < width; ++x)
        out[x] = cmykToRgb(in + 4 * x, inverted);
}

// The one function that calls setjmp. It holds no objects with destructors,
// only pointers into the job.
bool runDecode(DecodeJob* job)
{
    jpeg_decompress_struct* cinfo = &job->cinfo;
    cinfo->err = jpeg_std_error(&job->err.pub);
    job->err.pub.error_exit = onFatalError;
    job->err.pub.output_message = onMessage;
    job->err.message[0] = '\0';

    if (setjmp(job->err.jump)) {
        jpeg_destroy_decompress(cinfo);
        return false;
    }

    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, job->data, job->size);
    jpeg_read_header(cinfo, TRUE);

    const bool cmyk = cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK;
    if (cmyk) {
        cinfo->out_color_space = JCS_CMYK;
    } else {
        // libjpeg-turbo writes straight into QImage's 32-bit layout, 0xffRRGGBB
        // in native byte order; grayscale is expanded to it as well.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
        cinfo->out_color_space = JCS_EXT_BGRX;
#else
        cinfo->out_color_space = JCS_EXT_XRGB;
#endif
    }

    jpeg_calc_output_dimensions(cinfo);
    const int width = int(cinfo->output_width);
    const int height = int(cinfo->output_height);
    if (qint64(width) * height > kMaxPixels) {
        job->failure = "picture too large";
        jpeg_destroy_decompress(cinfo);
        return false;
    }

    jpeg_start_decompress(cinfo);
    if (!allocateImage(job->image, width, height)) {
        job->failure = "not enough memory for the picture";
        jpeg_destroy_decompress(cinfo);
        return false;
    }

    JSAMPARRAY cmykRow = nullptr;
    if (cmyk) // freed by libjpeg together with the decompressor
        cmykRow = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                              JDIMENSION(width) * 4, 1);
    const bool inverted = cinfo->saw_Adobe_marker;

    bool complete = true;
    while (cinfo->output_scanline < cinfo->output_height) {
        const int y = int(cinfo->output_scanline);
        auto* line = reinterpret_cast<QRgb*>(job->image->scanLine(y));
        JSAMPROW target = cmyk ? cmykRow[0] : reinterpret_cast<JSAMPROW>(line);
        if (jpeg_read_scanlines(cinfo, &target, 1) != 1) {
            // The memory source never suspends; this only guards the loop.
            complete = false;
            break;
        }
        if (cmyk)
            convertCmykRow(cmykRow[0], line, width, inverted);
    }

    if (complete)
        jpeg_finish_decompress(cinfo);
    jpeg_destroy_decompress(cinfo);
    return true;
}

} // namespace

QImage decodeJpeg(QByteArrayView data, QString* error)
{
    if (error)
        error->clear();
    if (data.isEmpty()) {
        if (error)
            *error = QStringLiteral("JPEG data is empty");
        return {};
    }

    QImage image;
    DecodeJob job;
    std::memset(&job.cinfo, 0, sizeof job.cinfo);
    std::memset(&job.err, 0, sizeof job.err);
    job.data = reinterpret_cast<const unsigned char*>(data.data());
    job.size = static_cast<unsigned long>(data.size());
    job.image = &image;

    if (!runDecode(&job)) {
        if (error) {
            const char* reason = job.failure ? job.failure : job.err.message;
            *error = QStringLiteral("JPEG decoding failed: %1").arg(QString::fromLocal8Bit(reason));
        }
        return {};
    }
    return image;
}

QPixmap loadJpegPixmap(const QString& resourcePath, QString* error)
{
    if (error)
        error->clear();
    const QString key = QStringLiteral("vosmira-jpeg:") + resourcePath;
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;

    QFile file(resourcePath);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(resourcePath, file.errorString());
        return {};
    }
    const QByteArray bytes = file.readAll();
    QString why;
    const QImage image = decodeJpeg(bytes, &why);
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(resourcePath, why);
        return {};
    }
    pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}
