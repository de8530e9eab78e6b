#include "platform/jpeg/jpeg_error.h"

jpeg_error_mgr* InitJpegErrorJump(JpegErrorJump* manager)
{
    jpeg_error_mgr* error = jpeg_std_error(&manager->pub);
    error->error_exit = JpegErrorJumpExit;
    return error;
}

void JpegErrorJumpExit(j_common_ptr object) { std::longjmp(JpegErrorJumpOf(object)->jump, 1); }

std::string JpegMessage(j_common_ptr object)
{
    char message[JMSG_LENGTH_MAX] = {};
    object->err->format_message(object, message);
    return message;
}
