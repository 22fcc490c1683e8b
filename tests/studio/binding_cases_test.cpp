// Script-visible results of the image, file, sqlite and utils bindings, as a
// table of small scripts run through the manager on pictures and files made here.
#include <QBuffer>
#include <QColor>
#include <QTcpServer>
#include <QTcpSocket>
#include <QDir>
#include <QFont>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QScriptEngine>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <memory>

#include "script_harness.h"
#include "tavix_mgr.h"

using vantor::TavixMgr;
using vantor::test::evaluate;

namespace {

struct ScriptCase {
    const char* name;
    const char* script;
    const char* expected;
};

// a.png: 40 x 30 red with a blue 5 x 5 square at (10, 8); b.png: 40 x 30 green;
// three.bin: the bytes 65, 0, 10; zero.txt: "ab", a zero byte, "cd".
class BindingCases : public ::testing::TestWithParam<ScriptCase> {
public:
    static void SetUpTestSuite()
    {
        folder = std::make_unique<QTemporaryDir>();
        QImage a(40, 30, QImage::Format_ARGB32);
        a.fill(QColor(255, 0, 0));
        QPainter(&a).fillRect(10, 8, 5, 5, QColor(0, 0, 255));
        a.save(folder->filePath("a.png"));
        QImage b(40, 30, QImage::Format_ARGB32);
        b.fill(QColor(0, 255, 0));
        b.save(folder->filePath("b.png"));
        writeFile("three.bin", QByteArray("A\x00\x0a", 3));
        writeFile("zero.txt", QByteArray("ab\0cd", 5));
        QDir(folder->path()).mkdir("empty");
        QDir(folder->path()).mkdir("listed");
        writeFile("listed/b.txt", "b");
        writeFile("listed/A.txt", "a");
        QDir(folder->path()).mkdir("listed/c");
        TavixMgr::instance()->engine()->globalObject().setProperty("dir", folder->path());
    }
    static void TearDownTestSuite() { folder.reset(); }

