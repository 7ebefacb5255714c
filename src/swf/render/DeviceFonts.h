#pragma once

#include <QFont>
#include <QHash>
#include <QPainterPath>
#include <QString>

namespace kf::swf {

struct TextFormat;

// Text in fonts the movie does not embed, drawn with the system's fonts. Glyphs are kept as
// outlines at a reference size, per font and character, and scaled to each run's size:
// hinting at screen sizes would move glyphs off where the movie placed them.
class DeviceFonts {
public:
    struct Glyph {
        QPainterPath path; // at referenceSize pixels, baseline at y = 0
        double advance = 0.0;
    };
    struct Metrics {
        double ascent = 0.0; // at referenceSize
        double descent = 0.0;
    };

    static constexpr double referenceSize = 1024.0;

    // False without a QGuiApplication: there are no system fonts to draw with then.
    static bool available();
    // The system font for a format: the movie's generic names (_sans, _serif, _typewriter)
    // map to the matching families; any other name is asked for as is and falls back to a
    // sans-serif face with the fonts installed (CJK faces included).
    static QFont fontFor(const TextFormat& format);

    static const Glyph& glyph(const QFont& font, char32_t code);
    static Metrics metrics(const QFont& font);

private:
    static QHash<QString, QHash<char32_t, Glyph>>& glyphs();
};

} // namespace kf::swf
