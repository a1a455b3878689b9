#pragma once

#include "output/TextLayout.h"

#include <QHash>

#include <memory>

namespace natalory {

// Laid-out paragraphs kept for reuse while many prints of one template are made:
// a label, a headline of the same year or a price list comes back word for word,
// and laying it out again would give the same lines. Bounded, so that a long run
// holds no more than a working set.
class TextBlockMemo {
  public:
    std::shared_ptr<TextBlock> get(const QString& text, const QFont& font, qreal width, int alignment,
                                   bool justify);

  private:
    QHash<QString, std::shared_ptr<TextBlock>> blocks_;
};

}  // namespace natalory
