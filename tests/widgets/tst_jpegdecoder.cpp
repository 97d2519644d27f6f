// Decoding of the JPEG pictures with libjpeg: colour spaces, the pictures we
// ship, and inputs that are empty, foreign, cut short or corrupt.
#include "mainwin/CountryTable.h"
#include "widgets/JpegDecoder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

namespace
{

using PixelFn = std::function<void(int x, int y, JSAMPLE* out)>;

// Encodes a test picture with libjpeg's compressor at quality 100. `input` is
// the colour space of the samples handed over, `stored` the one written to
// the file; `adobe` decides whether the Adobe marker is written.
QByteArray encode(int width, int height, int components, J_COLOR_SPACE input, J_COLOR_SPACE stored,
                  bool adobe, const PixelFn& pixel)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = input;
    jpeg_set_defaults(&cinfo);
    jpeg_set_colorspace(&cinfo, stored);
    jpeg_set_quality(&cinfo, 100, TRUE);
    cinfo.write_Adobe_marker = adobe ? TRUE : FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(std::size_t(width * components));
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int x = 0; x < width; ++x)
            pixel(x, int(cinfo.next_scanline), row.data() + x * components);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray result(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return result;
}

// A 32 x 16 RGB picture, left half one colour, right half another.
QByteArray twoColourRgb(QRgb left, QRgb right)
{
    return encode(32, 16, 3, JCS_RGB, JCS_YCbCr, false, [=](int x, int, JSAMPLE* out) {
        const QRgb c = x < 16 ? left : right;
        out[0] = JSAMPLE(qRed(c));
        out[1] = JSAMPLE(qGreen(c));
        out[2] = JSAMPLE(qBlue(c));
    });
}

