#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/core/LockedString.h"

namespace {

// One thread sets the text while another reads it: every read is one of the
// texts written, never a torn or freed one (ThreadSanitizer checks the rest).
TEST(LockedStringThreadsTest, ReaderSeesWholeTextsWhileAWriterChangesIt)
{
    const QString a = QStringLiteral("127.10.100.254");
    const QString b = QStringLiteral("127.0.0.1");
    CLockedString text(a);
    std::atomic<bool> stop{false};
    std::thread reader([&] {
        while (!stop) {
            const QString seen = text.Get();
            EXPECT_TRUE(seen == a || seen == b) << seen.toStdString();
        }
    });
    for (int i = 0; i < 20000; ++i)
        text.Set(i % 2 ? a : b);
    stop = true;
    reader.join();
    EXPECT_EQ(text.Get(), a);
}

}  // namespace
