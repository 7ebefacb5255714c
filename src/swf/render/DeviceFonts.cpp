#include "swf/render/DeviceFonts.h"

#include "swf/runtime/TextSpan.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGuiApplication>

namespace kf::swf {

namespace {

// Families tried for the generic names; fontconfig picks the first installed.
const QStringList& familiesFor(const QString& name, QFont::StyleHint& hint) {
    static const QStringList sans{QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                                  QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei")};
    static const QStringList serif{QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                                   QStringLiteral("DejaVu Serif"), QStringLiteral("WenQuanYi Micro Hei")};
    static const QStringList typewriter{QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                                        QStringLiteral("DejaVu Sans Mono"),
                                        QStringLiteral("WenQuanYi Micro Hei")};
    const QString lowered = name.toLower();
    if (lowered == QStringLiteral("_serif") || lowered == QStringLiteral("times new roman") ||
        lowered == QStringLiteral("times")) {
        hint = QFont::Serif;
        return serif;
    }
    if (lowered == QStringLiteral("_typewriter") || lowered == QStringLiteral("courier new") ||
        lowered == QStringLiteral("courier")) {
        hint = QFont::Monospace;
        return typewriter;
    }
    hint = QFont::SansSerif;
    return sans;
}

} // namespace

bool DeviceFonts::available() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

QFont DeviceFonts::fontFor(const TextFormat& format) {
    const QString name = QString::fromUtf8(format.font.data(), static_cast<qsizetype>(format.font.size()));
    QFont::StyleHint hint = QFont::SansSerif;
    QStringList families = familiesFor(name, hint);
    if (!name.startsWith(QLatin1Char('_')) && !name.isEmpty()) {
        families.prepend(name);
    }
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPixelSize(static_cast<int>(referenceSize));
    font.setBold(format.bold);
    font.setItalic(format.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

QHash<QString, QHash<char32_t, DeviceFonts::Glyph>>& DeviceFonts::glyphs() {
    static QHash<QString, QHash<char32_t, Glyph>> cache;
    return cache;
}

const DeviceFonts::Glyph& DeviceFonts::glyph(const QFont& font, char32_t code) {
    // Scripts can name any number of fonts and set any text: past a bound the cache starts
    // over rather than grow without end.
    auto& cache = glyphs();
    if (cache.size() > 64 || (cache.contains(font.key()) && cache[font.key()].size() > 20000)) {
        cache.clear();
    }
    QHash<char32_t, Glyph>& perFont = cache[font.key()];
    auto found = perFont.find(code);
    if (found != perFont.end()) {
        return *found;
    }
    Glyph glyph;
    const QString text = QString::fromUcs4(&code, 1);
    glyph.advance = QFontMetricsF(font).horizontalAdvance(text);
    if (code > U' ') {
        glyph.path.addText(0.0, 0.0, font, text);
    }
    return *perFont.insert(code, glyph);
}

DeviceFonts::Metrics DeviceFonts::metrics(const QFont& font) {
    const QFontMetricsF metrics(font);
    return Metrics{metrics.ascent(), metrics.descent()};
}

} // namespace kf::swf
