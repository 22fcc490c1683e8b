// Each demo run against a freshly prepared folder: exit code 0 and the lines
// and files that show each call worked.
#include <QClipboard>
#include <QColor>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QTextCodec>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include "demo_folder.h"
#include "demo_run.h"
#include "message_box_closer.h"

using namespace demos_test;

namespace {

std::string show(const DemoRun& run)
{
    return QStringLiteral("exit %1%2\n--- stdout\n%3--- stderr\n%4")
        .arg(run.exitCode)
        .arg(run.crashed ? " (crashed)" : "")
        .arg(run.out, run.err)
        .toStdString();
}

// The value printed after `label` on the first line that starts with it.
QString valueAfter(const DemoRun& run, const QString& label)
{
    for (const QString& line : run.lines())
        if (line.startsWith(label))
            return line.mid(label.size());
    return QStringLiteral("<no line starting with '%1'>").arg(label);
}

QString tool(const QString& program, const QStringList& arguments)
{
    const ToolResult result = runTool(program, arguments);
    return result.exitCode == 0 ? result.output : QStringLiteral("<%1 failed: %2>").arg(program, result.output);
}

QSet<QString> filesUnder(const QString& dir)
{
    QSet<QString> names;
    QDir base(dir);
    for (const QString& name : base.entryList(QDir::Files | QDir::NoDotAndDotDot))
        names << name;
    for (const QString& sub : base.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QString& name : filesUnder(base.filePath(sub)))
            names << sub + QLatin1Char('/') + name;
    return names;
}

class Demo : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.prepared()); }

    // Runs a demo directly, checking that it ended by itself with exit code 0.
    DemoRun run(const QString& demo)
    {
        DemoRun result = runner.run(demo);
        EXPECT_TRUE(result.ended) << demo.toStdString() << " did not end";
        EXPECT_EQ(result.exitCode, 0) << show(result);
        return result;
    }

    // Runs demos through the demos script, with its loopback HTTP server.
    DemoRun runWithServer(const QStringList& demos)
    {
        DemoRun result = runner.runProgram(
            QStringLiteral("python3"),
            QStringList{prepareScript(), QStringLiteral("--run"), QStringLiteral("--bin"), binDir(),
                        folder.path(), QStringLiteral("--only")} + demos);
        EXPECT_EQ(result.exitCode, 0) << show(result);
        return result;
    }

    DemoFolder folder;
    DemoRunner runner{folder.path()};
};

}  // namespace

TEST_F(Demo, imagedemo)
{
    const DemoRun result = runWithServer({QStringLiteral("imagedemo")});
    const QStringList lines = result.lines();
    EXPECT_TRUE(lines.contains("image--------------------------------------")) << show(result);
    EXPECT_EQ(lines.filter(QRegularExpression("^read image = ")),
              (QStringList{"read image = 1", "read image = 0"}));
    EXPECT_TRUE(lines.contains("detectsColor: found."));
    EXPECT_TRUE(lines.contains("findColor: x = 321, y = 234")) << show(result);
    // PNG signatures: "iVB" is the Base64 of 0x89 'P' 'N'.
    EXPECT_TRUE(lines.contains("image_toBase64:  i V B "));
    EXPECT_TRUE(lines.contains("image_toBytes:  0x89 0x50 0x4e "));
    // abc.png holds a block of #336699 around (100, 100).
    EXPECT_TRUE(result.out.contains("0xff336699 ---> red:51, green:102, blue:153")) << show(result);

    const QImage clip = folder.picture("image/creatclip.png");
    EXPECT_EQ(clip.size(), QSize(300, 300));
    EXPECT_EQ(clip.pixelColor(100, 100), QColor(0x33, 0x66, 0x99));
    const QImage source = folder.picture("image/whiteredsmall.png");
    for (const char* copy : {"image/createfromBase64.png", "image/createfromBytes.png"}) {
        const QImage picture = folder.picture(copy);
        EXPECT_EQ(picture.size(), source.size()) << copy;
        EXPECT_EQ(picture.pixelColor(5, 7), QColor(Qt::red)) << copy;
    }
    // The picture the script's server handed out is the image folder's logo.
    EXPECT_EQ(folder.picture("image/createulrimg.png").size(), folder.picture("image/logo.png").size());
    EXPECT_FALSE(folder.picture("image/creatconcatPath.png").isNull());
    EXPECT_FALSE(folder.picture("image/creatRotateimg .png").isNull());
    EXPECT_FALSE(folder.picture("image/creatScaleimg.png").isNull());
}