bool near(QRgb actual, QRgb expected, int tolerance = 8)
{
    return qAbs(qRed(actual) - qRed(expected)) <= tolerance &&
           qAbs(qGreen(actual) - qGreen(expected)) <= tolerance &&
           qAbs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

QString describe(QRgb c)
{
    return QStringLiteral("(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
}

QByteArray readResource(const QString& path)
{
    initPictureResources();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace

class TestJpegDecoder : public QObject
{
    Q_OBJECT
private slots:
    void shippedFlags_data();
    void shippedFlags();
    void colourSpaces_data();
    void colourSpaces();
    void failures_data();
    void failures();
    void everyTruncationIsHandled();
    void truncatedImageDataGivesPartialPicture();
    void pixmapLoading();
};

void TestJpegDecoder::shippedFlags_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRgb>("colour");
    // Stripe flags at a point well inside a stripe, with the colours of their drawings.
    QTest::newRow("austria red") << ":/flags/austria.jpg" << QPoint(60, 6) << qRgb(223, 0, 0);
    QTest::newRow("austria white")
        << ":/flags/austria.jpg" << QPoint(60, 30) << qRgb(255, 255, 255);
    QTest::newRow("germany black") << ":/flags/germany.jpg" << QPoint(60, 8) << qRgb(0, 0, 0);
    QTest::newRow("germany gold") << ":/flags/germany.jpg" << QPoint(60, 52) << qRgb(255, 230, 0);
    QTest::newRow("ukraine blue") << ":/flags/ukraine.jpg" << QPoint(60, 12) << qRgb(38, 140, 255);
    QTest::newRow("ukraine yellow")
        << ":/flags/ukraine.jpg" << QPoint(60, 48) << qRgb(255, 255, 11);
}

void TestJpegDecoder::shippedFlags()
{
    QFETCH(QString, path);
    QFETCH(QPoint, at);
    QFETCH(QRgb, colour);
    const QByteArray data = readResource(path);
    QVERIFY2(!data.isEmpty(), qPrintable(path));
    QString error;
    const QImage image = decodeJpeg(data, &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QVERIFY(error.isEmpty());
    QCOMPARE(image.size(), QSize(120, 60));
    QCOMPARE(image.format(), QImage::Format_RGB32);
    const QRgb actual = image.pixel(at);
    QVERIFY2(near(actual, colour, 24), qPrintable(describe(actual)));
    QCOMPARE(qAlpha(actual), 255);
}

void TestJpegDecoder::colourSpaces_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QRgb>("left");
    QTest::addColumn<QRgb>("right");

    QTest::newRow("ycbcr") << twoColourRgb(qRgb(200, 30, 40), qRgb(20, 90, 220))
                           << qRgb(200, 30, 40) << qRgb(20, 90, 220);

    QTest::newRow("grayscale") << encode(
                                      32, 16, 1, JCS_GRAYSCALE, JCS_GRAYSCALE, false,
                                      [](int x, int, JSAMPLE* out) { out[0] = x < 16 ? 40 : 210; })
                               << qRgb(40, 40, 40) << qRgb(210, 210, 210);

    // Adobe CMYK stores the inverted ink values: 255 means no ink. Left is
    // red (magenta + yellow), right a dark blue (cyan + magenta, some black).
    auto adobeInk = [](int x, int, JSAMPLE* out) {
        const int ink[2][4] = {{0, 255, 255, 0}, {255, 255, 0, 100}};
        for (int i = 0; i < 4; ++i)
            out[i] = JSAMPLE(255 - ink[x < 16 ? 0 : 1][i]);
    };
    const QRgb darkBlue = qRgb(0, 0, 155);
    QTest::newRow("adobe cmyk") << encode(32, 16, 4, JCS_CMYK, JCS_CMYK, true, adobeInk)
                                << qRgb(255, 0, 0) << darkBlue;
    QTest::newRow("adobe ycck") << encode(32, 16, 4, JCS_CMYK, JCS_YCCK, true, adobeInk)
                                << qRgb(255, 0, 0) << darkBlue;

    // Without the Adobe marker CMYK values are taken as plain ink amounts.
    QTest::newRow("plain cmyk")
        << encode(32, 16, 4, JCS_CMYK, JCS_CMYK, false,
                  [](int x, int, JSAMPLE* out) {
                      const int ink[2][4] = {{0, 255, 255, 0}, {255, 255, 0, 100}};
                      for (int i = 0; i < 4; ++i)
                          out[i] = JSAMPLE(ink[x < 16 ? 0 : 1][i]);
                  })
        << qRgb(255, 0, 0) << darkBlue;
}

void TestJpegDecoder::colourSpaces()
{
    QFETCH(QByteArray, data);
    QFETCH(QRgb, left);
    QFETCH(QRgb, right);
    QString error = QStringLiteral("stale");
    const QImage image = decodeJpeg(data, &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QVERIFY(error.isEmpty());
    QCOMPARE(image.size(), QSize(32, 16));
    QCOMPARE(image.format(), QImage::Format_RGB32);
    for (int y : {2, 8, 13}) {
        QVERIFY2(near(image.pixel(6, y), left), qPrintable(describe(image.pixel(6, y))));
        QVERIFY2(near(image.pixel(26, y), right), qPrintable(describe(image.pixel(26, y))));
        QCOMPARE(qAlpha(image.pixel(26, y)), 255);
    }
}

void TestJpegDecoder::failures_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("reason");

    const QByteArray valid = twoColourRgb(qRgb(255, 0, 0), qRgb(0, 0, 255));

    QTest::newRow("empty") << QByteArray() << "empty";
    QTest::newRow("text") << QByteArray("ADIF export\r\n<eoh>\r\n") << "Not a JPEG file";
    QTest::newRow("png signature") << QByteArray("\x89PNG\r\n\x1a\n", 8) << "Not a JPEG file";
    QTest::newRow("start marker only") << QByteArray("\xff\xd8", 2) << "no image";
    QTest::newRow("cut in the header") << valid.left(40) << "no image";
    const qsizetype sof = valid.indexOf(QByteArray("\xff\xc0", 2));
    QVERIFY(sof > 0);
    // Frame header: marker, length (2), precision, height (2), width (2), components.
    QByteArray precision = valid;
    precision[sof + 4] = char(12);
    QTest::newRow("12-bit samples") << precision << "precision";
    QByteArray noWidth = valid;
    noWidth[sof + 7] = noWidth[sof + 8] = char(0);
    QTest::newRow("zero width") << noWidth << "Empty JPEG image";
    QByteArray components = valid;
    components[sof + 9] = char(2);
    QTest::newRow("two components") << components << "JPEG decoding failed";

    // A header that claims a picture of 60000 x 60000 pixels.
    QByteArray huge = valid;
    for (int i : {5, 7}) { // height, then width
        huge[sof + i] = char(0xea);
        huge[sof + i + 1] = char(0x60);
    }
    QTest::newRow("too large") << huge << "too large";
}

void TestJpegDecoder::failures()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, reason);
    QString error;
    const QImage image = decodeJpeg(data, &error);
    QVERIFY(image.isNull());
    QVERIFY2(error.contains(reason, Qt::CaseInsensitive), qPrintable(error));
    // Without an error text the failure is still just a null image.
    QVERIFY(decodeJpeg(data).isNull());
}

