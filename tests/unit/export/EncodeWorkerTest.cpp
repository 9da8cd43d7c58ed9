// The encoder thread keeps frame order, stops at the first failure and bounds its queue.
#include "export/EncodeWorker.h"

#include <atomic>
#include <gtest/gtest.h>
#include <set>

TEST(EncodeWorker, EncodesInOrderAndReusesItsBuffers) {
    std::vector<int> seen;
    std::atomic<int> inFlightMax{0};
    std::set<const std::uint8_t*> buffers;
    {
        EncodeWorker worker(
            [&](const std::uint8_t* pixels) {
                seen.push_back(pixels[0]);
                buffers.insert(pixels);
                return 0;
            },
            16, 2);
        for (int i = 0; i < 50; ++i) {
            EncodeWorker::Buffer* b = worker.acquire();
            ASSERT_EQ(b->size(), 16u);
            (*b)[0] = static_cast<std::uint8_t>(i);
            worker.submit(b);
        }
        worker.finish();
        EXPECT_EQ(worker.status(), 0);
        EXPECT_EQ(worker.framesEncoded(), 50);
    }
    ASSERT_EQ(seen.size(), 50u);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(seen[i], i);
    EXPECT_LE(buffers.size(), 2u); // no buffer beyond the pool, however long the run
}

TEST(EncodeWorker, FirstFailureStopsEncodingAndIsKept) {
    std::vector<int> seen;
    EncodeWorker worker(
        [&](const std::uint8_t* pixels) {
            seen.push_back(pixels[0]);
            return pixels[0] == 3 ? -28 : (pixels[0] == 5 ? -99 : 0);
        },
        1, 3);
    for (int i = 0; i < 8; ++i) {
        EncodeWorker::Buffer* b = worker.acquire();
        (*b)[0] = static_cast<std::uint8_t>(i);
        worker.submit(b);
    }
    worker.finish();
    EXPECT_EQ(worker.status(), -28);
    EXPECT_EQ(worker.framesEncoded(), 3);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), 3); // nothing after the failed frame reached the encoder
}