TEST_F(Demo, devicedemo)
{
    const DemoRun result = run("devicedemo");
    const ScreenSize screen = displaySize();
    ASSERT_GT(screen.width, 0);
    EXPECT_EQ(valueAfter(result, "H*W is "), QStringLiteral("%1*%2").arg(screen.height).arg(screen.width));
    EXPECT_EQ(valueAfter(result, "isScreenOn is "), "1");
    const QStringList labels = {"OS    is: ", "board is: ", "BIOS  is: ", "Battery is ", "Brightness is ",
                                "Music Max Volume: ", "H*W is ", "isCharging is ", "isScreenOn is ",
                                "setBrightness 64-128 -----------------------"};
    QStringList printed;
    for (const QString& line : result.lines())
        for (const QString& label : labels)
            if (line.startsWith(label))
                printed << label;
    EXPECT_EQ(printed, labels) << show(result);
    EXPECT_FALSE(valueAfter(result, "OS    is: ").isEmpty());
}

TEST_F(Demo, sqlitedemo)
{
    const DemoRun result = run("sqlitedemo");
    EXPECT_TRUE(result.lines().contains("create & close sqlite data")) << show(result);
    const QString database = folder.file("sqlite/db.sqlite");
    EXPECT_EQ(tool("sqlite3", {database, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"}),
              "table1\ntable3\n");
    EXPECT_EQ(tool("sqlite3", {database, "SELECT group_concat(name, ',') FROM pragma_table_info('table3')"}),
              "hello,world,foo,bar,baz\n");
}

TEST_F(Demo, ocrdemo)
{
    const DemoRun result = run("ocrdemo");
    const QStringList texts = result.out.split("ocr is --------------\n: ", Qt::SkipEmptyParts);
    ASSERT_EQ(texts.size(), 2) << show(result);
    EXPECT_TRUE(texts[0].contains("OK 42")) << show(result);
    EXPECT_TRUE(texts[1].contains("Tavix reads 2024")) << show(result);
}

TEST_F(Demo, basedemo)
{
    QGuiApplication::clipboard()->setText("clip for basedemo");
    ASSERT_TRUE(QTest::qWaitFor([] { return QGuiApplication::clipboard()->text() == "clip for basedemo"; }, 5000));

    const DemoRun result = run("basedemo");
    EXPECT_GE(result.boxesAnswered, 1) << "no message box was shown\n" << show(result);
    EXPECT_EQ(valueAfter(result, "Clip  is "), "clip for basedemo") << show(result);
    const QString colour = valueAfter(result, "Color is ");
    EXPECT_TRUE(QRegularExpression("^#[0-9a-f]{6}$").match(colour).hasMatch()) << show(result);

    const QImage screen = folder.picture("screen.png");
    const ScreenSize size = displaySize();
    EXPECT_EQ(screen.size(), QSize(size.width, size.height));
    EXPECT_EQ(screen.pixelColor(100, 100).name(), colour);
    QGuiApplication::clipboard()->clear();
}

TEST_F(Demo, utilsdemo)
{
    const DemoRun result = run("utilsdemo");
    const QStringList lines = result.lines();
    for (const char* cipher : {"aes", "des", "rc4"}) {
        const QString name = QString::fromLatin1(cipher);
        EXPECT_TRUE(lines.contains(name + " decode =->hello!")) << cipher << "\n" << show(result);
        const QString encoded = valueAfter(result, name + " encode =->");
        EXPECT_FALSE(encoded.isEmpty());
        EXPECT_NE(encoded, "hello!");
    }
    EXPECT_TRUE(lines.contains("base64 encode =->aGVsbG8h"));
    EXPECT_TRUE(lines.contains("base64 decode =->hello! 6"));

    // The bytes printed for the hexadecimal text, and the text made of them again.
    const QString bytes = valueAfter(result, "hexToByte '12345678ABcde' =->");
    EXPECT_TRUE(bytes.startsWith("0x12 0x34 0x56 0x78 0xab 0xcd ")) << show(result);
    QString hex = bytes;
    hex.remove("0x").remove(' ');
    EXPECT_EQ(valueAfter(result, "byteToHex =-> "), "'" + hex + "'");

    const int random = valueAfter(result, "randomInt =-> ").toInt();
    EXPECT_GE(random, 1);
    EXPECT_LE(random, 100);

    const QByteArray md5 = QCryptographicHash::hash(folder.read("a.png"), QCryptographicHash::Md5).toHex();
    EXPECT_EQ(valueAfter(result, "md5 c++=->"), QString::fromLatin1(md5));

    EXPECT_EQ(valueAfter(result, "Create OR png file: "), folder.file("abc.png"));
    EXPECT_TRUE(lines.contains("png data: test")) << show(result);

    // The archives, read back by Info-ZIP, and what the demo unpacked itself.
    const QByteArray zipa = folder.read("zip/zipa.txt");
    ASSERT_FALSE(zipa.isEmpty());
    EXPECT_EQ(tool("unzip", {"-p", folder.file("zip/zip1.zip")}).toUtf8(), zipa);
    EXPECT_EQ(tool("unzip", {"-P", "123", "-p", folder.file("zip/zip2psw.zip")}).toUtf8(), zipa);
    EXPECT_EQ(folder.read("zip/zipb.txt"), zipa);
    EXPECT_EQ(folder.read("zip/zipbpsw.txt"), zipa);
    const QSet<QString> tree = filesUnder(folder.file("zip/zipa"));
    EXPECT_EQ(tree.size(), 3);
    for (const char* unpacked : {"zip/unzipaDir", "zip/unzipDirpsw"}) {
        EXPECT_EQ(filesUnder(folder.file(unpacked)), tree) << unpacked;
        for (const QString& name : tree)
            EXPECT_EQ(folder.read(QString(unpacked) + "/" + name), folder.read("zip/zipa/" + name)) << unpacked;
    }
    const QString listed = tool("unzip", {"-Z1", folder.file("zip/zipaDir.zip")});
    for (const QString& name : tree)
        EXPECT_TRUE(listed.contains(name)) << listed.toStdString();
    EXPECT_EQ(tool("unzip", {"-P", "123", "-p", folder.file("zip/zipaDirpsw.zip"), "inner/third.txt"}).toUtf8(),
              folder.read("zip/zipa/inner/third.txt"));
}

TEST_F(Demo, filedemo)
{
    // The text with the line end TX_file_append adds, then the five bytes.
    const QByteArray added = "first add\r\n666\r\n";
    const DemoRun first = run("filedemo");
    EXPECT_EQ(folder.read("fileadd.txt"), added) << show(first);
    EXPECT_EQ(valueAfter(first, "file size : "), QString::number(added.size()));
    EXPECT_EQ(valueAfter(first, "file lines: "), "2");
    EXPECT_EQ(valueAfter(first, "isDir     : "), "1");
    EXPECT_EQ(valueAfter(first, "isEmptyDir: "), "1");
    EXPECT_EQ(valueAfter(first, "isFile    : "), "1");
    // TX_file_exists of the file just created, printed on a line of its own.
    const QStringList lines = first.lines();
    const int created = lines.indexOf("file create delete-----------------------------");
    ASSERT_GE(created, 0) << show(first);
    EXPECT_EQ(lines.value(created + 1), "1");

    // The listing, sorted by name with letter case ignored.
    const int listing = lines.indexOf("file path : ");
    ASSERT_GE(listing, 0) << show(first);
    EXPECT_EQ(valueAfter(first, "files and dirs num : "), "4");
    EXPECT_EQ(lines.mid(listing + 1, 4), (QStringList{"alpha.txt", "Beta.txt", "delta", "gamma"}));

    // fileread.txt is GB2312; read with that encoding it comes back as UTF-8.
    const QString text = QTextCodec::codecForName("GB2312")->toUnicode(folder.read("fileread.txt"));
    ASSERT_TRUE(text.contains(QStringLiteral("你好")));
    EXPECT_EQ(lines.filter("File read size : ").value(0), "File read size : " + QString::number(text.toUtf8().size()));
    const QString firstLine = text.section('\n', 0, 0);
    EXPECT_EQ(valueAfter(first, "File read 1 lines size : "), QString::number(firstLine.toUtf8().size()));
    EXPECT_EQ(valueAfter(first, "File read 1 lines data : "), firstLine);

    EXPECT_TRUE(QFileInfo(folder.file("mkdirs")).isDir());
    EXPECT_EQ(folder.read("fileadd3.txt"), added);
    for (const char* gone : {"fileadd1.txt", "fileadd2.txt", "filecreat.txt"})
        EXPECT_FALSE(folder.exists(gone)) << gone;
    EXPECT_EQ(folder.read("fileaddw.txt"), "first add");

    // A second run appends the text and the bytes once more.
    run("filedemo");
    EXPECT_EQ(folder.read("fileadd.txt"), added + added);
}

TEST_F(Demo, appdemo)
{
    const DemoRun result = runWithServer({QStringLiteral("appdemo")});
    const QRegularExpression served("^== appdemo$");
    EXPECT_TRUE(result.lines().filter(served).size() == 1) << show(result);
    // The script's server address, with the plain and the secure scheme; the
    // Windows program does not exist here and is not handed on. xdg-open
    // runs detached, so its record may come after the demo has ended.
    const QRegularExpression web("^https?://127\\.0\\.0\\.1:[0-9]+$");
    EXPECT_TRUE(QTest::qWaitFor([&] { return runner.opened().filter(web).size() >= 2; }, 5000));
    const QStringList opened = runner.opened();
    EXPECT_EQ(opened.filter(QRegularExpression("^http://127\\.0\\.0\\.1:[0-9]+$")).size(), 1)
        << opened.join(" | ").toStdString();
    EXPECT_EQ(opened.filter(QRegularExpression("^https://127\\.0\\.0\\.1:[0-9]+$")).size(), 1)
        << opened.join(" | ").toStdString();
    EXPECT_TRUE(opened.filter("notepad").isEmpty());
}

TEST_F(Demo, launchdemo)
{
    const DemoRun result = run("launchdemo");
    EXPECT_TRUE(result.out.isEmpty()) << show(result);
    const QStringList expected = {"www.example.com", "http://www.example.com", "https://www.example.com"};
    EXPECT_TRUE(QTest::qWaitFor([&] { return runner.opened().size() >= 3; }, 5000));
    EXPECT_EQ(runner.opened(), expected);
}

TEST_F(Demo, inputdemo)
{
    const DemoRun result = run("inputdemo");
    const QStringList calls = runner.inputCalls();
    ASSERT_FALSE(calls.isEmpty()) << show(result);

    // Button presses and releases, in order, with where they happened:
    // click, double-click, down, up of the left, right and middle buttons at
    // (30, 30), then the drag's press at (30, 30) and release at (30, 230).
    const QRegularExpression buttonEvent("^mouse_event\\(0x([0-9a-f]+),(-?[0-9]+),(-?[0-9]+),");
    struct Flag { int bit; const char* name; };
    const Flag flags[] = {{0x2, "L+"}, {0x4, "L-"}, {0x8, "R+"}, {0x10, "R-"}, {0x20, "M+"}, {0x40, "M-"}};
    QStringList buttons;
    for (const QString& call : calls) {
        const auto match = buttonEvent.match(call);
        if (!match.hasMatch())
            continue;
        const int bits = match.captured(1).toInt(nullptr, 16);
        for (const Flag& flag : flags)
            if (bits & flag.bit)
                buttons << QStringLiteral("%1@%2,%3").arg(flag.name, match.captured(2), match.captured(3));
    }
    QStringList expected;
    for (const char* button : {"L", "R", "M"})
        for (int i = 0; i < 4; ++i)
            expected << QStringLiteral("%1+@30,30").arg(button) << QStringLiteral("%1-@30,30").arg(button);
    expected << "L+@30,30" << "L-@30,230";
    EXPECT_EQ(buttons, expected) << calls.join("\n").toStdString();

    EXPECT_TRUE(calls.contains("SetCursorPos(30,500)"));
    // Windows+E last: the Windows key held around a press of E.
    const QStringList keyCalls = calls.filter(QRegularExpression("^keybd_event"));
    const QStringList keys = keyCalls.mid(keyCalls.size() - 4);
    ASSERT_EQ(keys.size(), 4);
    const QStringList order = {"0x5b", "0x45", "0x45", "0x5b"};
    const QStringList releases = {"0x1", "0x1", "0x2", "0x2"};  // extended key; key up
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(keys[i].startsWith("keybd_event(" + order[i] + ",")) << keys[i].toStdString();
        EXPECT_TRUE(keys[i].contains("," + releases[i] + ",")) << keys[i].toStdString();
    }
}

TEST_F(Demo, toastdemo)
{
    const DemoRun result = run("toastdemo");
    EXPECT_GE(result.boxesAnswered, 1) << "no message box was shown\n" << show(result);
    EXPECT_FALSE(result.err.contains("Failed to load DLL")) << show(result);
}
