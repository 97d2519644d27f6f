// Every DXCC entity's flag picture is in the program's resources and is a
// picture the view can show; the older pictures of the prefix table are the
// ones the entities of that table keep.
#include "country/DxccEntities.h"
#include "mainwin/CountryTable.h"
#include "widgets/JpegDecoder.h"

#include <QFile>
#include <QSet>
#include <QtTest>

using namespace country;

class TestDxccFlags : public QObject
{
    Q_OBJECT
private slots:
    void everyEntityHasItsPicture();
    void olderPicturesKept();
};

void TestDxccFlags::everyEntityHasItsPicture()
{
    int withFlag = 0;
    for (int i = 0; i < dxccEntityCount(); ++i) {
        const int dxcc = dxccEntityAt(i).dxcc;
        const QString path = dxccFlagResource(dxcc);
        if (path.isEmpty())
            continue;
        QFile f(path);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path));
        QVERIFY2(!decodeJpeg(f.readAll()).isNull(), qPrintable(path));
        ++withFlag;
    }
    QCOMPARE(withFlag, 336);
}

void TestDxccFlags::olderPicturesKept()
{
    // The files the prefix table shows are among the entities' pictures.
    QSet<QString> entityFlags;
    for (int i = 0; i < dxccEntityCount(); ++i)
        entityFlags.insert(dxccFlagResource(dxccEntityAt(i).dxcc));
    QStringList unused;
    for (int n = 2; n <= kLastPicture; ++n)
        if (isFlagPicture(n) && !entityFlags.contains(flagResourcePath(n)))
            unused << flagResourcePath(n);
    QCOMPARE(unused, QStringList());
}

QTEST_MAIN(TestDxccFlags)
#include "tst_dxccflags.moc"