void TestJpegDecoder::everyTruncationIsHandled()
{
    // Any prefix of a valid file either fails with a reason or gives a
    // picture of the full size; libjpeg's own handler would end the process.
    const QByteArray valid = twoColourRgb(qRgb(10, 200, 10), qRgb(240, 240, 10));
    int pictures = 0;
    for (qsizetype n = 0; n <= valid.size(); ++n) {
        QString error;
        const QImage image = decodeJpeg(QByteArrayView(valid).first(n), &error);
        if (image.isNull()) {
            QVERIFY2(!error.isEmpty(), qPrintable(QString::number(n)));
        } else {
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QCOMPARE(image.size(), QSize(32, 16));
            ++pictures;
        }
    }
    QVERIFY(pictures > 0);
    QVERIFY(pictures < valid.size());
}

void TestJpegDecoder::truncatedImageDataGivesPartialPicture()
{
    const QByteArray full = readResource(QStringLiteral(":/flags/austria.jpg"));
    QVERIFY(!full.isEmpty());
    const qsizetype scan = full.indexOf(QByteArray("\xff\xda", 2));
    QVERIFY(scan > 0);
    // Cut inside the compressed data, about a quarter past its start.
    const QByteArray cut = full.left(scan + (full.size() - scan) / 4);
    QString error;
    const QImage image = decodeJpeg(cut, &error);
    QVERIFY2(!image.isNull(), qPrintable(error));
    QVERIFY(error.isEmpty());
    QCOMPARE(image.size(), QSize(120, 60));
    // The rows decoded before the cut are intact.
    QVERIFY2(near(image.pixel(60, 4), qRgb(223, 0, 0), 24),
             qPrintable(describe(image.pixel(60, 4))));
    // The rest is filled in, not the red of the lower stripe.
    QVERIFY(!near(image.pixel(60, 56), qRgb(223, 0, 0), 40));
}

void TestJpegDecoder::pixmapLoading()
{
    QString error = QStringLiteral("stale");
    const QPixmap flag = loadJpegPixmap(QStringLiteral(":/flags/canada.jpg"), &error);
    QVERIFY2(!flag.isNull(), qPrintable(error));
    QVERIFY(error.isEmpty());
    QCOMPARE(flag.size(), QSize(120, 60));
    // The second request comes from the cache: the very same pixmap.
    QCOMPARE(loadJpegPixmap(QStringLiteral(":/flags/canada.jpg")).cacheKey(), flag.cacheKey());

    const QPixmap picture = loadJpegPixmap(QStringLiteral(":/pictures/eqsl-config.jpg"), &error);
    QVERIFY2(!picture.isNull(), qPrintable(error));
    QCOMPARE(picture.size(), QSize(73, 105));

    const QString missing = QStringLiteral(":/flags/atlantis.jpg");
    QVERIFY(loadJpegPixmap(missing, &error).isNull());
    QVERIFY2(error.contains(missing), qPrintable(error));

    // A file that is no JPEG, then the same path once it holds one: failures
    // are not cached.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("picture.jpg"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("GIF89a");
    }
    QVERIFY(loadJpegPixmap(path, &error).isNull());
    QVERIFY2(error.contains(path) && error.contains(QStringLiteral("Not a JPEG")),
             qPrintable(error));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(twoColourRgb(qRgb(0, 0, 0), qRgb(255, 255, 255)));
    }
    const QPixmap written = loadJpegPixmap(path, &error);
    QVERIFY2(!written.isNull(), qPrintable(error));
    QCOMPARE(written.size(), QSize(32, 16));
}

QTEST_MAIN(TestJpegDecoder)
#include "tst_jpegdecoder.moc"
