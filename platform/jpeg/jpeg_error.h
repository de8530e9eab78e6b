// libjpeg's error exit for a library that must not end the process: it jumps back to the caller's
// setjmp on the manager's jump buffer. The library's message stays formattable there.
#pragma once

// Before jpeglib.h, whose TRUE and FALSE macros would otherwise replace the platform's constants.
#include "platform/win/types.h"

#include <csetjmp>
#include <cstdio>
#include <string>

#include <jpeglib.h>

namespace jpeg {

// pub must stay the first member: the library knows the manager only by its address.
struct ErrorJump {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

// Sets up the library's standard manager with ErrorJumpExit; returns &manager->pub.
jpeg_error_mgr* InitErrorJump(ErrorJump* manager);

// The manager behind a libjpeg object's err pointer.
inline ErrorJump* ErrorJumpOf(j_common_ptr object) { return reinterpret_cast<ErrorJump*>(object->err); }

[[noreturn]] void ErrorJumpExit(j_common_ptr object);

// The text of the library's last message for the object.
std::string Message(j_common_ptr object);

} // namespace jpeg
