#include "platform/jpeg/jpeg_error.h"

namespace jpeg {

jpeg_error_mgr* InitErrorJump(ErrorJump* manager)
{
    jpeg_error_mgr* error = jpeg_std_error(&manager->pub);
    error->error_exit = ErrorJumpExit;
    return error;
}

void ErrorJumpExit(j_common_ptr object) { std::longjmp(ErrorJumpOf(object)->jump, 1); }

std::string Message(j_common_ptr object)
{
    char message[JMSG_LENGTH_MAX] = {};
    object->err->format_message(object, message);
    return message;
}

} // namespace jpeg
