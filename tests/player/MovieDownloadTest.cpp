#include "player/SwfFlashControl.h"

#include "platform/ScriptedClockService.h"
#include "platform/ScriptedWebBrowserService.h"

#include "ApplicationTest.h"
#include "QStringPrinter.h"
#include "TestMovies.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkProxy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

// A web server on loopback that answers every request with one canned response.
class LoopbackServer {
public:
    explicit LoopbackServer(QByteArray response) : m_response(std::move(response)) {
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->readAll().contains("\r\n\r\n") || m_held) {
                        return;
                    }
                    ++requests;
                    socket->write(m_response);
                    socket->disconnectFromHost();
                });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        m_server.listen(QHostAddress::LocalHost);
    }

    QString address(const QString& path) const {
        return u"http://127.0.0.1:%1%2"_s.arg(m_server.serverPort()).arg(path);
    }

    static QByteArray ok(const QByteArray& body) {
        return "HTTP/1.0 200 OK\r\nContent-Type: application/x-shockwave-flash\r\nContent-Length: " +
               QByteArray::number(body.size()) + "\r\n\r\n" + body;
    }

    int requests = 0;

private:
    QTcpServer m_server;
    QByteArray m_response;
    bool m_held = false;
};

class MovieDownloadTest : public test::ApplicationTest {
protected:
    void SetUp() override { m_control.Move(QRect(0, 0, 200, 150)); }

    // Lets the window's thread run until the download is over, or five seconds have passed.
    bool waitForLoad() {
        QElapsedTimer waited;
        waited.start();
        while (m_control.isLoading() && waited.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return !m_control.isLoading();
    }

    ScriptedClockService m_clock;
    ScriptedWebBrowserService m_browser;
    QWidget m_parent;
    SwfFlashControl m_control{m_clock, m_browser, &m_parent};
};

TEST_F(MovieDownloadTest, aMovieFromTheNetworkStartsWhenItHasArrived) {
    LoopbackServer server(LoopbackServer::ok(test::movieBytes(12)));
    const QString address = server.address(u"/movies/a.swf"_s);
    m_control.setMovie(address);
    m_control.StopPlay();
    m_control.Play();
    EXPECT_TRUE(m_control.isLoading());
    EXPECT_FALSE(m_control.Playing());
    EXPECT_EQ(m_control.TotalFrames(), 0);

    ASSERT_TRUE(waitForLoad());
    EXPECT_EQ(server.requests, 1);
    EXPECT_EQ(m_control.Movie(), address);
    EXPECT_EQ(m_control.TotalFrames(), 12);
    EXPECT_TRUE(m_control.Playing());
    EXPECT_TRUE(m_control.errorText().isEmpty());
    m_clock.advance(0.05);
    m_control.runDueFrames();
    EXPECT_EQ(m_control.FrameNum(), 1);
}

TEST_F(MovieDownloadTest, aMovieHaltedWhileOnItsWayArrivesHalted) {
    LoopbackServer server(LoopbackServer::ok(test::movieBytes(12)));
    m_control.setMovie(server.address(u"/a.swf"_s));
    m_control.StopPlay();
    ASSERT_TRUE(waitForLoad());
    EXPECT_EQ(m_control.TotalFrames(), 12);
    EXPECT_FALSE(m_control.Playing());
}

TEST_F(MovieDownloadTest, aFailedOrUselessDownloadLeavesNoMovieAndSaysSo) {
    const QByteArray responses[] = {
        "HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found",
        LoopbackServer::ok("<html>a page, not a movie</html>"),
    };
    for (const QByteArray& response : responses) {
        LoopbackServer server(response);
        m_control.setMovie(server.address(u"/a.swf"_s));
        m_control.Play();
        ASSERT_TRUE(waitForLoad());
        EXPECT_EQ(m_control.TotalFrames(), 0);
        EXPECT_FALSE(m_control.Playing());
        EXPECT_TRUE(m_control.errorText().contains(u"a.swf"_s)) << m_control.errorText().toStdString();
    }
}

TEST_F(MovieDownloadTest, aNewMovieReplacesOneStillOnItsWay) {
    LoopbackServer server(LoopbackServer::ok(test::movieBytes(12)));
    m_control.setMovie(server.address(u"/a.swf"_s));
    m_control.setMovie(u"http://"_s);
    EXPECT_FALSE(m_control.isLoading());
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 300) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_EQ(m_control.TotalFrames(), 0);
    EXPECT_EQ(m_control.Movie(), u"http://"_s);
}

} // namespace
} // namespace kf
