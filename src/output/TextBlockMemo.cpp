#include "output/TextBlockMemo.h"

#include "output/PrintEngine.h"

namespace natalory {
namespace {

// Each block keeps its shaped glyphs; a newspaper print holds about 40 texts, most
// the same from print to print, so this keeps many years' worth.
constexpr qsizetype kMostKept = 1024;

}  // namespace

std::shared_ptr<TextBlock> TextBlockMemo::get(const QString& text, const QFont& font, qreal width,
                                              int alignment, bool justify) {
    // Everything the layout depends on; the device is always the twip device.
    const QString key = QStringLiteral("%1|%2|%3|%4|%5|%6\n")
                            .arg(font.toString())
                            .arg(int(font.hintingPreference()))
                            .arg(width, 0, 'g', 17)
                            .arg(alignment)
                            .arg(int(justify))
                            .arg(font.pointSizeF(), 0, 'g', 17) +
                        text;
    if (auto found = blocks_.constFind(key); found != blocks_.constEnd()) return found.value();
    if (blocks_.size() >= kMostKept) blocks_.clear();
    auto block = std::make_shared<TextBlock>(text, font, width, alignment, justify, TwipDevice());
    blocks_.insert(key, block);
    return block;
}

}  // namespace natalory
