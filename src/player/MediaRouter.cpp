#include "player/MediaRouter.h"

#include "player/FrmmainApi.h"

using namespace Qt::Literals::StringLiterals;

namespace kf {

namespace {

QString colourQuery(const ProgramState& state) {
    const auto& colors = state.PlayerColors;
    return u"&backcolor="_s + colors[0] + u"&frontcolor="_s + colors[1] + u"&lightcolor="_s + colors[2] +
           u"&screencolor="_s + colors[3];
}

void appendByte(QString& output, unsigned value) {
    output += u'%';
    output += QString::number(value, 16).toUpper().rightJustified(2, u'0');
}

} // namespace

QString URLEncode(const QString& text) {
    if (text.isEmpty()) {
        return text;
    }
    QString escaped = text;
    escaped.replace(u'\\', u"%5c"_s).replace(u'/', u"%2f"_s).replace(u':', u"%3a"_s);
    QString output;
    output.reserve(escaped.size() * 3);
    for (const QChar unit : std::as_const(escaped)) {
        const unsigned c = unit.unicode();
        if (c < 0x80) {
            output += unit;
        } else if (c < 0x800) {
            appendByte(output, 0xC0 | (c >> 6));
            appendByte(output, 0x80 | (c & 0x3F));
        } else {
            // Surrogate halves too, each on its own, as the media player has always received them.
            appendByte(output, 0xE0 | (c >> 12));
            appendByte(output, 0x80 | ((c >> 6) & 0x3F));
            appendByte(output, 0x80 | (c & 0x3F));
        }
    }
    return output;
}

QString mediaPlayerAddress(const ProgramState& state, const QString& escapedPath) {
    return state.AppPath + u"player.swf?autostart=true&file="_s + escapedPath + colourQuery(state);
}

QString playlistAddress(const ProgramState& state, const QString& path) {
    return state.AppPath + u"player.swf?playlist=right&file="_s + path + colourQuery(state) + u"&skin="_s;
}

void MediaRouter::InitSWF(const QString& pfile, bool pIsPlay) {
    // One error trap: the first step that fails ends the load, nothing after it runs.
    if (!m_host.prepare()) {
        return;
    }
    FlashControl& swfFlash1 = *m_host.swfFlash1();
    QString path = pfile;
    const QString kind = path.right(3);
    if (kind == u"swf"_s) {
        swfFlash1.setMovie(path);
    } else if (kind == u"xml"_s) {
        const qsizetype lastSeparator = path.lastIndexOf(u"%5c"_s);
        swfFlash1.setBase(lastSeparator < 0 ? QString() : path.left(lastSeparator + 3));
        // Variables go to the movie loaded now, before the playlist address replaces it.
        swfFlash1.SetVariable(u"playlistfile"_s, path);
        swfFlash1.LoadMovie(0, playlistAddress(m_state, path));
    } else {
        path = URLEncode(path);
        swfFlash1.method200();
        if (kind == u"mp3"_s) {
            swfFlash1.SetVariable(u"plugins"_s, u"revolt-1"_s);
        }
        swfFlash1.setMovie(mediaPlayerAddress(m_state, path));
    }
    swfFlash1.StopPlay();
    if (pIsPlay) {
        m_window.ControlCommand(0);
    }
    m_host.complete();
}

} // namespace kf
