#include "player/MovieLoader.h"

#include "swf/format/MovieReader.h"

#include <QFile>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPromise>
#include <QThreadPool>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

namespace kf {

namespace {

Result<swf::Movie> failure(const QString& text) {
    return Result<swf::Movie>::failure(text.toStdString());
}

bool isNetworkScheme(const QString& scheme) {
    return scheme == u"http"_s || scheme == u"https"_s;
}

// A local path may carry a query ("player.swf?file=..."); the file is the part before it,
// unless a file of the whole name exists.
QString localFileOf(const QString& path) {
    if (QFileInfo::exists(path)) {
        return path;
    }
    const qsizetype query = path.indexOf(u'?');
    return query > 0 ? path.left(query) : path;
}

QByteArray readWhole(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.exists() ? u"无法读取文件"_s : u"找不到文件"_s;
        return {};
    }
    if (file.size() > MovieLoader::MaximumSize) {
        *error = u"文件太大"_s;
        return {};
    }
    return file.readAll();
}

} // namespace

MovieLoader::MovieLoader(QObject* parent) : QObject(parent) {}

MovieLoader::~MovieLoader() {
    cancel();
}

Result<swf::Movie> MovieLoader::parse(const QByteArray& bytes) {
    const bool signature =
        bytes.size() >= 8 && (bytes.startsWith("FWS") || bytes.startsWith("CWS") || bytes.startsWith("ZWS"));
    if (!signature) {
        return failure(u"不是SWF影片"_s);
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    Result<swf::Movie> movie = swf::readMovie(std::span(data, std::size_t(bytes.size())));
    if (!movie) {
        return failure(u"影片文件已损坏"_s);
    }
    return movie;
}

void MovieLoader::cancel() {
    ++m_generation;
    m_done = nullptr;
    if (m_reply) {
        QNetworkReply* reply = m_reply;
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void MovieLoader::load(const QString& address, Completion done) {
    cancel();
    m_done = std::move(done);
    const QUrl url(address);
    if (isNetworkScheme(url.scheme().toLower())) {
        loadNetwork(address);
    } else if (url.scheme().toLower() == u"file"_s) {
        loadFile(url.toLocalFile());
    } else {
        loadFile(address);
    }
}

void MovieLoader::loadFile(const QString& path) {
    const QString file = localFileOf(path);
    if (file.isEmpty()) {
        finish(failure(u"没有影片"_s));
        return;
    }
    if (QFileInfo(file).size() <= m_inlineReadLimit) {
        QString error;
        const QByteArray bytes = readWhole(file, &error);
        finish(error.isEmpty() ? parse(bytes) : failure(error));
        return;
    }
    parseAway([file] {
        QString error;
        return readWhole(file, &error);
    });
}

void MovieLoader::loadNetwork(const QString& address) {
    const QUrl url(address);
    if (!url.isValid() || url.host().isEmpty()) {
        finish(failure(u"地址无效"_s));
        return;
    }
    if (!m_network) {
        m_network = new QNetworkAccessManager(this);
    }
    QNetworkRequest request(url);
    request.setTransferTimeout(NetworkTimeoutMilliseconds);
    QNetworkReply* reply = m_network->get(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::downloadProgress, this, [this, reply](qint64 received, qint64) {
        if (received > MaximumSize) {
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        if (m_reply != reply) {
            return;
        }
        m_reply = nullptr;
        if (reply->error() != QNetworkReply::NoError) {
            finish(failure(u"下载失败"_s));
            return;
        }
        const QByteArray bytes = reply->readAll();
        if (bytes.size() <= m_inlineReadLimit) {
            finish(parse(bytes));
        } else {
            parseAway([bytes] { return bytes; });
        }
    });
}

void MovieLoader::parseAway(std::function<QByteArray()> read) {
    auto promise = std::make_shared<QPromise<ParsedMovie>>();
    auto* watcher = new QFutureWatcher<ParsedMovie>(this);
    const quint64 generation = m_generation;
    connect(watcher, &QFutureWatcher<ParsedMovie>::finished, this, [this, watcher, generation] {
        watcher->deleteLater();
        const ParsedMovie parsed = watcher->future().result();
        if (generation == m_generation && parsed) {
            finish(std::move(*parsed));
        }
    });
    watcher->setFuture(promise->future());
    promise->start();
    QThreadPool::globalInstance()->start([promise, read = std::move(read)] {
        const QByteArray bytes = read();
        auto parsed = std::make_shared<Result<swf::Movie>>(bytes.isEmpty() ? failure(u"无法读取文件"_s)
                                                                           : MovieLoader::parse(bytes));
        promise->addResult(parsed);
        promise->finish();
    });
}

void MovieLoader::finish(Result<swf::Movie> result) {
    Completion done = std::move(m_done);
    m_done = nullptr;
    if (done) {
        done(std::move(result));
    }
}

} // namespace kf