    static void writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(folder->filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    static std::unique_ptr<QTemporaryDir> folder;
};

std::unique_ptr<QTemporaryDir> BindingCases::folder;

TEST_P(BindingCases, GiveTheScriptVisibleResult)
{
    EXPECT_EQ(evaluate(QString::fromUtf8(GetParam().script)), QString::fromUtf8(GetParam().expected))
        << GetParam().script;
}

const ScriptCase kCases[] = {
    {"ImageReadOfAMissingFileGivesAHandleWithoutPicture",
     "var h = image.read(dir + '/none.png'); [typeof h, h === null, image.toBase64(h), "
     "image.pixel(h, 0, 0), image.toBytes(h), image.save(h, dir + '/x.png', 'PNG', -1)].join()",
     "object,false,false,0,0,false"},
    {"OperationsOnAHandleWithoutPictureGiveTheNullHandle",
     "var h = image.read(dir + '/none.png'); [image.grayscale(h), image.clip(h, 0, 0, 1, 1), "
     "image.copy(h), image.resize(h, 2, 2), image.concat(h, h, 5), "
     "typeof image.findColor(h, '#ff0000'), image.pixel(image.grayscale(h), 0, 0)].map(String).join()",
     "null,null,null,null,null,undefined,0"},
    {"PixelIsUnsignedArgb", "image.pixel(image.read(dir + '/a.png'), 0, 0)", "4294901760"},
    {"GrayscaleResultsShareTheEngineRecordWhileCopiesKeepTheirPicture",
     "var a = image.read(dir + '/a.png'), b = image.read(dir + '/b.png');"
     "var g1 = image.grayscale(a); var kept = image.copy(g1); var g2 = image.grayscale(b);"
     "var p1 = image.pixel(g1, 0, 0), p2 = image.pixel(g2, 0, 0);"
     "var grayB = image.pixel(image.grayscale(image.copy(b)), 0, 0);"
     "var grayA = image.pixel(image.grayscale(image.copy(a)), 0, 0);"
     "[p1 == p2, p1 == grayB, image.pixel(kept, 0, 0) == grayA, grayA != grayB].join()",
     "true,true,true,true"},
    // Every image call first puts its argument into the engine's record, so
    // even reading a pixel of another handle changes what shared handles show.
    {"ReadingAnotherHandleChangesTheSharedHandle",
     "var a = image.read(dir + '/a.png'), b = image.read(dir + '/b.png');"
     "var g = image.grayscale(a); image.pixel(b, 0, 0); image.pixel(g, 0, 0)",
     "4278255360"},
    {"ClipChangesTheGivenHandleAndReturnsIt",
     "var h = image.read(dir + '/a.png'); var r = image.clip(h, 10, 8, 5, 5);"
     "[image.pixel(h, 0, 0), image.pixel(r, 4, 4)].join()",
     "4278190335,4278190335"},
    {"FindColorSearchesTheWholePictureByDefault",
     "JSON.stringify(image.findColor(image.read(dir + '/a.png'), '#0000ff'))", "{\"x\":10,\"y\":8}"},
    {"ImageReadsARectangleAsTwoCorners",
     "JSON.stringify(image.findColor(image.read(dir + '/a.png'), '#0000ff', 16, image.rect(12, 9, 40, 30)))",
     "{\"x\":12,\"y\":9}"},
    {"ARectangleBeyondThePictureIsNotSearched",
     "typeof image.findColor(image.read(dir + '/a.png'), '#ff0000', 16, image.rect(0, 0, 41, 0))",
     "undefined"},
    {"AColourThatIsNotThereGivesUndefined",
     "typeof image.findColorEquals(image.read(dir + '/b.png'), '#0000ff')", "undefined"},
    {"RectBuildsCornerObjects", "JSON.stringify(image.rect(1, 2, 3, 4))",
     "{\"topLeft\":{\"x\":1,\"y\":2},\"bottomRight\":{\"x\":3,\"y\":4}}"},
    {"FindImageUsesTheDefaultsAndHonoursTheRectangle",
     "var a = image.read(dir + '/a.png'); var t = image.clip(image.copy(a), 8, 6, 9, 9);"
     "[typeof image.findImage(a, t), typeof image.findImage(a, t, 0.9, image.rect(20, 0, 40, 30))].join()",
     "object,undefined"},
    {"ToBytesGivesSignedBytesWithLengthAndSize",
     "var t = image.toBytes(image.read(dir + '/a.png'));"
     "[t[0], t[1], t[2], t[3], t.length == t['size()'], t.length > 50].join()",
     "-119,80,78,71,true,true"},
    {"FromBytesTakesNumbersBooleansAndStrings",
     "var t = image.toBytes(image.read(dir + '/a.png')); var arr = [t[0], 'PNG', null, {}];"
     "for (var i = 4; i < t.length; ++i) arr.push(t[i] === 0 ? false : t[i] === 1 ? true : t[i]);"
     "image.pixel(image.fromBytes(arr), 12, 10)",
     "4278190335"},
    {"FromBytesOfNoPictureGivesTheNullHandle", "image.fromBytes([1, 2, 3, 'abc'])", "null"},
    {"ToBase64DefaultsToPng",
     "var s = image.toBase64(image.read(dir + '/a.png')); s.substr(0, 8) + ',' + "
     "image.pixel(image.fromBase64(s), 0, 0)",
     "iVBORw0K,4294901760"},
    {"TheSharedHandleMayBeTheSecondInput",
     "var a = image.read(dir + '/a.png'); var g = image.grayscale(image.read(dir + '/b.png'));"
     "var c = image.concat(a, g, 5); [image.pixel(c, 0, 0), image.pixel(c, 45, 0) == "
     "image.pixel(image.grayscale(image.read(dir + '/b.png')), 0, 0)].join()",
     "4294901760,true"},
    {"ShortFormsTakeTheirDefaults",
     "var a = image.read(dir + '/a.png');"
     "[image.resize(a, 20, 15) !== null, image.scale(a, 20, 15) !== null,"
     " image.gaussianBlur(a, 3, 3) !== null, image.grayscale(a) !== null,"
     " image.findImage(a, image.clip(image.copy(a), 8, 6, 9, 9)) !== undefined].join()",
     "true,true,true,true,true"},
    {"FromBase64OfGarbageGivesTheNullHandle", "image.fromBase64('data:image/png;base64,@@@')", "null"},
    {"ConcatOfHandlesWorksInPlace",
     "var a = image.read(dir + '/a.png'), b = image.read(dir + '/b.png'); var c = image.concat(a, b, 5);"
     "[image.pixel(a, 0, 0), image.pixel(c, 45, 0), image.pixel(b, 0, 0)].join()",
     "4294901760,4278255360,4278255360"},
    {"AppendBytesKeepsTheLowEightBits",
     "var p = dir + '/bytes.bin'; file.remove(p); file.appendBytes(p, [65, 66, 300]) + ',' + "
     "file.appendBytes(p, [2.9, -191, 70065, 'x']) + ',' + file.readBytes(p).join(' ')",
     "true,true,65 66 44 2 65 0 0"},
    {"ReadBytesTakesExactlyTheFileSize", "file.readBytes(dir + '/three.bin').join(' ')", "65 0 10"},
    {"ReadBytesOfAMissingFileIsEmpty",
     "var r = file.readBytes(dir + '/none.bin'); [Array.isArray(r), r.length].join()", "true,0"},
    {"ReadStopsAtAZeroByteAndDefaultsToUtf8",
     "[file.read(dir + '/zero.txt'), file.read(dir + '/zero.txt', 'UTF-8'), file.read(dir + '/none')].join()",
     "ab,ab,"},
    {"WriteAndReadKeepNonAsciiText",
     "var p = dir + '/text.txt'; file.write(p, 'h\u00e9llo \u4e16\u754c\\nline2') + ',' + file.read(p) + ',' + "
     "file.readLineByNum(p, 2)",
     "true,h\u00e9llo \u4e16\u754c\nline2,line2"},
    {"ListDirGivesSortedNames",
     "[file.listDir(dir + '/listed').join('|'), file.listDirCount(dir + '/listed'), "
     "file.listDir(dir + '/empty').length, file.listDir(dir + '/none').length].join()",
     "A.txt|b.txt|c,3,0,0"},
    {"HugeSparseByteArraysAreRefused",
     "var a = []; a.length = 4000000000; file.appendBytes(dir + '/huge.bin', a) + ',' + file.exists(dir + '/huge.bin')",
     "false,false"},
    {"ByteToHexTakesAnArrayOfByteValues",
     "[utils.byteToHex([1, 2, 3], 3), utils.byteToHex([10, 255], 2), utils.byteToHex([1, 2, 3], 10),"
     " utils.byteToHex([1, 2, 3], 0), utils.byteToHex('AB', 2)].join()",
     "010203,0aff,010203,,4142"},
    {"Base64EncodesAllUtf8Bytes", "utils.encodeBase64('\u00e4') + ',' + utils.decodeBase64('w6Q=')",
     "w6Q=,\u00e4"},
    {"HexToByteDecodesUtf8", "utils.hexToByte('414243')", "ABC"},
    {"CreateQRCodeWithoutLogoDecodesBack",
     "utils.decodeQRCode(utils.createQRCode('hello \u00e4', 200))", "hello \u00e4"},
    {"CreateQRCodeWithALogoHandle",
     "utils.decodeQRCode(utils.createQRCode('with logo', 300, image.read(dir + '/a.png')))", "with logo"},
    {"CreateQRCodeToAFile",
     "var q = utils.createQRCode('to file', 200, dir + '/qr.png'); "
     "[utils.decodeQRCode(dir + '/qr.png'), utils.decodeQRCode(q)].join()",
     "to file,to file"},
    {"ATextTooLongForAQRCodeGivesTheNullHandle",
     "utils.createQRCode(new Array(5000).join('x'), 200)", "null"},
    {"ZipReturnsTheEngineFlagAndUnzipAlwaysOne",
     "[utils.zipFile(dir + '/none.txt', dir + '/none.zip'), utils.zipFile(dir + '/a.png', dir + '/a.zip'),"
     " utils.unZip(dir + '/none.zip', dir + '/none.out'), utils.unZip(dir + '/a.zip', dir + '/a-back.png'),"
     " image.pixel(image.read(dir + '/a-back.png'), 0, 0)].join()",
     "0,1,1,1,4294901760"},
    {"DecodeQRCodeOfTheNullHandleIsNull",
     "utils.decodeQRCode(image.grayscale(image.read(dir + '/none.png')))", "null"},

    {"DeviceAnswersWithTheTableTypes",
     "[device.baseOS(), device.board(), device.BootLoader(), device.getBrightness(), device.getBattery(),"
     " device.getMusicMaxVolume(), device.width(), device.height(), device.isCharging(), device.isScreenOn()]"
     ".map(function (v) { return typeof v; }).join()",
     "string,string,string,string,number,number,number,number,boolean,boolean"},
};

INSTANTIATE_TEST_SUITE_P(Bindings, BindingCases, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// image.load over a loopback HTTP server that answers every request with one PNG.
TEST(ImageLoad, FetchesAPictureOverHttpAndGivesTheNullHandleOnFailure)
{
    QImage picture(8, 6, QImage::Format_ARGB32);
    picture.fill(QColor(0, 0, 255));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [socket, png] {
            if (!socket->readAll().contains("\r\n\r\n"))
                return;
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: "
                          + QByteArray::number(png.size()) + "\r\nConnection: close\r\n\r\n" + png);
            socket->disconnectFromHost();
        });
    });
    const QString url = QString("http://127.0.0.1:%1/picture.png").arg(server.serverPort());
    EXPECT_EQ(evaluate("image.pixel(image.load('" + url + "'), 1, 1)"), "4278190335");
    EXPECT_EQ(evaluate("image.load('not a url')"), "null");
}

