// The editor's widget-free parts: script text with data URLs, line ends, the
// payloads pictures keep, highlighting rules and completion names.
#include <QScriptEngine>
#include <gtest/gtest.h>

#include "completion_names.h"
#include "data_url_text.h"
#include "highlight_rules.h"
#include "line_ends.h"
#include "picture_data.h"
#include "picture_sources.h"
#include "tavix_mgr.h"

namespace vantor {
namespace {

using test::dataUrl;
using test::patternPicture;
using test::pngBytes;

QString joined(const QVector<ScriptPiece>& pieces)
{
    QString out;
    for (const ScriptPiece& piece : pieces)
        out += piece.kind == ScriptPiece::Text ? piece.text : kDataUrlPrefix + piece.text;
    return out;
}

int pictureCount(const QVector<ScriptPiece>& pieces)
{
    return std::count_if(pieces.begin(), pieces.end(),
                         [](const ScriptPiece& p) { return p.kind == ScriptPiece::Picture; });
}

TEST(ScriptPieces, SplitsAtQuotedDataUrlsAndJoinsBackToTheInput)
{
    const QString url = dataUrl(pngBytes(patternPicture(20, 10)));
    const QString notBase64 = QStringLiteral("data:image/png;base64,%%%###");
    const QString notPicture = dataUrl("plain text, no picture");
    QByteArray truncated = pngBytes(patternPicture(40, 30));
    truncated.truncate(truncated.size() / 3);
    const struct {
        const char* name;
        QString text;
        int pictures;
    } cases[] = {
        {"no picture", "cs.mouseMove(1, 2);\n", 0},
        {"one picture", "imagev.mouseLeftClick(\"" + url + "\");\n", 1},
        {"two on a line", "f(\"" + url + "\", \"" + url + "\") // two\n", 2},
        {"picture at start and end", "\"" + url + "\"\nx\n\"" + url + "\"", 2},
        {"marker without closing quote", "f(\"" + url + ");\n", 0},
        {"closing quote on a later line", "f(\"" + url + "\n\");", 1},
        {"payload not Base64", "f(\"" + notBase64 + "\")", 0},
        {"payload not a picture", "f(\"" + notPicture + "\")", 0},
        {"empty payload", "f(\"data:image/png;base64,\")", 0},
        {"truncated picture", "f(\"" + dataUrl(truncated) + "\")", -1},
        {"picture object inside a payload", "f(\"data:image/png;base64,\xef\xbf\xbc\")", 0},
        {"Chinese text", QStringLiteral("// 点击图片\nimagev.click(\"") + url + "\"); // 完成", 1},
        {"CRLF line ends", "a();\r\nb(\"" + url + "\");\r\n", 1},
        {"empty", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QVector<ScriptPiece> pieces = splitScriptText(c.text);
        EXPECT_EQ(joined(pieces), c.text);
        if (c.pictures >= 0) {
            EXPECT_EQ(pictureCount(pieces), c.pictures);
        }
        for (const ScriptPiece& piece : pieces) {
            if (piece.kind == ScriptPiece::Picture) {
                EXPECT_FALSE(piece.picture.isNull());
            }
        }
    }
}

TEST(ScriptPieces, PictureKeepsItsPayloadAndPixels)
{
    const QImage picture = patternPicture(32, 16);
    const QByteArray bytes = pngBytes(picture);
    const QVector<ScriptPiece> pieces = splitScriptText("x(\"" + dataUrl(bytes) + "\")");
    ASSERT_EQ(pieces.size(), 3);
    EXPECT_EQ(pieces[1].text, QString::fromLatin1(bytes.toBase64()));
    EXPECT_EQ(pieces[1].picture.convertToFormat(QImage::Format_ARGB32), picture);
    // Characters outside the alphabet are skipped, as line breaks in a payload.
    QString broken = QString::fromLatin1(bytes.toBase64());
    broken.insert(10, QStringLiteral("\r\n ")).insert(30, QStringLiteral("\n"));
    EXPECT_EQ(decodePicturePayload(broken).convertToFormat(QImage::Format_ARGB32), picture);
}

TEST(ScriptPieces, EncodedPayloadDecodesToTheSamePixels)
{
    const QImage picture = patternPicture(50, 25);
    const QString payload = encodePicturePayload(picture);
    EXPECT_TRUE(payload.startsWith(QLatin1String("iVBOR")));
    EXPECT_EQ(decodePicturePayload(payload).convertToFormat(QImage::Format_ARGB32), picture);
    EXPECT_TRUE(encodePicturePayload(QImage()).isEmpty());
}

TEST(ScriptPieces, HugeUndecodableDataUrlStaysTextAndIsDecodedOnce)
{
    QString huge = QStringLiteral("v = \"data:image/png;base64,");
    huge += QString(10 * 1024 * 1024, QLatin1Char('A'));
    huge += QStringLiteral("\";\n");
    QSet<uint> undecodable;
    const QVector<ScriptPiece> pieces = splitScriptText(huge, &undecodable);
    EXPECT_EQ(joined(pieces), huge);
    EXPECT_EQ(pictureCount(pieces), 0);
    EXPECT_EQ(undecodable.size(), 1);
    EXPECT_EQ(joined(splitScriptText(huge, &undecodable)), huge);
}

TEST(LineEnds, NormalisesEveryKindAndReportsEachEnd)
{
    const struct {
        QString text;
        QString normalised;
        QStringList ends;
        QString first;
    } cases[] = {
        {"a\nb\n", "a\nb\n", {"\n", "\n"}, "\n"},
        {"a\r\nb\r\n", "a\nb\n", {"\r\n", "\r\n"}, "\r\n"},
        {"a\rb", "a\nb", {"\r"}, "\r"},
        {"a\r\nb\nc\r", "a\nb\nc\n", {"\r\n", "\n", "\r"}, "\r\n"},
        {"\r\r\n\n", "\n\n\n", {"\r", "\r\n", "\n"}, "\r"},
        {QString("a") + QChar(QChar::ParagraphSeparator) + "b",
         "a\nb",
         {QString(QChar::ParagraphSeparator)},
         QString(QChar::ParagraphSeparator)},
        {"no end", "no end", {}, "\n"},
        {"", "", {}, "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        QStringList ends;
        EXPECT_EQ(normaliseLineEnds(c.text, &ends), c.normalised);
        EXPECT_EQ(ends, c.ends);
        EXPECT_EQ(firstLineEnd(c.text), c.first);
    }
}

TEST(PictureSourcesTest, OriginalPayloadUntilThePictureIsReplaced)
{
    const QImage picture = patternPicture(12, 12);
    const QString original = QStringLiteral("original-payload-bytes");
    PictureSources sources;
    sources.remember("p1", picture, original);
    EXPECT_EQ(sources.payloadFor("p1", picture), original);
    const QImage shallowCopy = picture;
    EXPECT_EQ(sources.payloadFor("p1", shallowCopy), original);

    QImage changed = picture;
    changed.setPixelColor(0, 0, Qt::green);
    const QString encoded = sources.payloadFor("p1", changed);
    EXPECT_NE(encoded, original);
    EXPECT_EQ(decodePicturePayload(encoded).pixelColor(0, 0), QColor(Qt::green));
    // Encoded once, then kept.
    EXPECT_EQ(sources.payloadFor("p1", changed), encoded);
    EXPECT_EQ(decodePicturePayload(sources.payloadFor("unknown", picture))
                  .convertToFormat(QImage::Format_ARGB32),
              picture);
    EXPECT_TRUE(sources.payloadFor("p1", QImage()).isEmpty());
}

// The colour each character ends up with after every span is applied in order.
QVector<int> colourMap(const QString& text, const QVector<HighlightSpan>& spans)
{
    QVector<int> colours(text.size(), -1);
    for (const HighlightSpan& span : spans)
        for (int i = span.start; i < span.start + span.length && i < text.size(); ++i)
            colours[i] = span.colour;
    return colours;
}

// Expected colours written as a picture of the line: one letter per character.
QVector<int> expectedMap(const char* letters)
{
    QVector<int> colours;
    for (const char* c = letters; *c; ++c) {
        switch (*c) {
        case 'r': colours.append(Qt::darkRed); break;
        case 'g': colours.append(Qt::darkGreen); break;
        case 'b': colours.append(Qt::blue); break;
        case 'm': colours.append(Qt::darkMagenta); break;
        default: colours.append(-1); break;
        }
    }
    return colours;
}

TEST(HighlightRulesTest, EachRuleFamilyColoursItsStretch)
{
    HighlightRules rules;
    const struct {
        const char* text;
        const char* colours;
    } cases[] = {
        {"cs.mouseMove(1, 2); // move", "rrrbbbbbbbbb........ggggggg"},
        {"var s = \"if so\";", "mmm.....gmmgggg."},
        {"a:b a: b", "rr......"},
        {"x = 'one' + 'two';", "....ggggggggggggg."},
        {"if (x) return null;", "mm.....mmmmmm......"},
        {"print(Infinity, NaN, infinity)", "bbbbb.mmmmmmmm..mmm..........."},
        {"interval intern int", "................mmm"},
        {"a.b.c()", "rrrrb.."},
        {"typeof x_1 === \"undefined\"", "mmmmmm.........gmmmmmmmmmg"},
        {"// if \"x\" cs.run()", "gggggggggggggggggg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int state = -1;
        const QString text = QString::fromUtf8(c.text);
        QVector<int> expected = expectedMap(c.colours);
        EXPECT_EQ(colourMap(text, rules.spans(text, -1, &state)), expected);
        EXPECT_EQ(state, OutsideComment);
    }
    EXPECT_EQ(HighlightRules::keywords().size(), 62);
    EXPECT_FALSE(HighlightRules::keywords().contains("null"));
}

TEST(HighlightRulesTest, BlockCommentRunsOverThreeBlocks)
{
    HighlightRules rules;
    const struct {
        const char* text;
        int previous;
        const char* colours;
        int state;
    } blocks[] = {
        {"x = 1; /* start", 0, ".......gggggggg", InsideComment},
        {"if still inside", InsideComment, "ggggggggggggggg", InsideComment},
        {"end */ var y;", InsideComment, "gggggg.mmm...", OutsideComment},
        {"/*/ b /**/ c /* d", 0, "ggg...gggg...gggg", InsideComment},
        {"a /*/ b", 0, "..ggg..", OutsideComment},
    };
    for (const auto& b : blocks) {
        SCOPED_TRACE(b.text);
        int state = -1;
        const QString text = QString::fromUtf8(b.text);
        EXPECT_EQ(colourMap(text, rules.spans(text, b.previous, &state)), expectedMap(b.colours));
        EXPECT_EQ(state, b.state);
    }
}

TEST(CompletionNamesTest, GlobalNamesAndHostObjectMethods)
{
    const CompletionNames names =
        CompletionNames::fromGlobalObject(TavixMgr::instance()->engine()->globalObject());
    for (const char* global : {"cs", "image", "imagev", "log", "sleep", "require", "Math"})
        EXPECT_TRUE(names.isGlobalName(global)) << global;
    EXPECT_EQ(names.scriptNames().size(), names.memberNames().size());

    const QStringList members = names.memberCandidates("cs", "");
    EXPECT_TRUE(members.contains("mouseMove"));
    EXPECT_TRUE(members.contains("mouseLeftClick"));
    EXPECT_EQ(members.count("mouseMove"), 1);
    for (const char* hidden : {"destroyed", "objectNameChanged", "deleteLater"})
        EXPECT_FALSE(members.contains(hidden)) << hidden;
    for (const QString& member : names.memberCandidates("cs", "mouse"))
        EXPECT_TRUE(member.contains("mouse"));
    EXPECT_FALSE(names.memberCandidates("cs", "mouseMove").contains("mouseMove"));
    EXPECT_TRUE(names.memberCandidates("nothing", "").isEmpty());

    const QStringList globals = names.globalCandidates("ima");
    EXPECT_TRUE(globals.contains("image"));
    EXPECT_TRUE(globals.contains("imagev"));
    EXPECT_FALSE(names.globalCandidates("image").contains("image"));
    EXPECT_TRUE(names.globalCandidates("zzqqx").isEmpty());
}

TEST(CompletionNamesTest, PrefixIsTheTextAfterTheLastSeparator)
{
    const struct {
        const char* text;
        const char* prefix;
    } cases[] = {
        {"x=im", "im"},     {"var a = cs.mo", "cs.mo"}, {"a;b", "b"}, {"line\n\tcs.", "cs."},
        {"plain", "plain"}, {"ends with space ", ""},   {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(CompletionNames::completionPrefix(c.text), QString(c.prefix)) << c.text;
}

}  // namespace
}  // namespace vantor
