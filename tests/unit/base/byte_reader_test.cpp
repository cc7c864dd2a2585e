#include "base/byte_reader.h"

#include <gtest/gtest.h>

#include "base/byte_writer.h"

namespace velk {
namespace {

TEST(ByteReader, ReadsLittleEndianPrimitives) {
    std::vector<std::uint8_t> bytes = {0x01, 0x02, 0x03, 0x04, 0x05, 0xFF, 0xFF, 0xFF, 0xFF};
    ByteReader in(bytes);
    EXPECT_EQ(in.U8(), 1);
    EXPECT_EQ(in.U32(), 0x05040302u);
    EXPECT_EQ(in.I32(), -1);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_THROW(in.U8(), ArchiveError);
}

}  // namespace
}  // namespace velk