// Text recognition through the real OCR program, in its three forms.
TEST(OcrBinding, RecognisesAPictureGivenAsHandleBase64OrPath)
{
    QTemporaryDir dir;
    QImage picture(520, 120, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        QFont font("DejaVu Sans");
        font.setPixelSize(56);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(picture.rect(), Qt::AlignCenter, "TAVIX 42");
    }
    const QString path = dir.filePath("text.png");
    ASSERT_TRUE(picture.save(path));
    TavixMgr::instance()->engine()->globalObject().setProperty("textPicture", path);
    const QStringList results =
        evaluate("var h = image.read(textPicture);"
                 "[ocr.imgTextPath(textPicture), ocr.imgText(h), ocr.imgText(image.toBase64(h))].join('|')")
            .split('|');
    ASSERT_EQ(results.size(), 3);
    for (const QString& text : results)
        EXPECT_TRUE(text.contains("TAVIX 42")) << text.toStdString();
}

TEST(OcrBinding, AHandleWithoutPictureGivesEmptyTextWithoutRunningTheProgram)
{
    EXPECT_EQ(evaluate("var n = image.read('/no/such/picture.png');"
                       "'[' + ocr.imgText(n) + '][' + ocr.imgText(image.grayscale(n)) + ']'"),
              "[][]");
}

