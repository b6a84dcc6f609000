// The pending-input buffer: same bytes as a plain string under any mix of appends and takes,
// and memory that follows what it holds, not what went through it.
#include "transport/line/ByteBuffer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

TEST(LineByteBuffer, HoldsTheSameBytesAsAStringUnderAnyMix) {
  std::mt19937 random(7);
  TByteBuffer buffer;
  std::string model;
  char next = 0;
  for (int step = 0; step < 20000; ++step) {
    const size_t count = random() % 300;
    switch (random() % 4) {
      case 0: {
        std::string bytes;
        for (size_t i = 0; i < count; ++i) bytes.push_back(next++);
        buffer.Append(bytes.data(), bytes.size());
        model += bytes;
        break;
      }
      case 1:
      case 2:
        buffer.Remove(count);
        model.erase(0, std::min(count, model.size()));
        break;
      case 3: {
        // Filled in place, part of it given back.
        char* space = buffer.Extend(count);
        const size_t used = count / 2;
        for (size_t i = 0; i < used; ++i) space[i] = next++;
        model.append(space, used);
        buffer.Shrink(count - used);
        break;
      }
    }
    ASSERT_EQ(std::string(buffer.Data(), buffer.Size()), model) << "step " << step;
  }
  buffer.Clear();
  EXPECT_TRUE(buffer.Empty());
}

TEST(LineByteBuffer, StreamingThroughKeepsMemoryNearWhatIsHeld) {
  TByteBuffer buffer;
  const std::string arrival(32768, 'x');
  for (int round = 0; round < 2000; ++round) {
    buffer.Append(arrival.data(), arrival.size());
    // Taken in lines of 100 bytes, a partial line left over.
    while (buffer.Size() >= 100) buffer.Remove(100);
  }
  EXPECT_LT(buffer.Size(), 100u);
  EXPECT_LE(buffer.Capacity(), 4 * arrival.size());
}

TEST(LineByteBuffer, SetSizeMakesAFixedBlock) {
  TByteBuffer block;
  block.SetSize(32768);
  EXPECT_EQ(block.Size(), 32768u);
  block.SetSize(4);
  EXPECT_EQ(block.Size(), 4u);
}

}  // namespace
