#include "output/TextLayout.h"

#include "document/DisplayObjects.h"

#include <QPainter>
#include <QTextBoundaryFinder>
#include <QTextOption>

namespace natalory {

QFont ObjectFont(const DisplayObject& o) {
    QFont font(o.FontName);
    font.setPointSizeF(o.FontSize > 0 ? o.FontSize : 1);
    font.setBold(o.FontBold);
    font.setItalic(o.FontItalic);
    font.setUnderline(o.FontUnderline);
    font.setStrikeOut(o.FontStrikethru);
    // Metrics must not depend on the screen's hinting: the print measures the same.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

TextBlock::TextBlock(const QString& text, const QFont& font, qreal width, int alignment, bool justify,
                     QPaintDevice* device, qreal stopBelow)
    : font_(font) {
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const QStringList paragraphs = normal.split(u'\n');

    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    Qt::Alignment align = alignment == Right    ? Qt::AlignRight
                          : alignment == Center ? Qt::AlignHCenter
                                                : Qt::AlignLeft;
    if (justify) align = Qt::AlignJustify;
    option.setAlignment(align);
    option.setUseDesignMetrics(true);

    qreal y = 0;
    for (const QString& p : paragraphs) {
        auto layout = std::make_unique<QTextLayout>(p, font, device);
        layout->setTextOption(option);
        // Keep the shaped glyphs: a block is drawn after it is laid out, often many times
        // (the memo hands it to every print of a batch), and would be shaped again each time.
        layout->setCacheEnabled(true);
        // One finder for the whole paragraph: building it is linear in the text, so a
        // finder per line made long paragraphs quadratic.
        QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, p);
        layout->beginLayout();
        bool stopped = false;
        for (qreal laidOut = y;;) {
            QTextLine line = layout->createLine();
            if (!line.isValid()) break;
            line.setLineWidth(width);
            line.setPosition(QPointF(0, 0));
            // A line that ends where no line may break means a word did not fit.
            const int end = line.textStart() + line.textLength();
            if (wordsFit_ && end > 0 && end < p.size()) {
                breaks.setPosition(end);
                if (!breaks.isAtBoundary()) wordsFit_ = false;
            }
            if (line.naturalTextWidth() > width + 0.5) wordsFit_ = false;
            laidOut += line.height();
            if (laidOut > stopBelow || (!wordsFit_ && stopBelow < std::numeric_limits<qreal>::infinity())) {
                stopped = true;
                break;
            }
        }
        layout->endLayout();
        // Lines stack at the font's line spacing.
        qreal lineTop = 0;
        for (int i = 0; i < layout->lineCount(); ++i) {
            QTextLine line = layout->lineAt(i);
            line.setPosition(QPointF(0, lineTop));
            lineTop += line.height();
        }
        tops_.push_back(y);
        y += lineTop;
        paragraphs_.push_back(std::move(layout));
        if (stopped) break;
    }
    height_ = y;
}

TextBlock::~TextBlock() = default;
TextBlock::TextBlock(TextBlock&&) noexcept = default;

int TextBlock::lineCount() const {
    int n = 0;
    for (const auto& p : paragraphs_) n += p->lineCount();
    return n;
}

std::vector<TextBlock::Line> TextBlock::lines() const {
    std::vector<Line> out;
    for (size_t i = 0; i < paragraphs_.size(); ++i) {
        const QTextLayout& layout = *paragraphs_[i];
        for (int j = 0; j < layout.lineCount(); ++j) {
            const QTextLine line = layout.lineAt(j);
            QRectF r = line.naturalTextRect();
            r.translate(0, tops_[i]);
            std::vector<qreal> edges(size_t(line.textLength()) + 1);
            for (int k = 0; k <= line.textLength(); ++k)
                edges[size_t(k)] = line.cursorToX(line.textStart() + k);
            out.push_back({layout.text().mid(line.textStart(), line.textLength()), r,
                           tops_[i] + line.y() + line.ascent(), std::move(edges)});
        }
    }
    return out;
}

void TextBlock::draw(QPainter& painter, const QPointF& topLeft, const QColor& color) const {
    painter.save();
    painter.setPen(color);
    for (size_t i = 0; i < paragraphs_.size(); ++i)
        paragraphs_[i]->draw(&painter, topLeft + QPointF(0, tops_[i]));
    painter.restore();
}

}  // namespace natalory
