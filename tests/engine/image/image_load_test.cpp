// TX_image_load against a loopback HTTP server run by the test itself.
#include <QTcpServer>
#include <QTcpSocket>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>
#include <memory>

#include "image/url_image.h"
#include "image_fixtures.h"
#include "log_capture.h"
#include "tavix.h"

using namespace tavix::test;
using namespace std::chrono_literals;

namespace {

// Answers GET requests on 127.0.0.1 with canned replies; a path without a
// reply is accepted and then left unanswered.
class LoopbackServer {
public:
    LoopbackServer()
    {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection())
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        });
    }

    void reply(const QByteArray& path, const QByteArray& response) { replies_[path] = response; }

    // Answers `path` with the headers of `response` at once, then one byte of
    // its body every `interval`.
    void trickle(const QByteArray& path, const QByteArray& response,
                 std::chrono::milliseconds interval)
    {
        trickles_[path] = {response, interval};
    }

    QByteArray url(const QByteArray& path) const
    {
        return "http://127.0.0.1:" + QByteArray::number(server_.serverPort()) + path;
    }

    bool listening() const { return server_.isListening(); }

    static QByteArray http(const QByteArray& status, const QByteArray& type, const QByteArray& body,
                           const QByteArray& extra = {})
    {
        return "HTTP/1.1 " + status + "\r\nContent-Type: " + type + "\r\nContent-Length: "
            + QByteArray::number(body.size()) + "\r\n" + extra + "Connection: close\r\n\r\n" + body;
    }

private:
    void answer(QTcpSocket* socket)
    {
        request_[socket] += socket->readAll();
        const QByteArray& request = request_[socket];
        if (!request.contains("\r\n\r\n"))
            return;
        const QByteArray path = request.split(' ').value(1);
        const auto slow = trickles_.find(path);
        if (slow != trickles_.end()) {
            const QByteArray response = slow->second.first;
            int sent = response.indexOf("\r\n\r\n") + 4;
            socket->write(response.left(sent));
            auto* timer = new QTimer(socket);
            QObject::connect(timer, &QTimer::timeout, socket, [socket, response, sent]() mutable {
                if (sent < response.size())
                    socket->write(response.mid(sent++, 1));
            });
            timer->start(slow->second.second);
            return;
        }
        const auto found = replies_.find(path);
        if (found == replies_.end())
            return;  // stalls: never answers
        socket->write(found->second);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    std::map<QByteArray, QByteArray> replies_;
    std::map<QByteArray, std::pair<QByteArray, std::chrono::milliseconds>> trickles_;
    std::map<QTcpSocket*, QByteArray> request_;
};

class ImageLoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        TX_api_initialize();
        ASSERT_TRUE(server.listening());
        picture = noise(24, 16, 11);
        server.reply("/pic.png", LoopbackServer::http("200 OK", "image/png", encoded(picture)));
        server.reply("/missing.png", LoopbackServer::http("404 Not Found", "text/html", "<h1>gone</h1>"));
        server.reply("/page", LoopbackServer::http("200 OK", "text/html", "<html>no picture</html>"));
        server.reply("/moved", LoopbackServer::http("302 Found", "text/html", "",
                                                    "Location: " + server.url("/pic.png") + "\r\n"));
        previousTimeout = tavix::image::setTransferTimeout(300ms);
    }

    void TearDown() override { tavix::image::setTransferTimeout(previousTimeout); }

    void expectUnchangedFailure(const QByteArray& url)
    {
        const QImage before = solid(3, 3, Qt::magenta);
        working() = before;
        EXPECT_FALSE(TX_image_load(url.constData())) << url.constData();
        EXPECT_EQ(working(), before);
    }

    LoopbackServer server;
    QImage picture;
    std::chrono::milliseconds previousTimeout{};
};

TEST_F(ImageLoad, ThirtySecondsIsTheTransferTimeout)
{
    EXPECT_EQ(previousTimeout, 30000ms);
}

TEST_F(ImageLoad, APngBecomesTheWorkingImage)
{
    ASSERT_TRUE(TX_image_load(server.url("/pic.png").constData()));
    EXPECT_EQ(working().convertToFormat(QImage::Format_RGB32), picture);
}

TEST_F(ImageLoad, ARedirectIsFollowed)
{
    ASSERT_TRUE(TX_image_load(server.url("/moved").constData()));
    EXPECT_EQ(working().size(), picture.size());
}

TEST_F(ImageLoad, NotFoundFails)
{
    LogCapture log;
    expectUnchangedFailure(server.url("/missing.png"));
    EXPECT_TRUE(log.contains("Failed to download"));
}

TEST_F(ImageLoad, ABodyThatIsNoPictureFails)
{
    expectUnchangedFailure(server.url("/page"));
}

TEST_F(ImageLoad, AServerThatNeverAnswersFailsAfterTheTimeout)
{
    LogCapture log;
    expectUnchangedFailure(server.url("/stall"));
    EXPECT_TRUE(log.contains("Failed to download"));
}

TEST_F(ImageLoad, AServerTricklingBytesFailsAtTheLimitForTheWholeTransfer)
{
    // One byte every 50 ms keeps each pause below the 300 ms limit; the
    // picture would take many seconds to arrive.
    server.trickle("/slow.png",
                   LoopbackServer::http("200 OK", "image/png", encoded(solid(64, 64, Qt::red))),
                   50ms);
    LogCapture log;
    QElapsedTimer clock;
    clock.start();
    expectUnchangedFailure(server.url("/slow.png"));
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_TRUE(log.contains("the transfer took longer than 300 ms"))
        << log.lines().join(" | ").toStdString();
}

TEST_F(ImageLoad, ABodyBeyondTheDownloadLimitIsCutOff)
{
    EXPECT_EQ(tavix::image::setDownloadLimit(100), 256 << 20);
    LogCapture log;
    expectUnchangedFailure(server.url("/pic.png"));
    EXPECT_TRUE(log.contains("exceeds 100 bytes"));
    tavix::image::setDownloadLimit(256 << 20);
    EXPECT_TRUE(TX_image_load(server.url("/pic.png").constData()));
}

TEST_F(ImageLoad, RefusedConnectionsAndMalformedUrlsFail)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const QByteArray refused = "http://127.0.0.1:" + QByteArray::number(closed.serverPort()) + "/x.png";
    closed.close();
    expectUnchangedFailure(refused);
    expectUnchangedFailure("");
    expectUnchangedFailure("http://[::1");
    expectUnchangedFailure("no-scheme-at-all");
}

}  // namespace
