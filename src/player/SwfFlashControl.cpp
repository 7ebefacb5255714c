#include "player/SwfFlashControl.h"

#include "swf/avm1/Interpreter.h"
#include "swf/runtime/MoviePlayer.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace kf {

namespace {

// The control's Zoom never shows more than the whole movie, and stops zooming in where a
// twip would cover the window.
constexpr double MinimumZoom = 1.0 / 1024.0;

// "关闭" sets the movie to a bare scheme: no server, so nothing to fetch and nothing to show.
bool isEmptyAddress(const QString& address) {
    const QString trimmed = address.trimmed();
    return trimmed.isEmpty() || trimmed.compare(u"http://"_s, Qt::CaseInsensitive) == 0 ||
           trimmed.compare(u"https://"_s, Qt::CaseInsensitive) == 0;
}

QString displayName(const QString& address) {
    // A local name is taken as it is: "#" and "%" are letters of file names, not of addresses.
    const QUrl url(address);
    const QString path = url.scheme().size() > 1 ? url.path() : address.section(u'?', 0, 0);
    const QString name = QFileInfo(path).fileName();
    return name.isEmpty() ? address : name;
}

} // namespace

SwfFlashControl::SwfFlashControl(ClockService& clock, WebBrowserService& browser, QWidget* parent)
    : QObject(nullptr), m_clock(clock), m_navigator(browser),
      m_interpreter(std::make_unique<swf::avm1::Interpreter>()),
      m_player(std::make_unique<swf::MoviePlayer>(&m_navigator)), m_stage(new StageWidget(parent)) {
    m_player->setScriptEngine(m_interpreter.get());
    m_stage->setMoviePlayer(m_player.get());
    connectStageInput();
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, &SwfFlashControl::runDueFrames);
}

SwfFlashControl::~SwfFlashControl() {
    m_frameTimer.stop();
    m_loader.cancel();
    delete m_stage.data();
}

bool SwfFlashControl::hasMovie() const {
    return m_player->isLoaded();
}

void SwfFlashControl::setMovie(const QString& Movie) {
    m_Movie = Movie;
    if (isEmptyAddress(Movie)) {
        unloadMovie();
        m_stage->setErrorText({});
        return;
    }
    load(Movie);
}

void SwfFlashControl::LoadMovie(int layer, const QString& url) {
    // Only level 0 exists here: it replaces the movie, and Movie keeps what was set.
    if (layer == 0) {
        load(url);
    }
}

void SwfFlashControl::load(const QString& address) {
    unloadMovie();
    m_stage->setErrorText({});
    m_pendingPlay = PendingPlay::AsLoaded;
    m_loader.load(resolved(address),
                  [this, address](Result<swf::Movie> movie) { showMovie(std::move(movie), address); });
}

void SwfFlashControl::showMovie(Result<swf::Movie> movie, const QString& address) {
    QString failure;
    if (!movie) {
        failure = QString::fromStdString(movie.error().message);
    } else if (!m_player->load(std::move(*movie), resolved(address).toStdString())) {
        // The engine's own message is for developers; the window says it in the user's words.
        failure = u"影片无法播放"_s;
    }
    if (!failure.isEmpty()) {
        m_player->unload();
        m_stage->setErrorText(u"无法播放 %1：%2"_s.arg(displayName(address), failure));
        return;
    }
    m_player->setLooping(m_Loop);
    m_frameClock.setRate(m_player->frameRate());
    if (m_pendingPlay == PendingPlay::Play) {
        m_player->play();
    } else if (m_pendingPlay == PendingPlay::Stop) {
        m_player->stop();
    }
    followPlayState();
    m_stage->update();
}

void SwfFlashControl::unloadMovie() {
    m_loader.cancel();
    m_frameTimer.stop();
    m_frameClock.stop();
    m_player->unload();
    m_stage->update();
}

QString SwfFlashControl::resolved(const QString& address) const {
    if (m_Base.isEmpty() || !QUrl(address).scheme().isEmpty() || QFileInfo(address).isAbsolute()) {
        return address;
    }
    const QUrl base(m_Base);
    if (base.scheme() == u"http"_s || base.scheme() == u"https"_s) {
        return base.resolved(QUrl(address)).toString();
    }
    return QDir(m_Base).filePath(address);
}

QString SwfFlashControl::errorText() const {
    return m_stage->errorText();
}

void SwfFlashControl::setQuality(int Quality) {
    if (Quality == 0) {
        m_stage->setQuality(swf::RenderQuality::Low);
    } else if (Quality == 1) {
        m_stage->setQuality(swf::RenderQuality::High);
    }
}