class SqliteBinding : public ::testing::Test {
protected:
    QStringList columnsOf(const QString& db, const QString& table)
    {
        QStringList columns;
        {
            QSqlDatabase check = QSqlDatabase::addDatabase("QSQLITE", "binding-check");
            check.setDatabaseName(db);
            EXPECT_TRUE(check.open());
            QSqlQuery query("PRAGMA table_info(" + table + ")", check);
            while (query.next())
                columns << query.value(1).toString() + " " + query.value(2).toString();
        }
        QSqlDatabase::removeDatabase("binding-check");
        return columns;
    }
    QTemporaryDir dir_;
};

TEST_F(SqliteBinding, CreateTableTakesOneColumnDefinitionPerElement)
{
    const QString db = dir_.filePath("t.db");
    EXPECT_EQ(evaluate("sqlite.creat('" + db + "') + ',' + sqlite.createTable('people', "
                       "['id', 'name']) + ',' + "
                       "sqlite.execSQL(\"INSERT INTO people (name) VALUES ('x')\") + ',' + sqlite.close()"),
              "true,true,true,true");
    EXPECT_EQ(columnsOf(db, "people"), (QStringList{"id TEXT", "name TEXT"}));
}

TEST_F(SqliteBinding, OverlongColumnsAreCutAndEmptyListsReachTheEngine)
{
    const QString db = dir_.filePath("u.db");
    EXPECT_EQ(evaluate("sqlite.creat('" + db + "'); var long = 'c'; while (long.length < 700) long += 'c';"
                       "[typeof sqlite.createTable('t', []), sqlite.createTable('w', [long, 'd']),"
                       " typeof sqlite.createTable('v', {length: 1e9}), sqlite.close()].join()"),
              "boolean,true,boolean,true");
    EXPECT_EQ(columnsOf(db, "w"), (QStringList{QString(511, 'c') + " TEXT", "d TEXT"}));
}

}  // namespace
