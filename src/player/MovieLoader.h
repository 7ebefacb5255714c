#pragma once

#include "common/Result.h"
#include "swf/format/Movie.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace kf {

// Turns a movie address into a parsed movie: local paths and file: URLs from disk, http and
// https from the network. Small files are read and parsed at once, so a local movie is ready
// when load() returns; large files and downloads finish later, on the window's thread. A
// failure carries a short text for the player area. Starting a load drops the one before.
class MovieLoader : public QObject {
    Q_OBJECT

public:
    using ParsedMovie = std::shared_ptr<Result<swf::Movie>>;
    using Completion = std::function<void(Result<swf::Movie>)>;

    // Larger files are read and parsed away from the window's thread.
    static constexpr qint64 DefaultInlineReadLimit = 16 * 1024 * 1024;
    // Far beyond any movie we play; a server that sends more is not sending a movie.
    static constexpr qint64 MaximumSize = 256 * 1024 * 1024;
    static constexpr int NetworkTimeoutMilliseconds = 30000;

    explicit MovieLoader(QObject* parent = nullptr);
    ~MovieLoader() override;

    // Calls `done` exactly once, unless another load or cancel() comes first.
    void load(const QString& address, Completion done);
    void cancel();
    bool isBusy() const { return bool(m_done); }
    void setInlineReadLimit(qint64 bytes) { m_inlineReadLimit = bytes; }

    // Bytes to movie, with the checks a file off the disk or the network needs.
    static Result<swf::Movie> parse(const QByteArray& bytes);

private:
    void loadFile(const QString& path);
    void loadNetwork(const QString& address);
    void parseAway(std::function<QByteArray()> read);
    void finish(Result<swf::Movie> result);

    qint64 m_inlineReadLimit = DefaultInlineReadLimit;
    QNetworkAccessManager* m_network = nullptr;
    QPointer<QNetworkReply> m_reply;
    Completion m_done;
    // Results of superseded background reads are recognised by their number and dropped.
    quint64 m_generation = 0;
};

} // namespace kf
