#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include <functional>

namespace natalory::test {

// Runs `answer` on the window that the next command opens modally.
template <typename Window>
void WhenDialogOpens(std::function<void(Window&)> answer) {
    QTimer::singleShot(0, [answer] {
        auto* w = qobject_cast<Window*>(QApplication::activeModalWidget());
        ASSERT_TRUE(w);
        answer(*w);
    });
}

}  // namespace natalory::test
