#include "platform/jpeg/jpeg_error.h"

#include <gtest/gtest.h>

// A library error comes back to the caller's jump point with its message, and the process lives on.
TEST(JpegErrorJump, AnErrorReturnsToTheJumpPointWithTheLibrarysMessage)
{
    jpeg::ErrorJump error{};
    jpeg_compress_struct compressor{};
    compressor.err = jpeg::InitErrorJump(&error);
    jpeg_create_compress(&compressor);
    unsigned char* data = nullptr;
    unsigned long bytes = 0;
    jpeg_mem_dest(&compressor, &data, &bytes);
    compressor.input_components = 3;
    compressor.in_color_space = JCS_RGB;
    jpeg_set_defaults(&compressor);
    volatile bool jumped = false;
    if (setjmp(error.jump)) {
        jumped = true;
    } else {
        jpeg_start_compress(&compressor, TRUE); // a 0 x 0 image is an error
    }
    EXPECT_TRUE(jumped);
    EXPECT_NE(jpeg::Message(reinterpret_cast<j_common_ptr>(&compressor)).find("Empty JPEG image"), std::string::npos);
    jpeg_destroy_compress(&compressor);
    std::free(data);
}
