// A recording as script text: one line per mouse or key record, a sleep with
// the time since the previous record before every record but the first.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include "recording_script.h"

namespace {

using vantor::recordingToScript;

QJsonArray parse(const char* json)
{
    return QJsonDocument::fromJson(json).array();
}

struct ConversionCase {
    const char* what;
    const char* records;
    const char* script;
};

const ConversionCase kCases[] = {
    {"empty recording", "[]", ""},
    {"one move: its line and no sleep", R"([{"time":1000,"name":"mousemove","x":10,"y":20}])",
     "cs.mouseMove(10,20);\n"},
    {"the three records of a click",
     R"([{"time":1000,"name":"mousemove","x":10,"y":20},
         {"time":1250,"name":"lmousedown","x":10,"y":20},
         {"time":1251,"name":"lmouseup","x":10,"y":20}])",
     "cs.mouseMove(10,20);\nsleep(250);\ncs.mouseLeftDown(10,20);\nsleep(1);\ncs.mouseLeftUp(10,20)"
     ";\n"},
    {"every name of the table",
     R"([{"time":1,"name":"rmousedown","x":1,"y":2},{"time":1,"name":"rmouseup","x":3,"y":4},
         {"time":1,"name":"mousedown","x":5,"y":6},{"time":1,"name":"mouseup","x":7,"y":8},
         {"time":1,"name":"keydown","keycode":65},{"time":1,"name":"keyup","keycode":65}])",
     "cs.mouseRightDown(1,2);\nsleep(0);\ncs.mouseRightUp(3,4);\nsleep(0);\ncs.mouseMiddleDown(5,6)"
     ";\n"
     "sleep(0);\ncs.mouseMiddleUp(7,8);\nsleep(0);\ncs.keyDown(65);\nsleep(0);\ncs.keyUp(65);\n"},
    {"two records in one millisecond",
     R"([{"time":1600000000000,"name":"keydown","keycode":16},
         {"time":1600000000000,"name":"keydown","keycode":49}])",
     "cs.keyDown(16);\nsleep(0);\ncs.keyDown(49);\n"},
    {"a wheel between moves leaves two sleeps side by side",
     R"([{"time":100,"name":"mousemove","x":1,"y":1},
         {"time":130,"name":"mousewheel","x":7864320,"y":0},
         {"time":175,"name":"mousemove","x":2,"y":2}])",
     "cs.mouseMove(1,1);\nsleep(30);\nsleep(45);\ncs.mouseMove(2,2);\n"},
    {"a key held for two seconds",
     R"([{"time":1000,"name":"keydown","keycode":65},{"time":1500,"name":"mousemove","x":4,"y":4},
         {"time":3000,"name":"keyup","keycode":65}])",
     "cs.keyDown(65);\nsleep(500);\ncs.mouseMove(4,4);\nsleep(1500);\ncs.keyUp(65);\n"},
    {"ending with the click on the stop button",
     R"([{"time":5000,"name":"mousemove","x":1800,"y":110},
         {"time":5300,"name":"lmousedown","x":1818,"y":111},
         {"time":5380,"name":"lmouseup","x":1818,"y":111}])",
     "cs.mouseMove(1800,110);\nsleep(300);\ncs.mouseLeftDown(1818,111);\nsleep(80);\n"
     "cs.mouseLeftUp(1818,111);\n"},
    {"unknown names and non-objects give only their sleep",
     R"([{"time":10,"name":"keydown","keycode":13},{"time":12,"name":"dblclick","x":1,"y":1},
         {"time":15},{"time":20,"name":"keyup","keycode":13}])",
     "cs.keyDown(13);\nsleep(2);\nsleep(3);\nsleep(5);\ncs.keyUp(13);\n"},
    {"missing keys read as 0; times are truncated towards zero",
     R"([{"time":10.9,"name":"mousemove"},{"time":20.2,"name":"keydown"}])",
     "cs.mouseMove(0,0);\nsleep(10);\ncs.keyDown(0);\n"},
    {"a first record at time 0 gives the next one no sleep",
     R"([{"time":0,"name":"keydown","keycode":1},{"time":40,"name":"keyup","keycode":1},
         {"time":45,"name":"keydown","keycode":2}])",
     "cs.keyDown(1);\ncs.keyUp(1);\nsleep(5);\ncs.keyDown(2);\n"},
    {"negative coordinates of a screen left of the primary one",
     R"([{"time":1,"name":"lmousedown","x":-1280,"y":-5}])", "cs.mouseLeftDown(-1280,-5);\n"},
    {"absurd times do not overflow",
     R"([{"time":1e300,"name":"keydown","keycode":1},{"time":-1e300,"name":"keyup","keycode":1}])",
     "cs.keyDown(1);\nsleep(-9223372036854775808);\ncs.keyUp(1);\n"},
};

TEST(RecordingToScript, ConversionTable)
{
    for (const ConversionCase& c : kCases) {
        const QJsonArray records = parse(c.records);
        ASSERT_FALSE(records.isEmpty() && QByteArray(c.records) != "[]") << c.what;
        EXPECT_EQ(recordingToScript(records).toStdString(), std::string(c.script)) << c.what;
    }
}

TEST(RecordingToScript, NonObjectEntriesOfTheArrayAreSkippedSafely)
{
    QJsonArray records = parse(R"([{"time":5,"name":"keydown","keycode":9}])");
    records.append(QJsonValue(42));
    records.append(QJsonValue(QStringLiteral("text")));
    records.append(QJsonArray{1, 2});
    // Non-objects read as records without time: previous becomes 0, so no sleep follows them.
    EXPECT_EQ(recordingToScript(records).toStdString(), "cs.keyDown(9);\nsleep(-5);\n");
}

TEST(RecordingToScript, ALongRecordingGivesTwoLinesPerMove)
{
    QJsonArray records;
    for (int i = 0; i < 5000; ++i)
        records.append(
            QJsonObject{{"time", 1000.0 + i}, {"name", "mousemove"}, {"x", i}, {"y", 1}});
    const QString script = recordingToScript(records);
    EXPECT_EQ(script.count('\n'), 2 * 5000 - 1);
    EXPECT_TRUE(script.endsWith("sleep(1);\ncs.mouseMove(4999,1);\n"));
}

}  // namespace