void SwfFlashControl::setLoop(bool Loop) {
    m_Loop = Loop;
    m_player->setLooping(Loop);
}

int SwfFlashControl::FrameNum() const {
    return hasMovie() ? m_player->currentFrame() : 0;
}

int SwfFlashControl::CurrentFrame() const {
    return FrameNum();
}

int SwfFlashControl::TotalFrames() const {
    return hasMovie() ? m_player->totalFrames() : 0;
}

bool SwfFlashControl::Playing() const {
    return hasMovie() && m_player->isPlaying();
}

int SwfFlashControl::clampFrame(int frame) const {
    return std::clamp(frame, 0, std::max(0, TotalFrames() - 1));
}

void SwfFlashControl::setFrameNum(int FrameNum) {
    GotoFrame(FrameNum);
}

void SwfFlashControl::GotoFrame(int FrameNum) {
    if (!hasMovie()) {
        return;
    }
    m_player->gotoFrame(clampFrame(FrameNum));
    followPlayState();
    m_stage->update();
}

void SwfFlashControl::Rewind() {
    GotoFrame(0);
}

void SwfFlashControl::Play() {
    m_pendingPlay = PendingPlay::Play;
    if (!hasMovie()) {
        return;
    }
    m_player->play();
    followPlayState();
}

void SwfFlashControl::Stop() {
    StopPlay();
}

void SwfFlashControl::StopPlay() {
    m_pendingPlay = PendingPlay::Stop;
    if (!hasMovie()) {
        return;
    }
    m_player->stop();
    followPlayState();
}

void SwfFlashControl::followPlayState() {
    if (!Playing()) {
        m_frameTimer.stop();
        m_frameClock.stop();
        return;
    }
    if (!m_frameClock.isRunning()) {
        m_frameClock.setRate(m_player->frameRate());
        m_frameClock.start(m_clock.elapsedSeconds());
    }
    scheduleNextFrame();
}

void SwfFlashControl::scheduleNextFrame() {
    const double wait = m_frameClock.secondsUntilNextFrame(m_clock.elapsedSeconds());
    m_frameTimer.start(int(std::ceil(wait * 1000.0)));
}

void SwfFlashControl::runDueFrames() {
    if (!Playing()) {
        followPlayState();
        return;
    }
    const int due = m_frameClock.takeDueFrames(m_clock.elapsedSeconds());
    for (int frame = 0; frame < due && m_player->isPlaying(); ++frame) {
        m_player->advanceFrame();
    }
    if (due > 0) {
        m_stage->update();
    }
    followPlayState();
}

void SwfFlashControl::Zoom(int factor) {
    if (factor == 0) {
        m_stage->setZoom(1.0);
    } else if (factor > 0) {
        m_stage->setZoom(std::clamp(m_stage->zoom() * factor / 100.0, MinimumZoom, 1.0));
    }
}

void SwfFlashControl::setScaleMode(int ScaleMode) {
    if (ScaleMode >= 0 && ScaleMode <= 2) {
        m_stage->setScaleMode(swf::ScaleMode(ScaleMode));
    }
}

void SwfFlashControl::setBackgroundColor(int BackgroundColor) {
    if (BackgroundColor < 0) {
        m_stage->setBackground(std::nullopt);
        return;
    }
    m_stage->setBackground(swf::Rgba{std::uint8_t((BackgroundColor >> 16) & 0xFF),
                                     std::uint8_t((BackgroundColor >> 8) & 0xFF),
                                     std::uint8_t(BackgroundColor & 0xFF), 255});
}

void SwfFlashControl::SetVariable(const QString& name, const QString& value) {
    m_variables.insert(name, value);
}

void SwfFlashControl::Move(const QRect& rect) {
    m_stage->setGeometry(rect);
}

bool SwfFlashControl::Visible() const {
    return m_stage->isVisibleTo(m_stage->parentWidget());
}

void SwfFlashControl::setVisible(bool Visible) {
    m_stage->setVisible(Visible);
}

void SwfFlashControl::ZOrder(int position) {
    if (position == 0) {
        m_stage->raise();
    } else {
        m_stage->lower();
    }
}

void SwfFlashControl::SetFocus() {
    m_stage->setFocus();
}

QRect SwfFlashControl::rect() const {
    return m_stage->geometry();
}

QWidget* SwfFlashControl::window() const {
    return m_stage;
}

} // namespace kf
